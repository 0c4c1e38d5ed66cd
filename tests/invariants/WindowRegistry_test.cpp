// Across the catalogues: a window that a casilla names must be one the form launcher knows and
// one a batch script can open, so that no click ends in "window not found".

#include "app/HelpTopics.h"
#include "batch/BatchRunner.h"
#include "batch/BatchWindows.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormWindows.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"
#include "windows/ModuleWindows.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace qel {
namespace {

bool launcherKnows(const QString& name) {
    return declaration::FormWindows::names().contains(name, Qt::CaseInsensitive);
}

TEST(WindowRegistry, EveryWindowACasillaOpensIsKnownToTheLauncher) {
    for (const declaration::CasillaDef& casilla : declaration::CasillaCatalog::instance().all()) {
        if (!casilla.window.isEmpty()) {
            EXPECT_TRUE(launcherKnows(casilla.window))
                << "casilla " << casilla.number << " opens " << casilla.window.toStdString();
        }
    }
}

// Windows of the launcher that a script cannot open yet. The list only shrinks: a window that
// gains its batch model must leave it, and a new window must come with its batch model.
const QStringList kNotYetScriptable = {};

TEST(WindowRegistry, EveryWindowTheLauncherKnowsOpensInABatchScript) {
    batch::BatchWindows windows;
    batch::registerBatchWindows(windows);
    for (const QString& name : declaration::FormWindows::names()) {
        const bool scriptable = windows.window(name) != nullptr;
        EXPECT_EQ(scriptable, !kNotYetScriptable.contains(name))
            << name.toStdString()
            << (scriptable ? " opens in a script now: take it off the list" : " has no batch window");
    }
}

// No window is left to a notice of a later version: every window the rules name is built.
TEST(WindowRegistry, NoWindowIsLeftForALaterVersion) {
    QDirIterator files(QStringLiteral(QEL_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_FALSE(QString::fromUtf8(file.readAll()).contains(QStringLiteral("próxima versión")))
            << file.fileName().toStdString();
    }
}

// The main window's menus open windows of the one registry, with what the menu asks for: one
// registered declaration and no sent version, so that the two prints list different rows.
TEST(WindowRegistry, TheMenusOpenRegisteredWindows) {
    test::TempDatabase database;
    const store::DeclarationKey key = test::demoKey();
    test::registerTaxpayer(database.db(), key.ruc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
    test::insertRow(database.db(), QStringLiteral("CAB"), key, {{QStringLiteral("SEMANA"), 0}});
    struct Case {
        const char* menu;
        const char* window;
        const char* shows; // a state line the window prints
        const char* leave;
    };
    const QString contents = QStringLiteral("lblTema = \"%1\"").arg(app::HelpTopics::kContents);
    const Case cases[] = {
        {"mnuImprimir", "FrmTipPrnR", "grdDeclaraciones = 1", "cmdSalir"},
        {"mnuImprimirEnviada", "FrmTipPrnR", "grdDeclaraciones = 0", "cmdSalir"},
        {"mnuContenido", "frmAyuda", nullptr, "cmdCerrar"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.menu);
        const QString window = QString::fromLatin1(c.window);
        EXPECT_TRUE(qel::windows::moduleWindows().contains(window));
        QString output;
        QString errors;
        QTextStream out(&output);
        QTextStream err(&errors);
        batch::BatchRunner runner(database.db(), out, err,
                                  {QStringLiteral("2018"), QStringLiteral("0588"), test::kSupervisor});
        const QString shows = c.shows != nullptr ? QString::fromLatin1(c.shows) : contents;
        const QString script =
            QStringLiteral("menu %1\nstate %2\nclick %3\n")
                .arg(QString::fromLatin1(c.menu), shows.section(QLatin1Char(' '), 0, 0), QString::fromLatin1(c.leave));
        ASSERT_EQ(runner.run(script), batch::BatchRunner::kDone) << errors.toStdString();
        out.flush();
        EXPECT_TRUE(output.contains(QStringLiteral("menu %1 -> %2\n").arg(QString::fromLatin1(c.menu), window)))
            << output.toStdString();
        EXPECT_TRUE(output.contains(shows + QLatin1Char('\n'))) << output.toStdString();
        EXPECT_TRUE(output.contains(QStringLiteral("closed %1 \"\"").arg(window)));
    }
}

} // namespace
} // namespace qel
