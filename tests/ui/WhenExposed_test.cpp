#include "launcher/ui/WhenExposed.h"

#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using qel::launcher::WhenExposed;

// The module is started once, from the event loop, after the launcher's window is on the
// screen; never from inside show() and never a second time on a later expose.
TEST(WhenExposed, RunsOnceFromTheEventLoopAfterTheExpose) {
    for (const bool exposedBefore : {false, true}) {
        QWidget window;
        window.setWindowTitle(QStringLiteral("QEL"));
        window.show();
        if (exposedBefore) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        }
        int runs = 0;
        QPointer<WhenExposed> watcher = new WhenExposed(window, [&runs] { ++runs; });
        EXPECT_EQ(runs, 0) << "exposed before: " << exposedBefore;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_TRUE(QTest::qWaitFor([&runs] { return runs > 0; }, 2000)) << "exposed before: " << exposedBefore;
        window.hide();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(20);
        EXPECT_EQ(runs, 1) << "exposed before: " << exposedBefore;
        EXPECT_TRUE(QTest::qWaitFor([&watcher] { return watcher.isNull(); }, 1000)); // it deleted itself
    }
}
