#include "batch/BatchFixture.h"

#include <QDir>
#include <QTemporaryDir>

namespace qel::batch {
namespace {

// An import window run for real from its grid: folder, dry run, import, report. The file of
// each kind sits in `folder`; reports go to its RPT.
class ImportBatch : public test::BatchTest {
protected:
    void writeImportFile(const char* suffix, const QByteArray& bytes) {
        test::writeFile(folder.filePath(QStringLiteral("0588") + test::kAndina + QString::fromLatin1(suffix)), bytes);
    }
    ::testing::AssertionResult runsImport(const QString& script) {
        return runs(script, reportsIn(folder.filePath(QStringLiteral("RPT"))));
    }
    QString spooled(const char* report) {
        return db()
            .scalar(QStringLiteral("SELECT Archivo FROM SPOOL WHERE CodRep=?"), {QString::fromLatin1(report)})
            .toString();
    }
    QTemporaryDir folder;
};

TEST_F(ImportBatch, PartnersImportedFromTheirFileWithADryRunFirst) {
    writeImportFile("SOCIOS.txt", "01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\r\n"
                                  "02|6|20100047218|INVERSIONES ANDINAS SAC||9589|40|01/02/1995|\r\n"
                                  "07|1|40123457|OTRO|15/03/1970|9589|1|01/02/1990|\r\n");
    ASSERT_TRUE(runsImport(test::batchScript(QStringLiteral("import_partners.txt"), folder.path())));
    expectPrinted({
        "window frmImportarSocios 1 -\n",
        "row 1: 058820100113610SOCIOS.txt\n",
        "row 3: 3 | Rechazar | 1 40123457 | El tipo de socio no es válido.\n",
        "rows grdVistaPrevia total 3\n",
        "window frmPreview 1 -\nlblPagina = \"Página 1 de 1\"\nclosed frmPreview \"\"\n",
        "lblAdicionados = \"2  Registros Adicionados.\"\n",
        "lblRechazados = \"1  Registros Rechazados.\"\n",
        "closed frmImportarSocios \"\"\n",
        "rows grdPricipalesSocios total 2\n",
    });
    // The error report went to the spool with its heading and the rejected line.
    const QString name = spooled("RPJ100");
    ASSERT_FALSE(name.isEmpty());
    QFile report(QDir(folder.filePath(QStringLiteral("RPT"))).filePath(name));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(report.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("ERRORES AL IMPORTAR DETALLE DE SOCIOS")));
    EXPECT_TRUE(text.contains(QStringLiteral("El tipo de socio no es válido.")));
}

// The vehicles' grid imports its file as the other annexes do: the fields of the vehicle window
// in its order, a dry run, the import and the report of the rejected vehicle.
TEST_F(ImportBatch, VehiclesImportedFromTheirFile) {
    writeImportFile("VEHICULOS.TXT", "A2|abc-123|45000|10/05/2017|1|1|0|9000|1200|3000|13200|1|0||\r\n"
                                     "B1.4|XYZ-987|80000|02/01/2016|2|3||16000|||16000|1|1|2|\r\n"
                                     "A3|QQQ-111|30000|15/01/2019|1|1|||||0|0|0||\r\n");
    ASSERT_TRUE(runsImport(
        QStringLiteral("today 15/03/2019 10:30:00\nnew\ntaxpayer %1\nclick optAutos 1\nclick cmdVehiculos 3\n"
                       "file %2\nclick cmdCarpeta\nrows lstArchivos\nclick cmdTransferir\nrows grdVistaPrevia\n"
                       "click cmdAceptar\nclick tlbPrevia 5\nstate lblAdicionados\nstate lblRechazados\n"
                       "click cmdCancelar\nrows grdVehiculos\n")
            .arg(test::kAndina, folder.path())));
    expectPrinted({
        "window frmImportarU41 1 -\n",
        "row 1: 058820100113610VEHICULOS.TXT\n",
        "row 3: 3 | Rechazar | A3 QQQ-111 | La fecha de ingreso al patrimonio no puede ser posterior al 31/12 del "
        "ejercicio.\n",
        "rows grdVistaPrevia total 3\n",
        "lblAdicionados = \"2  Registros Adicionados.\"\n",
        "lblRechazados = \"1  Registros Rechazados.\"\n",
        "closed frmImportarU41 \"\"\n",
        "rows grdVehiculos total 2\n",
    });
    EXPECT_FALSE(output.contains(QStringLiteral("próxima versión"))) << output.toStdString();
    // The plate is kept in capitals, the empty amounts as no amount, the date as the table keeps
    // dates.
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT des_placa || '|' || mto_alquiler || '|' || Fec_Ing || '|' || "
                                         "ind_ded_gasto || '|' || ifnull(cod_motivo, 'NULL') FROM TMPF584VEHIC "
                                         "WHERE cod_categ='A2'"))
                  .toString(),
              QStringLiteral("ABC-123|0|2017-05-10|1|NULL"));
    EXPECT_FALSE(spooled("RPJ105").isEmpty());
}

} // namespace
} // namespace qel::batch
