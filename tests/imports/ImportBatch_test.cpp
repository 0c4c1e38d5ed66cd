#include "batch/BatchFixture.h"

#include <QTemporaryDir>

namespace qel::batch {
namespace {

// An import window run for real from its grid: folder, dry run, import, the report of the
// rejected line in the preview and in the spool. The file sits in `folder`; reports go to its RPT.
class ImportBatch : public test::BatchTest {
protected:
    QTemporaryDir folder;
};

TEST_F(ImportBatch, AnnexFilesAreImportedWithADryRunFirst) {
    const struct {
        const char* file; // after 0588 and the RUC
        QByteArray bytes;
        const char* script; // of tests/data/batch
        QStringList printed;
        const char* report;
    } cases[] = {
        {"SOCIOS.txt",
         "01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\r\n"
         "02|6|20100047218|INVERSIONES ANDINAS SAC||9589|40|01/02/1995|\r\n"
         "07|1|40123457|OTRO|15/03/1970|9589|1|01/02/1990|\r\n",
         "import_partners.txt",
         {"window frmImportarSocios 1 -\n", "row 1: 058820100113610SOCIOS.txt\n",
          "row 3: 3 | Rechazar | 1 40123457 | El tipo de socio no es válido.\n",
          "window frmPreview 1 -\nlblPagina = \"Página 1 de 1\"\nclosed frmPreview \"\"\n",
          "closed frmImportarSocios \"\"\n", "rows grdPricipalesSocios total 2\n"},
         "RPJ100"},
        // The fields of the vehicle window in its order.
        {"VEHICULOS.TXT",
         "A2|abc-123|45000|10/05/2017|1|1|0|9000|1200|3000|13200|1|0||\r\n"
         "B1.4|XYZ-987|80000|02/01/2016|2|3||16000|||16000|1|1|2|\r\n"
         "A3|QQQ-111|30000|15/01/2019|1|1|||||0|0|0||\r\n",
         "import_vehicles.txt",
         {"window frmImportarU41 1 -\n", "row 1: 058820100113610VEHICULOS.TXT\n",
          "row 3: 3 | Rechazar | A3 QQQ-111 | La fecha de ingreso al patrimonio no puede ser posterior al 31/12 del "
          "ejercicio.\n",
          "closed frmImportarU41 \"\"\n", "rows grdVehiculos total 2\n"},
         "RPJ105"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        test::writeFile(folder.filePath(QStringLiteral("0588") + test::kAndina + QString::fromLatin1(c.file)), c.bytes);
        ASSERT_TRUE(runs(test::batchScript(QString::fromLatin1(c.script), folder.path()),
                         reportsIn(folder.filePath(QStringLiteral("RPT")))));
        expectPrinted(c.printed + QStringList{"rows grdVistaPrevia total 3\n",
                                              "lblAdicionados = \"2  Registros Adicionados.\"\n",
                                              "lblRechazados = \"1  Registros Rechazados.\"\n"});
        // The report is spooled on the day the script fixed.
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT Fecha FROM SPOOL WHERE CodRep=?"), {QString::fromLatin1(c.report)})
                      .toDate(),
                  QDate(2019, 3, 15));
    }
    // The plate is kept in capitals, the empty amounts as no amount, the date as the table keeps
    // dates.
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT des_placa || '|' || mto_alquiler || '|' || Fec_Ing || '|' || "
                                         "ind_ded_gasto || '|' || ifnull(cod_motivo, 'NULL') FROM TMPF584VEHIC "
                                         "WHERE cod_categ='A2'"))
                  .toString(),
              QStringLiteral("ABC-123|0|2017-05-10|1|NULL"));
}

} // namespace
} // namespace qel::batch
