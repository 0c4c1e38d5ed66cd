// The annex windows over a fresh database, driven as a user drives them: the casilla lists, the
// movement assistants, the month assistants and the prior balance. The partner's detail window
// is driven on the main road.
#include "annexes/AnnexGridModel.h"
#include "annexes/CasillaListModel.h"
#include "annexes/MonthAssistantModel.h"
#include "annexes/MovementAssistantModel.h"
#include "annexes/PriorBalanceModel.h"
#include "annexes/ui/CasillaListWindow.h"
#include "annexes/ui/MonthAssistantWindow.h"
#include "annexes/ui/MovementAssistantWindow.h"
#include "annexes/ui/PriorBalanceWindow.h"
#include "declaration/FormFixture.h"
#include "ui/WindowDriver.h"

namespace qel::annexes {
namespace {

class AnnexWindows : public ::testing::Test {
protected:
    void TearDown() override { prompter->verify(); }

    std::unique_ptr<MonthAssistantWindow> openMonths(const QString& window, int casilla, bool readOnly = false) {
        auto model = std::make_unique<MonthAssistantModel>(database.db(), *prompter, test::demoKey(),
                                                           *MonthAssistantKind::find(window, casilla), readOnly);
        model->load();
        auto shown = std::make_unique<MonthAssistantWindow>(std::move(model), window);
        shown->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(shown.get()));
        return shown;
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    test::RecordingOpener opener;
};

using CasillaListWindowTest = AnnexWindows;
using MonthAssistantWindowTest = AnnexWindows;
using PriorBalanceWindowTest = AnnexWindows;

// Three donations of the three kinds, listed.
TEST_F(CasillaListWindowTest, DonationsListShowsItsRowsAndHandsBackItsTotal) {
    for (const char* kind : {"A", "B1", "B2"}) {
        test::insertRow(
            database.db(), QStringLiteral("TMPF586DONAC"), test::demoKey(),
            declaration::testing::fields(QStringLiteral("tip_donacion=%1; tip_modalidad=1; tip_documento=06; "
                                                        "num_documento=20100047218; mto_donacion=12000")
                                             .arg(QString::fromLatin1(kind))));
    }
    CasillaListWindow window(
        std::make_unique<CasillaListModel>(*CasillaListCatalog::find(QStringLiteral("frmAnexo227")), database.db(),
                                           *prompter, &opener, test::demoKey(), 227, false));
    window.show();
    EXPECT_EQ(window.windowTitle(), window.model().caption());
    EXPECT_EQ(window.grid()->model()->rowCount(), 3);
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("txtTotal"))->text(), QStringLiteral("36,000"));
    window.grid()->selectRow(1);
    EXPECT_EQ(window.model().grid().current(), 1);

    window.button(1)->click(); // modify opens the detail window on the selected row
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).keyValues.value(0), QStringLiteral("B1"));

    for (const char* type : {"A", "B1", "B2"}) {
        prompter->expectMessage(CasillaListModel::reminderFor(QString::fromLatin1(type)), app::Icon::Information);
    }
    window.button(3)->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.resultText(), QStringLiteral("36000"));
}

TEST_F(CasillaListWindowTest, AMovementCellTypedInTheGridMovesItsClosingBalanceAndTheTotal) {
    for (const auto& [window, casilla] : {std::pair{"FrmAnexo317A", 382}, std::pair{"FrmAnexo328B", 383}}) {
        auto model = std::make_unique<MovementAssistantModel>(database.db(), *prompter, test::demoKey(),
                                                              *MovementAssistantKind::find(QString::fromLatin1(window)),
                                                              casilla, false, &opener);
        model->load();
        MovementAssistantWindow shown(std::move(model));
        QTableWidget* grid = shown.grid();
        const int closing = shown.model().kind().closingColumn() + 1;
        EXPECT_FALSE(grid->item(0, closing)->flags() & Qt::ItemIsEditable) << window;
        grid->item(1, 1)->setText(QStringLiteral("700000"));
        grid->item(1, 2)->setText(QStringLiteral("150000"));
        grid->item(2, 1)->setText(QStringLiteral("250000"));
        grid->item(2, 5)->setText(QStringLiteral("50000"));
        EXPECT_EQ(grid->item(1, closing)->text(), QStringLiteral("850,000")) << window;
        EXPECT_EQ(shown.findChild<QLineEdit*>(QStringLiteral("txtTotal"))->text(), shown.model().totalText());
    }
}

TEST_F(MonthAssistantWindowTest, TypingMovesOnWithEnterAndKeepsTheTotals) {
    auto window = openMonths(QStringLiteral("FrmAnexo128"), 128);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Asistente de Cálculo de Casilla 128"));
    EXPECT_EQ(window->grid()->item(13, 0)->text(), QStringLiteral("02 - 2019"));

    test::typeCell(*window->grid(), 0, MonthAssistantWindow::gridColumn(0), QStringLiteral("1500"));
    // Enter went to the next amount cell of the same month, editing its bare amount.
    EXPECT_EQ(window->grid()->currentColumn(), MonthAssistantWindow::gridColumn(1));
    test::typeCell(*window->grid(), 0, MonthAssistantWindow::gridColumn(5), QStringLiteral("25x00"));
    // After the last amount of a month comes the first of the next.
    EXPECT_EQ(window->grid()->currentRow(), 1);
    EXPECT_EQ(window->grid()->currentColumn(), MonthAssistantWindow::gridColumn(0));
    test::typeCell(*window->grid(), 13, MonthAssistantWindow::gridColumn(3), QStringLiteral("1000000"));
    // Nothing is pasted into a cell.
    QApplication::clipboard()->setText(QStringLiteral("999"));
    auto* editor = qobject_cast<QLineEdit*>(window->grid()->indexWidget(window->grid()->currentIndex()));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), QString());
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());

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

TEST_F(MonthAssistantWindowTest, ASentVersionIsOnlyLookedAt) {
    test::insertRow(database.db(), QStringLiteral("TMPACTA"), test::demoKey(),
                    declaration::testing::fields("TIPO_ASIST=8; PER_PAG=201806; saluti=4321"));
    auto window = openMonths(QStringLiteral("FrmAnexo130"), 130, true);
    EXPECT_EQ(window->grid()->item(5, 1)->text(), QStringLiteral("4,321"));
    EXPECT_FALSE(window->findChild<QPushButton*>(QStringLiteral("CmdGrabar"))->isEnabled());
    window->grid()->setCurrentCell(5, 1);
    EXPECT_EQ(window->grid()->indexWidget(window->grid()->currentIndex()), nullptr);
    window->findChild<QPushButton*>(QStringLiteral("cmdCerrar"))->click();
    EXPECT_EQ(window->resultText(), QString());
}

TEST_F(PriorBalanceWindowTest, TypedPartsLeaveTheUnappliedBalance) {
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
}

} // namespace
} // namespace qel::annexes
