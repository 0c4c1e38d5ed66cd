// The main window's menus open windows of the one registry.

#include "app/HelpTopics.h"
#include "batch/BatchFixture.h"
#include "windows/ModuleWindows.h"

using namespace Qt::StringLiterals;

namespace qel {
namespace {

// Each menu opens its window with what the menu asks for: one registered declaration and no
// sent version, so that the two prints list different rows.
using MenuWindows = test::BatchTest;

TEST_F(MenuWindows, TheMenusOpenRegisteredWindows) {
    test::insertRow(db(), u"CAB"_s, test::demoKey(test::kAndina), {{u"SEMANA"_s, 0}});
    const struct {
        const char* menu;
        const char* window;
        QString shows; // a state line the window prints
        const char* leave;
    } cases[] = {
        {"mnuImprimir", "FrmTipPrnR", u"grdDeclaraciones = 1"_s, "cmdSalir"},
        {"mnuImprimirEnviada", "FrmTipPrnR", u"grdDeclaraciones = 0"_s, "cmdSalir"},
        {"mnuContenido", "frmAyuda", u"lblTema = \"%1\""_s.arg(app::HelpTopics::kContents), "cmdCerrar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.menu);
        const QString window = QString::fromLatin1(c.window);
        EXPECT_TRUE(windows::moduleWindows().contains(window));
        ASSERT_TRUE(runs(u"menu %1\nstate %2\nclick %3\n"_s.arg(
            QString::fromLatin1(c.menu), c.shows.section(u' ', 0, 0), QString::fromLatin1(c.leave))));
        expectPrinted({u"menu %1 -> %2\n"_s.arg(QString::fromLatin1(c.menu), window), c.shows + u'\n',
                       u"closed %1 \"\""_s.arg(window)});
    }
}

} // namespace
} // namespace qel
