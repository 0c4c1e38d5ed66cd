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

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSqlQuery>

namespace qel::annexes {
namespace {

const QString kRuc = QStringLiteral("20100113610");

class TrialBalanceScreenshots : public declaration::Frm537Fixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
        TrialBalanceTable(database.db(), test::demoKey(kRuc), QStringLiteral("2")).rebuild();
    }

    imports::TrialBalanceTransfer::Setup setup() {
        return {database.db(),       *prompter,           clock,
                test::demoKey(kRuc), QStringLiteral("2"), database.folder() + QStringLiteral("/RPT"),
                database.folder()};
    }
    // A file of every account of the business chart; `bad` lines get a negative amount.
    void writeTransferFile(int bad = -1) {
        QSqlQuery accounts = database.db().run(
            QStringLiteral("SELECT codigo, indica FROM F544BALCUEN WHERE plan='2' AND codigo<>'89' ORDER BY codigo"));
        QByteArray bytes;
        int line = 0;
        while (accounts.next()) {
            const QByteArray code = accounts.value(0).toString().toLatin1();
            const bool result = accounts.value(1).toString() == QLatin1String("2");
            const QByteArray amount = QByteArray::number(1000 + (line * 37) % 900);
            QList<QByteArray> fields(8);
            if (bad >= 0 && (line == bad || line == bad + 40)) {
                fields[2] = "-" + amount;
            } else if (result) {
                fields[line % 2 ? 2 : 3] = amount;
            } else {
                fields[0] = amount;
                fields[2] = amount;
                fields[3] = QByteArray::number(line);
            }
            bytes += code + '|';
            for (const QByteArray& field : fields) {
                bytes += field + '|';
            }
            bytes += "\r\n";
            ++line;
        }
        QFile file(database.folder() + QStringLiteral("/0588") + kRuc + QStringLiteral("2018.TXT"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString amount(const QString& code, const QString& column) {
        return database.db()
            .scalar(QStringLiteral("SELECT %1 FROM TMPF582BALANCE WHERE Codigo=?").arg(column), {code})
            .toString();
    }
};

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
