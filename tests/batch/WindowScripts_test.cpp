// The windows of the declaration form run for real by scripts: what they print and what they
// leave stored.
#include "batch/BatchFixture.h"
#include "declaration/model/WorkingCasillas.h"
#include "management/SentVersionsFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace qel::batch {
namespace {

using AssistantBatchTest = test::BatchTest;
using PartnersBatch = test::BatchTest;
using AssistantImportBatch = test::BatchTest;
using TrialBalanceBatchTest = test::BatchTest;
using HelpBatch = test::BatchTest;
using BatchWriteFailure = test::BatchTest;

TEST_F(AssistantBatchTest, MonthlyPaymentsAndDonationsAreStoredAsTyped) {
    ASSERT_TRUE(runs(test::batchScript(QStringLiteral("assistant_and_donations.txt"))));
    expectPrinted({
        "row 14: 02 - 2019 |  | 300 |  |  |  |  | 300\n",
        "txtTotal = \"4600\"\n",
        "closed FrmAnexo128 \"4600\"\n",
        "message critical \"\" \"Ya existe registrada una donación para ese número de RUC y Fecha\"",
        "txtTotal = \"4,600\"\n",
        "closed frmListDetDonaciones \"4600\"\n",
        "txtValor(227) = \"(4,600)\"",
        "row 2: DE ALIMENTOS EN BUEN ESTADO A BANCO | ALIMENTOS",
    });
    // Reopened, the same totals and rows.
    EXPECT_EQ(output.count(QStringLiteral("rows grdDetalleCasilla total 2\n")), 2) << output.toStdString();
    EXPECT_EQ(output.count(QStringLiteral("txtValor(128) = \"(4,600)\"")), 3) << output.toStdString();

    EXPECT_EQ(
        test::tableRows(db(), QStringLiteral("ACTA"), {"TIPO_ASIST", "PER_PAG", "saluti", "compen", "pago_r"}, {}),
        (QStringList{"4|201801|1000|0|2500", "4|201803|0|0|800", "4|201902|0|300|0"}));
    EXPECT_EQ(test::tableRows(db(), QStringLiteral("F586DONAC"),
                              {"TIP_DONACION", "num_documento", "fec_donacion", "mto_donacion"}, {}),
              (QStringList{"B1|20131312955|2018-06-15|4000", "D|20131312955|2018-07-20|600"}));
    EXPECT_EQ(test::wrongCheckCodes(db(), test::demoKey(test::kAndina)), QStringList());
}

// The vehicles owned and the net income by year, opened from the buttons of frmVehiculos.
TEST_F(AssistantBatchTest, VehicleDetailsHandTheirTotalsBack) {
    ASSERT_TRUE(runs(test::batchScript(QStringLiteral("vehicle_details.txt"))));
    expectPrinted({
        "message exclamation \"Vehículos de Propiedad de la Empresa - Casilla 705\" \"El número de vehículos de "
        "propiedad de la empresa debe ser mayor a cero.\"\nrefused CmdGrabar\nclosed frmvehcas705 \"3\"\n",
        "txtCasilla706 = \"3,000,000\"\nclosed frmvehcas706 \"3000000\"\n",
        "txtCasilla705 = \"3\"\ntxtCasilla706 = \"3,000,000\"\nclosed frmVehiculos \"2\"\n",
        "txtValor(877) = \"2\"",
    });
    // The months and the years side by side in the working rows of 706.
    EXPECT_EQ(test::tableRows(db(), QStringLiteral("TMPF572DETBAS"),
                              {QStringLiteral("per_mes"), QStringLiteral("mto_monto")},
                              {QStringLiteral(" WHERE CAS_ADI = '706'"), {}}),
              (QStringList{"01|150000", "2015|1000000", "2016|2000000"}));
}

// A script fills the principal partners through the partners' window, deletes one, modifies
// another and saves: the stored rows carry their check codes and the partners' rules are met.
TEST_F(PartnersBatch, PartnersAddedModifiedDeletedAndSaved) {
    ASSERT_TRUE(runs(test::batchScript(QStringLiteral("partners.txt"))));
    expectPrinted({
        "window frmDetalleSocios 1 -\n",
        "control cboTipoSocio combo\ncontrol cboTipoDoc combo\ncontrol txtNroDoc text\n",
        "message critical \"\" \"La cantidad ingresada supera el máximo permitido.\"\n",
        "Porcentaje = \"10.01\" enabled\n",
        "closed frmDetalleSocios \"\"\n",
        "row 4: P.JURIDICA NO DOMICILIADA | HOLDING DEL SUR LTD | DOC.TRIB. | X998877 |  | ESTADOS UNIDOS | 10.00 | \n",
        "question \"",
        "\"Desea eliminar los datos del socio ?\" -> Si\n",
        "window frmDetalleSocios 2 -\n",
        "nro_doc_socio = \"40123456\" disabled\n",
        "row 1: P.NATURAL DOMICILIADA | PEÑA DIAZ JUAN | DNI | 40123456 | 15/03/1970 | PERU | 50.00 | 01/02/1990\n",
        "rows grdPricipalesSocios total 3\n",
        "lblTotalSocios = \"Total % de participación sobre el capital : 100.00\" enabled\n",
    });
    EXPECT_FALSE(output.contains(QStringLiteral("principales socios"), Qt::CaseInsensitive)) << output.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("100 principales"), Qt::CaseInsensitive));
    // The stored partners, each with the check code of its own values.
    EXPECT_EQ(test::tableRows(db(), QStringLiteral("F535SOCIOS"), {"Porcentaje"}, {}), (QStringList{"20", "30", "50"}));
    EXPECT_EQ(test::wrongCheckCodes(db(), test::demoKey(test::kAndina)), QStringList());
}

// The casilla assistants import their rows through the import window of their kind, and the
// grid and the casilla show what was imported.
TEST_F(AssistantImportBatch, BalancesAndMovementsComeFromTheirFiles) {
    const QString ruc = QStringLiteral("20601000211");
    test::registerTaxpayer(db(), ruc, QStringLiteral("CONFECCIONES DEL PACÍFICO S.A.C."), test::kContador);
    QTemporaryDir folder;
    test::writeFile(folder.filePath(QStringLiteral("0588") + ruc + QStringLiteral("361.TXT")),
                    "6|20100047218|0|DISTRIBUIDORA NORTE SAC||||38000|\r\n"
                    "1|41234567|1||QUISPE|MAMANI|ROSA|15000|\r\n"
                    "1|41234568|1||PEREZ|DIAZ|ANA|12450|\r\n");
    test::writeFile(folder.filePath(QStringLiteral("0588") + ruc + QStringLiteral("382.TXT")),
                    "1|400000|0|0|0|0|0|0|0|0|400000|\n"
                    "2|700000|150000|0|0|0|0|0|0|0|850000|\n");
    ASSERT_TRUE(runs(test::batchScript(QStringLiteral("import_assistants.txt"), folder.path()),
                     reportsIn(folder.filePath(QStringLiteral("RPT")))));
    expectPrinted({
        "window frmImportarCasEF 1 361\n",
        "El Saldo debe ser Mayor a 3 UIT",
        "lblAdicionados = \"2  Registros Adicionados.\"\n",
        "lblRechazados = \"1  Registros Rechazados.\"\n",
        "rows grdDetalleCasilla total 2\n",
        "txtTotal = \"53,000\"\n",
        "closed frmAsisCasillasEF \"53000\"\n",
        "window frmImportarGastoPresent 1 382\n",
        "txtTotal = \"1,250,000\"\n",
        "closed FrmAnexo317A \"1250000\"\n",
        "txtValor(361) = \"53,000\"",
        "txtValor(382) = \"1,250,000\"",
    });
    EXPECT_EQ(declaration::WorkingCasillas::value(db(), test::demoKey(ruc), 632), QStringLiteral("150000"));
}

// A script transfers a balance from its file, lists the page's rows and corrects one account
// in the detail window.
TEST_F(TrialBalanceBatchTest, TransferListAndDetailFromAScript) {
    test::writeFile(database.folder() + QStringLiteral("/0588") + test::kAndina + QStringLiteral("2018.TXT"),
                    "101|100||50|200|||||\r\n601|||80||||||\r\n");
    ASSERT_TRUE(runs(QStringLiteral("new\ntaxpayer %1\nclick OptPlan 2\nclick cmdImportar\nfile %2\n"
                                    "click cmdDirectorio\nstate File1\nclick cmdTransferir\n"
                                    "rows grdBalanceAPP\nselect grdBalanceAPP 2\nclick cmdDetalleBalance\n"
                                    "state txtSaldo(1)\ntext txtMovEjer(1) 350\nstate txtSaldo(1)\n"
                                    "click cmdGrabar\nshow 241\n")
                         .arg(test::kAndina, database.folder())));
    expectPrinted({"File1 = \"0588201001136102018.TXT\"", "La importación fue satisfactoria.",
                   "row 2: 101 | CAJA | 100 | 0 | 50 | 200 | 150 | 200 | 0 | 50 |",
                   "| Totales | 100 | 0 | 130 | 200 | 230 | 200 | 80 | 50 |", "txtSaldo(1) = \"50\"",
                   "txtSaldo(1) = \"200\"", "closed frmDetalleBalance", "txtValor(241) = \"350\""});
}

// The help of the menu: the search walks the matching lines and starts over after the last; a
// text that is nowhere says so; the contents button goes back.
TEST_F(HelpBatch, SearchWalksTheMatchesAndSaysWhenThereAreNone) {
    ASSERT_TRUE(runs(QStringLiteral("menu mnuContenido\nstate lblTema\ntext txtBuscar Mens.txt\n"
                                    "click cmdBuscar\nstate lblBuscar\nclick cmdBuscar\nstate lblBuscar\n"
                                    "click cmdBuscar\nstate lblBuscar\n"
                                    "text txtBuscar palabra que no está\nclick cmdBuscar\nstate lblBuscar\n"
                                    "click cmdContenido\nstate lblTema\nclick cmdCerrar\n")));
    expectPrinted({"menu mnuContenido -> frmAyuda\n", "lblTema = \"contenido\"\n", "closed frmAyuda"});
    const QStringList found =
        output.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^lblBuscar = ")));
    ASSERT_EQ(found.size(), 4) << output.toStdString();
    EXPECT_TRUE(found.at(0).contains(QStringLiteral("Mens.txt")));
    EXPECT_TRUE(found.at(1).contains(QStringLiteral("Mens.txt")));
    EXPECT_NE(found.at(0), found.at(1)); // the help names the report file on two lines
    EXPECT_EQ(found.at(2), found.at(0)); // and the search starts over after the last
    EXPECT_EQ(found.at(3), QStringLiteral("lblBuscar = \"No se encontró «palabra que no está».\""));
}

// A save that the database refuses half-way (a full disk, here a trigger that fails the write):
// the batch says why, the stored declaration and the typed form stay as they were, and the exit
// code is not 0.
TEST_F(BatchWriteFailure, AFailedSaveSaysWhyKeepsEverythingAndEndsWithCode3) {
    const QString ruc = QStringLiteral("20100070970");
    test::registerTaxpayer(db(), ruc, QStringLiteral("D'ONOFRIO S.A."), test::kContador);
    test::addStoredDeclaration(db(), test::demoKey(ruc), {{359, QStringLiteral("500")}});
    for (const char* event : {"INSERT", "DELETE", "UPDATE"}) {
        for (const char* table : {"DET", "CAB"}) {
            db().run(QStringLiteral("CREATE TRIGGER lleno_%1_%2 BEFORE %1 ON %2 BEGIN "
                                    "SELECT RAISE(ABORT, 'database or disk is full'); END")
                         .arg(QString::fromLatin1(event), QString::fromLatin1(table)))
                .finish();
        }
    }
    EXPECT_EQ(run(QStringLiteral("open %1\nclick OptITF 0\nclick OptPlan 2\ntype 359 1000\nsave\nshow 359\n").arg(ruc)),
              BatchRunner::kWriteFailed)
        << output.toStdString() << errors.toStdString();
    expectPrinted({"message critical \"Error al Ejecutar Sentencia SQL\"", "database or disk is full",
                   "txtValor(359) = \"1,000\""}); // the typed value stays in the form
    EXPECT_EQ(
        db().scalar(QStringLiteral("SELECT i_valor FROM DET WHERE CASILLA='359' AND DOC_ID_D=?"), {ruc}).toString(),
        QStringLiteral("500"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT ESTADO FROM CAB WHERE DOC_ID_D=?"), {ruc}).toInt(), 0);
}

} // namespace
} // namespace qel::batch
