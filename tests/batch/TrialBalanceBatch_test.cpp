#include "batch/BatchRunner.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::batch {
namespace {

const QString kRuc = QStringLiteral("20100113610");

// A script transfers a balance from its file, lists the page's rows and corrects one account
// in the detail window.
TEST(TrialBalanceBatchTest, TransferListAndDetailFromAScript) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR"));
    QFile file(database.folder() + QStringLiteral("/0588") + kRuc + QStringLiteral("2018.TXT"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("101|100||50|200|||||\r\n601|||80||||||\r\n");
    file.close();

    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    BatchRunner runner(database.db(), out, err,
                       {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    const QString script = QStringLiteral("new\ntaxpayer %1\nclick OptPlan 2\nclick cmdImportar\nfile %2\n"
                                          "click cmdDirectorio\nstate File1\nclick cmdTransferir\n"
                                          "rows grdBalanceAPP\nselect grdBalanceAPP 2\nclick cmdDetalleBalance\n"
                                          "state txtSaldo(1)\ntext txtMovEjer(1) 350\nstate txtSaldo(1)\n"
                                          "click cmdGrabar\nshow 241\n")
                               .arg(kRuc, database.folder());
    ASSERT_EQ(runner.run(script), BatchRunner::kDone) << errors.toStdString() << output.toStdString();
    out.flush();
    EXPECT_TRUE(output.contains(QStringLiteral("File1 = \"0588201001136102018.TXT\""))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("La importación fue satisfactoria.")));
    EXPECT_TRUE(output.contains(QStringLiteral("row 2: 101 | CAJA | 100 | 0 | 50 | 200 | 150 | 200 | 0 | 50 |")))
        << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("| Totales | 100 | 0 | 130 | 200 | 230 | 200 | 80 | 50 |")));
    EXPECT_TRUE(output.contains(QStringLiteral("txtSaldo(1) = \"50\"")));
    EXPECT_TRUE(output.contains(QStringLiteral("txtSaldo(1) = \"200\"")));
    EXPECT_TRUE(output.contains(QStringLiteral("closed frmDetalleBalance")));
    EXPECT_TRUE(output.contains(QStringLiteral("txtValor(241) = \"350\""))) << output.toStdString();
}

} // namespace
} // namespace qel::batch
