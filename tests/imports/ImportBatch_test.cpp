#include "batch/BatchRunner.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
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

} // namespace
} // namespace qel::batch
