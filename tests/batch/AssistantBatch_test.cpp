#include "batch/BatchRunner.h"
#include "store/RowCheckCode.h"
#include "store/TableCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QSqlQuery>
#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::batch {
namespace {

const QString kRuc = QStringLiteral("20100113610");

// Every stored row of the declaration in `table`, as "col=value" texts of the columns asked
// for; and whether each row's check code is the one its values give.
QStringList storedRows(store::Database& db, const QString& table, const QStringList& columns, bool* codesRight) {
    const store::TableLayout layout = store::TableCatalog::instance().layout(table, store::Copy::Permanent);
    const store::SqlFilter filter = test::demoKey(kRuc).filter();
    QSqlQuery q = db.run(QStringLiteral("SELECT * FROM ") + table + filter.text + QStringLiteral(" ORDER BY rowid"),
                         filter.values);
    QStringList rows;
    while (q.next()) {
        QVariantList values;
        QStringList shown;
        for (int i = 0; i < layout.columns.size(); ++i) {
            values.append(q.value(i));
        }
        for (const QString& column : columns) {
            shown.append(q.value(column).toString());
        }
        rows.append(shown.join(QLatin1Char('|')));
        *codesRight = *codesRight &&
                      values.last().toString() == store::RowCheckCode(values, layout.columnTypes(), layout.keyCount);
    }
    return rows;
}

TEST(AssistantBatchTest, MonthlyPaymentsAndDonationsAreStoredAsTyped) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR"));
    QFile file(QStringLiteral(QEL_TEST_DATA_DIR "/batch/assistant_and_donations.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    BatchRunner runner(database.db(), out, err,
                       {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    ASSERT_EQ(runner.run(QString::fromUtf8(file.readAll())), BatchRunner::kDone)
        << errors.toStdString() << output.toStdString();

    for (const char* expected : {
             "row 14: 02 - 2019 |  | 300 |  |  |  |  | 300\n",
             "txtTotal = \"4600\"\n",
             "closed FrmAnexo128 \"4600\"\n",
             "txtValor(128) = \"(4,600)\"",
             "message critical \"\" \"Ya existe registrada una donación para ese número de RUC y Fecha\"",
             "rows grdDetalleCasilla total 2\n",
             "txtTotal = \"4,600\"\n",
             "closed frmListDetDonaciones \"4600\"\n",
             "txtValor(227) = \"(4,600)\"",
         }) {
        EXPECT_TRUE(output.contains(QString::fromUtf8(expected))) << expected << "\n" << output.toStdString();
    }
    // Reopened, the same totals and rows.
    EXPECT_EQ(output.count(QStringLiteral("rows grdDetalleCasilla total 2\n")), 2) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("row 2: DE ALIMENTOS EN BUEN ESTADO A BANCO | ALIMENTOS")))
        << output.toStdString();
    EXPECT_EQ(output.count(QStringLiteral("txtValor(128) = \"(4,600)\"")), 3) << output.toStdString();

    bool codesRight = true;
    EXPECT_EQ(storedRows(database.db(), QStringLiteral("ACTA"),
                         {QStringLiteral("TIPO_ASIST"), QStringLiteral("PER_PAG"), QStringLiteral("saluti"),
                          QStringLiteral("compen"), QStringLiteral("pago_r")},
                         &codesRight),
              (QStringList{QStringLiteral("4|201801|1000|0|2500"), QStringLiteral("4|201803|0|0|800"),
                           QStringLiteral("4|201902|0|300|0")}));
    EXPECT_EQ(storedRows(database.db(), QStringLiteral("F586DONAC"),
                         {QStringLiteral("TIP_DONACION"), QStringLiteral("num_documento"),
                          QStringLiteral("fec_donacion"), QStringLiteral("mto_donacion")},
                         &codesRight),
              (QStringList{QStringLiteral("B1|20131312955|2018-06-15|4000"),
                           QStringLiteral("D|20131312955|2018-07-20|600")}));
    EXPECT_TRUE(codesRight);
}

// The vehicles owned and the net income by year, opened from the buttons of frmVehiculos.
TEST(AssistantBatchTest, VehicleDetailsHandTheirTotalsBack) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR"));
    QFile file(QStringLiteral(QEL_TEST_DATA_DIR "/batch/vehicle_details.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    BatchRunner runner(database.db(), out, err,
                       {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    ASSERT_EQ(runner.run(QString::fromUtf8(file.readAll())), BatchRunner::kDone)
        << errors.toStdString() << output.toStdString();
    for (const char* expected : {
             "message exclamation \"Vehículos de Propiedad de la Empresa - Casilla 705\" \"El número de vehículos de "
             "propiedad de la empresa debe ser mayor a cero.\"\nrefused CmdGrabar\nclosed frmvehcas705 \"3\"\n",
             "txtCasilla706 = \"3,000,000\"\nclosed frmvehcas706 \"3000000\"\n",
             "txtCasilla705 = \"3\"\ntxtCasilla706 = \"3,000,000\"\nclosed frmVehiculos \"2\"\n",
             "txtValor(877) = \"2\"",
         }) {
        EXPECT_TRUE(output.contains(QString::fromUtf8(expected))) << expected << "\n" << output.toStdString();
    }
    // The months and the years side by side in the working rows of 706.
    QSqlQuery rows = database.db().run(
        QStringLiteral("SELECT per_mes, mto_monto FROM TMPF572DETBAS WHERE CAS_ADI = '706' ORDER BY per_mes"));
    QStringList kept;
    while (rows.next()) {
        kept.append(rows.value(0).toString() + QLatin1Char('|') + rows.value(1).toString());
    }
    EXPECT_EQ(kept, (QStringList{QStringLiteral("01|150000"), QStringLiteral("2015|1000000"),
                                 QStringLiteral("2016|2000000")}));
}

} // namespace
} // namespace qel::batch
