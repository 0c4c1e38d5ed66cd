// Pictures of the trial balance windows for a person to look at: the transfer with two bad
// lines and its error report, the page of the form with a transferred balance and the detail
// window: /tmp/shots/15. Run with
//   qel_screenshots --gtest_filter='TrialBalanceScreenshots*'
#include "annexes/TrialBalancePage.h"
#include "annexes/ui/frmDetalleBalance.h"
#include "declaration/commands/FormLoader.h"
#include "declaration/rules/CalculationRules.h"
#include "imports/ui/frmTransferencia.h"
#include "support/FormServices.h"
#include "ui/Frm537Fixture.h"
#include "ui/TrialBalanceFixture.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSqlQuery>

namespace qel::annexes {
namespace {

const QString& kRuc = test_support::kTrialBalanceRuc;

using TrialBalanceScreenshots = test_support::TrialBalanceWindows;

TEST_F(TrialBalanceScreenshots, TransferErrorReportPageAndDetail) {
    const QString folder = QStringLiteral("/tmp/shots/15");
    QDir().mkpath(folder);
    test::insertRow(database.db(), QStringLiteral("CAB"), test::demoKey(kRuc),
                    {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 0}});
    test::insertRow(database.db(), QStringLiteral("DET"), test::demoKey(kRuc),
                    {{QStringLiteral("SEMANA"), 0},
                     {QStringLiteral("CASILLA"), QStringLiteral("870")},
                     {QStringLiteral("i_valor"), QStringLiteral("2")}});

    // The transfer with two bad lines, its window and its error report.
    writeTransferFile(120);
    imports::frmTransferencia transfer(setup());
    transfer.setFolder(database.folder());
    transfer.show();
    prompter->expectMessage(QStringLiteral("El archivo ") + transfer.model().inputPath() +
                            QStringLiteral(" tiene errores. Verifique los errores en: ") +
                            transfer.model().reportPath());
    transfer.transferir();
    EXPECT_TRUE(transfer.grab().save(folder + QStringLiteral("/frmTransferencia.png")));
    QFile report(transfer.model().reportPath());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    QPlainTextEdit reportView(QString::fromUtf8(report.readAll()));
    reportView.setFont(QFont(QStringLiteral("Monospace"), 9));
    reportView.resize(640, 260);
    reportView.show();
    EXPECT_TRUE(reportView.grab().save(folder + QStringLiteral("/error-report.png")));

    // The page of the declaration form with the transferred balance.
    declaration::DeclarationFormModel& form = makeModel();
    declaration::CalculationRules rules(form);
    TrialBalancePage page(form);
    declaration::FormLoader loader(form);
    form.mode = declaration::DeclarationFormModel::Mode::Modify;
    form.openRuc = kRuc;
    loader.load();
    writeTransferFile();
    imports::TrialBalanceTransfer clean(setup());
    clean.setFolder(database.folder());
    prompter->expectMessage(imports::TrialBalanceTransfer::kSuccess);
    ASSERT_TRUE(clean.transfer());
    declaration::Frm537& shown = showWindow();
    page.refresh();
    shown.resize(1024, 740);
    shown.showPage(QStringLiteral("eeff.balance"));
    QApplication::processEvents();
    EXPECT_TRUE(shown.grab().save(folder + QStringLiteral("/balance-page.png")));

    frmDetalleBalance detail(page.table(), *prompter, QStringLiteral("2018"), QStringLiteral("104"));
    detail.show();
    QApplication::processEvents();
    EXPECT_TRUE(detail.grab().save(folder + QStringLiteral("/frmDetalleBalance.png")));
}

} // namespace
} // namespace qel::annexes
