// The trial balance windows over a fresh database: the transfer window transfers the file of the
// folder chosen, and the balance's page keeps the accounts in sight.
#include "annexes/TrialBalancePage.h"
#include "declaration/FormFixture.h"
#include "imports/ui/frmTransferencia.h"
#include "ui/TrialBalanceFixture.h"

#include <QScrollBar>

namespace qel::annexes {
namespace {

const QString& kRuc = test_support::kTrialBalanceRuc;

using TrialBalanceWindows = test_support::TrialBalanceWindows;

// The file of the folder chosen is transferred; a second transfer starts from zero on screen:
// while its lines are read the counters never show the numbers of the transfer before.
TEST_F(TrialBalanceWindows, TransferWindowTransfersTheFileAndTheNextStartsAtZero) {
    writeTransferFile();
    imports::frmTransferencia dialog(setup());
    dialog.show();
    auto* transferred = dialog.findChild<QLabel*>(QStringLiteral("lblTransferidos"));
    auto* rejected = dialog.findChild<QLabel*>(QStringLiteral("lblRechazados"));
    const QString zero = QStringLiteral("0          Registros Transferidos");
    EXPECT_EQ(transferred->text(), zero);
    dialog.setFolder(database.folder());
    prompter->expectMessage(imports::TrialBalanceTransfer::kSuccess, app::Icon::Exclamation);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdTransferir")), Qt::LeftButton);
    EXPECT_EQ(dialog.model().rejected(), 0);
    EXPECT_EQ(
        database.db().scalar(QStringLiteral("SELECT mov_ejerci_d FROM TMPF582BALANCE WHERE Codigo='101'")).toString(),
        QStringLiteral("1037"));
    ASSERT_NE(transferred->text(), zero);

    writeTransferFile(5);
    dialog.show();
    QStringList shownAtFirstLine;
    dialog.model().beforeLine = [&] {
        if (shownAtFirstLine.isEmpty()) {
            shownAtFirstLine = {transferred->text(), rejected->text()};
        }
    };
    prompter->expectMessage(QStringLiteral("El archivo ") + dialog.model().inputPath() +
                                QStringLiteral(" tiene errores. Verifique los errores en: ") +
                                dialog.model().reportPath(),
                            app::Icon::Critical);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdTransferir")), Qt::LeftButton);
    EXPECT_EQ(shownAtFirstLine, QStringList({zero, QStringLiteral("0          Registros Rechazados")}));
    EXPECT_EQ(rejected->text(), QStringLiteral(" 2 Rechazados"));
}

// The account's code and description stay in sight while the amounts scroll: a second view over
// the grid's model and selection shows them over the grid's left edge.
TEST_F(TrialBalanceWindows, CodeAndDescriptionStayWhileTheAmountsScroll) {
    test::insertRow(database.db(), QStringLiteral("CAB"), test::demoKey(kRuc),
                    {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 0}});
    declaration::testing::storeCasilla(database.db(), test::demoKey(kRuc), QStringLiteral("870"), 2);
    declaration::DeclarationFormModel& form = makeModel();
    declaration::CalculationRules rules(form);
    TrialBalancePage page(form);
    declaration::FormLoader loader(form);
    form.mode = declaration::DeclarationFormModel::Mode::Modify;
    form.openRuc = kRuc;
    loader.load();
    declaration::Frm537& shown = showWindow();
    page.refresh();
    shown.resize(800, 600);
    shown.showPage(QStringLiteral("eeff.balance"));
    QApplication::processEvents();

    auto* grid = test::child<QTableView>(shown, QStringLiteral("grdBalanceAPP"));
    auto* frozen = test::child<QTableView>(*grid, QStringLiteral("grdBalanceAPP_fijas"));
    ASSERT_GT(grid->model()->rowCount(), 1);
    EXPECT_EQ(frozen->model(), grid->model());
    EXPECT_EQ(frozen->selectionModel(), grid->selectionModel());

    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    QApplication::processEvents();
    ASSERT_GT(grid->horizontalScrollBar()->value(), 0) << "the amounts are wider than the page";
    EXPECT_TRUE(frozen->isVisible());
    EXPECT_EQ(frozen->width(), grid->columnWidth(0) + grid->columnWidth(1));
    for (int column = 0; column < grid->model()->columnCount(); ++column) {
        EXPECT_EQ(frozen->isColumnHidden(column), column >= 2) << column;
    }
    const QModelIndex first = grid->model()->index(0, 0);
    const QRect cell = frozen->visualRect(first);
    EXPECT_TRUE(frozen->viewport()->rect().contains(cell.center()));
    EXPECT_EQ(frozen->indexAt(cell.center()).data(), first.data());

    // A click on the frozen part chooses the row in the grid.
    QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {}, frozen->visualRect(grid->model()->index(1, 1)).center());
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

} // namespace
} // namespace qel::annexes
