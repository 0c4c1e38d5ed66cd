#include "declaration/ui/GuardedLineEdit.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

// A click anywhere in an empty or half-filled date box, then the digits: the date fills the
// mask from its first empty place, not from where the mouse happened to land.
TEST(GuardedLineEdit, AClickIntoADateBoxTypesFromItsFirstEmptyPlace) {
    struct Case {
        const char* before;
        const char* typed;
        const char* date;
    };
    for (const Case& c : {Case{"", "12051975", "12/05/1975"}, Case{"1205", "1975", "12/05/1975"}}) {
        GuardedLineEdit box;
        box.setInputMask(QStringLiteral("99/99/9999;_"));
        box.resize(200, 24);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        QTest::keyClicks(&box, QString::fromLatin1(c.before));
        for (const QPoint at : {QPoint(box.width() - 4, 12), QPoint(box.width() / 2, 12)}) {
            QTest::mouseClick(&box, Qt::LeftButton, {}, at);
            EXPECT_EQ(box.cursorPosition(), box.displayText().indexOf(QLatin1Char('_'))) << c.before;
        }
        QTest::keyClicks(&box, QString::fromLatin1(c.typed));
        EXPECT_EQ(box.text(), QString::fromLatin1(c.date)) << c.before;
    }
}

} // namespace
} // namespace qel::declaration
