#include "app/ProcessState.h"
#include "app/ui/BarradeEstadoQEL.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/MDIFrm.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <gtest/gtest.h>

namespace qel {
namespace {

// Pictures of the main window with each of its menus open, for a person to look at:
//   ./tests/qel_screenshots --gtest_filter='MainWindowScreenshots*'
// writes /tmp/mdifrm-main.png and /tmp/mdifrm-menu-<N>.png.
TEST(MainWindowScreenshots, EveryMenu) {
    test::TempDatabase database;
    app::ProcessState state;
    state.db = std::move(store::Database::open(database.path()).database);
    const auto prompter = test::makePrompter();
    app::ui::FormLauncher forms(*prompter);
    app::ui::MDIFrm window(state, *prompter, forms);
    state.status = window.statusDisplay();
    window.place();
    window.show();
    state.status->showStatus(QStringLiteral("20512345671"), QStringLiteral("D'ONOFRIO S.A."), QStringLiteral("2018"),
                             QStringLiteral("0588"));
    QApplication::processEvents();
    ASSERT_TRUE(window.grab().save(QStringLiteral("/tmp/mdifrm-main.png")));

    int index = 0;
    for (QAction* action : window.menuBar()->actions()) {
        QMenu* menu = action->menu();
        if (menu == nullptr) {
            continue;
        }
        const QRect place = window.menuBar()->actionGeometry(action);
        menu->popup(window.menuBar()->mapToGlobal(place.bottomLeft()));
        QApplication::processEvents();
        QPixmap picture = window.grab();
        QPainter painter(&picture);
        painter.drawPixmap(window.mapFromGlobal(menu->pos()), menu->grab());
        painter.end();
        EXPECT_TRUE(picture.save(QStringLiteral("/tmp/mdifrm-menu-%1.png").arg(++index)));
        menu->hide();
    }
    EXPECT_GT(index, 2);
}

} // namespace
} // namespace qel
