#include "annexes/MonthAssistantModel.h"
#include "annexes/ui/MonthAssistantWindow.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace qel::annexes {
namespace {

class MonthAssistantWindowTest : public ::testing::Test {
protected:
    void TearDown() override { prompter->verify(); }

    std::unique_ptr<MonthAssistantWindow> open(const QString& window, int casilla, bool readOnly = false) {
        auto model = std::make_unique<MonthAssistantModel>(database.db(), *prompter, test::demoKey(),
                                                           *MonthAssistantKind::find(window, casilla), readOnly);
        model->load();
        auto shown = std::make_unique<MonthAssistantWindow>(std::move(model), window);
        shown->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(shown.get()));
        return shown;
    }

    // Types into a cell as a user does: click, type, Enter.
    static void type(MonthAssistantWindow& window, int row, int column, const QString& text) {
        QTableWidget* grid = window.grid();
        grid->setCurrentCell(row, MonthAssistantWindow::gridColumn(column));
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
        ASSERT_NE(editor, nullptr) << row << "," << column;
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
};

TEST_F(MonthAssistantWindowTest, TypingMovesOnWithEnterAndKeepsTheTotals) {
    auto window = open(QStringLiteral("FrmAnexo128"), 128);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Asistente de Cálculo de Casilla 128"));
    EXPECT_EQ(window->grid()->item(13, 0)->text(), QStringLiteral("02 - 2019"));

    type(*window, 0, 0, QStringLiteral("1500"));
    // Enter went to the next amount cell of the same month, editing its bare amount.
    EXPECT_EQ(window->grid()->currentColumn(), MonthAssistantWindow::gridColumn(1));
    type(*window, 0, 5, QStringLiteral("25x00"));
    // After the last amount of a month comes the first of the next.
    EXPECT_EQ(window->grid()->currentRow(), 1);
    EXPECT_EQ(window->grid()->currentColumn(), MonthAssistantWindow::gridColumn(0));
    type(*window, 13, 3, QStringLiteral("1000000"));

    EXPECT_EQ(window->grid()->item(0, 1)->text(), QStringLiteral("1,500"));
    EXPECT_EQ(window->grid()->item(0, 7)->text(), QStringLiteral("4,000")); // the month's total
    EXPECT_EQ(window->grid()->item(13, 4)->text(), QStringLiteral("1,000,000"));
    EXPECT_EQ(window->grid()->item(2, 7)->text(), QString());
    EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("txtTotal"))->text(), QStringLiteral("1004000"));

    window->findChild<QPushButton*>(QStringLiteral("CmdGrabar"))->click();
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(window->resultText(), QStringLiteral("1004000"));
    EXPECT_EQ(test::rowCount(database.db(), QStringLiteral("TMPACTA")), 2);
}

TEST_F(MonthAssistantWindowTest, NothingIsPastedIntoACell) {
    auto window = open(QStringLiteral("FrmAnexo130"), 130);
    QApplication::clipboard()->setText(QStringLiteral("999"));
    QTableWidget* grid = window->grid();
    grid->setCurrentCell(4, 1);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), QString());
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
}

TEST_F(MonthAssistantWindowTest, ASentVersionIsOnlyLookedAt) {
    test::insertRow(database.db(), QStringLiteral("TMPACTA"), test::demoKey(),
                    {{QStringLiteral("TIPO_ASIST"), QStringLiteral("8")},
                     {QStringLiteral("PER_PAG"), QStringLiteral("201806")},
                     {QStringLiteral("saluti"), 4321}});
    auto window = open(QStringLiteral("FrmAnexo130"), 130, true);
    EXPECT_EQ(window->grid()->item(5, 1)->text(), QStringLiteral("4,321"));
    EXPECT_FALSE(window->findChild<QPushButton*>(QStringLiteral("CmdGrabar"))->isEnabled());
    window->grid()->setCurrentCell(5, 1);
    EXPECT_EQ(window->grid()->indexWidget(window->grid()->currentIndex()), nullptr);
    window->findChild<QPushButton*>(QStringLiteral("cmdCerrar"))->click();
    EXPECT_EQ(window->resultText(), QString());
}

} // namespace
} // namespace qel::annexes
