#include "annexes/PriorBalanceModel.h"
#include "annexes/ui/PriorBalanceWindow.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace qel::annexes {
namespace {

TEST(PriorBalanceWindowTest, TypedPartsLeaveTheUnappliedBalance) {
    test::TempDatabase database;
    auto prompter = test::makePrompter();
    auto model = std::make_unique<PriorBalanceModel>(database.db(), *prompter, test::demoKey(), false,
                                                     QStringList{QStringLiteral("12000")});
    PriorBalanceWindow window(std::move(model));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.box(202)->text(), QStringLiteral("12,000"));
    window.box(203)->setFocus();
    QTest::keyClicks(window.box(203), QStringLiteral("4a500"));
    QTest::keyClick(window.box(203), Qt::Key_Return);
    EXPECT_TRUE(window.box(204)->hasFocus());
    QTest::keyClicks(window.box(204), QStringLiteral("2000"));
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("txtValor_127"))->text(), QStringLiteral("5,500"));

    window.findChild<QPushButton*>(QStringLiteral("cmdAccion_0"))->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(PriorBalanceModel::decode(window.resultText()).value(127), QStringLiteral("5500"));
    prompter->verify();
}

} // namespace
} // namespace qel::annexes
