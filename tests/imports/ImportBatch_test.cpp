#include "batch/BatchRunner.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::batch {
namespace {

const QString kRuc = QStringLiteral("20100113610");

// The import window runs for real from the partners' grid: folder, dry run, import, report.
TEST(ImportBatch, PartnersImportedFromTheirFileWithADryRunFirst) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR"));
    QTemporaryDir folder;
    QFile partners(folder.filePath(QStringLiteral("0588") + kRuc + QStringLiteral("SOCIOS.txt")));
    ASSERT_TRUE(partners.open(QIODevice::WriteOnly));
    partners.write("01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\r\n"
                   "02|6|20100047218|INVERSIONES ANDINAS SAC||9589|40|01/02/1995|\r\n"
                   "07|1|40123457|OTRO|15/03/1970|9589|1|01/02/1990|\r\n");
    partners.close();
    QFile scriptFile(QStringLiteral(QEL_TEST_DATA_DIR "/batch/import_partners.txt"));
    ASSERT_TRUE(scriptFile.open(QIODevice::ReadOnly));
    const QString script = QString::fromUtf8(scriptFile.readAll()).replace(QStringLiteral("FOLDER"), folder.path());

    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    BatchRunner runner(database.db(), out, err,
                       {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    runner.setReportFolder(folder.filePath(QStringLiteral("RPT")));
    ASSERT_EQ(runner.run(script), BatchRunner::kDone) << errors.toStdString() << output.toStdString();
    out.flush();
    for (const QString& expected : {
             QStringLiteral("window frmImportarSocios 1 -\n"),
             QStringLiteral("row 1: 0588") + kRuc + QStringLiteral("SOCIOS.txt\n"),
             QStringLiteral("row 3: 3 | Rechazar | 1 40123457 | El tipo de socio no es válido.\n"),
             QStringLiteral("rows grdVistaPrevia total 3\n"),
             QStringLiteral("window frmPreview 1 -\nlblPagina = \"Página 1 de 1\"\nclosed frmPreview \"\"\n"),
             QStringLiteral("lblAdicionados = \"2  Registros Adicionados.\"\n"),
             QStringLiteral("lblRechazados = \"1  Registros Rechazados.\"\n"),
             QStringLiteral("closed frmImportarSocios \"\"\n"),
             QStringLiteral("rows grdPricipalesSocios total 2\n"),
         }) {
        EXPECT_TRUE(output.contains(expected)) << expected.toStdString() << "\n---\n" << output.toStdString();
    }
    // The error report went to the spool with its heading and the rejected line.
    const QString spooled =
        database.db().scalar(QStringLiteral("SELECT Archivo FROM SPOOL WHERE CodRep='RPJ100'")).toString();
    ASSERT_FALSE(spooled.isEmpty());
    QFile report(QDir(folder.filePath(QStringLiteral("RPT"))).filePath(spooled));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(report.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("ERRORES AL IMPORTAR DETALLE DE SOCIOS")));
    EXPECT_TRUE(text.contains(QStringLiteral("El tipo de socio no es válido.")));
}

// The vehicles' grid imports its file as the other annexes do: the fields of the vehicle window
// in its order, a dry run, the import and the report of the rejected vehicle.
TEST(ImportBatch, VehiclesImportedFromTheirFile) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR"));
    QTemporaryDir folder;
    QFile vehicles(folder.filePath(QStringLiteral("0588") + kRuc + QStringLiteral("VEHICULOS.TXT")));
    ASSERT_TRUE(vehicles.open(QIODevice::WriteOnly));
    vehicles.write("A2|abc-123|45000|10/05/2017|1|1|0|9000|1200|3000|13200|1|0||\r\n"
                   "B1.4|XYZ-987|80000|02/01/2016|2|3||16000|||16000|1|1|2|\r\n"
                   "A3|QQQ-111|30000|15/01/2019|1|1|||||0|0|0||\r\n");
    vehicles.close();
    const QString script =
        QStringLiteral("today 15/03/2019 10:30:00\nnew\ntaxpayer %1\nclick optAutos 1\nclick cmdVehiculos 3\n"
                       "file %2\nclick cmdCarpeta\nrows lstArchivos\nclick cmdTransferir\nrows grdVistaPrevia\n"
                       "click cmdAceptar\nclick tlbPrevia 5\nstate lblAdicionados\nstate lblRechazados\n"
                       "click cmdCancelar\nrows grdVehiculos\n")
            .arg(kRuc, folder.path());

    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    BatchRunner runner(database.db(), out, err,
                       {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    runner.setReportFolder(folder.filePath(QStringLiteral("RPT")));
    ASSERT_EQ(runner.run(script), BatchRunner::kDone) << errors.toStdString() << output.toStdString();
    out.flush();
    for (const QString& expected : {
             QStringLiteral("window frmImportarU41 1 -\n"),
             QStringLiteral("row 1: 0588") + kRuc + QStringLiteral("VEHICULOS.TXT\n"),
             QStringLiteral("row 3: 3 | Rechazar | A3 QQQ-111 | La fecha de ingreso al patrimonio no puede ser "
                            "posterior al 31/12 del ejercicio.\n"),
             QStringLiteral("rows grdVistaPrevia total 3\n"),
             QStringLiteral("lblAdicionados = \"2  Registros Adicionados.\"\n"),
             QStringLiteral("lblRechazados = \"1  Registros Rechazados.\"\n"),
             QStringLiteral("closed frmImportarU41 \"\"\n"),
             QStringLiteral("rows grdVehiculos total 2\n"),
         }) {
        EXPECT_TRUE(output.contains(expected)) << expected.toStdString() << "\n---\n" << output.toStdString();
    }
    EXPECT_FALSE(output.contains(QStringLiteral("próxima versión"))) << output.toStdString();
    // The plate is kept in capitals, the empty amounts as no amount, the date as the table keeps dates.
    QSqlQuery row = database.db().run(QStringLiteral(
        "SELECT des_placa, mto_alquiler, Fec_Ing, ind_ded_gasto, cod_motivo FROM TMPF584VEHIC WHERE cod_categ='A2'"));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), QStringLiteral("ABC-123"));
    EXPECT_EQ(row.value(1).toString(), QStringLiteral("0"));
    EXPECT_EQ(row.value(2).toString(), QStringLiteral("2017-05-10"));
    EXPECT_EQ(row.value(3).toString(), QStringLiteral("1"));
    EXPECT_TRUE(row.value(4).isNull());
    row.finish();
    EXPECT_FALSE(
        database.db().scalar(QStringLiteral("SELECT Archivo FROM SPOOL WHERE CodRep='RPJ105'")).toString().isEmpty());
}

} // namespace
} // namespace qel::batch
