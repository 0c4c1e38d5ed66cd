// The windows of the declaration form run for real by scripts: what they print and what they
// leave stored.
#include "batch/BatchFixture.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/model/WorkingCasillas.h"
#include "management/SentVersionsFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace qel::batch {
namespace {

using AssistantBatchTest = test::BatchTest;
using AssistantDemoTest = test::BatchTest;
using AmazoniaInvestments = test::BatchTest;
using PartnersBatch = test::BatchTest;
using AssistantImportBatch = test::BatchTest;
using TrialBalanceBatchTest = test::BatchTest;
using HelpBatch = test::BatchTest;
using MenuWindows = test::BatchTest;
using BatchWriteFailure = test::BatchTest;

TEST_F(AssistantBatchTest, MonthlyPaymentsAndDonationsAreStoredAsTyped) {
    ASSERT_TRUE(runs(test::batchScript(u"assistant_and_donations.txt"_s)));
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
    EXPECT_EQ(output.count(u"rows grdDetalleCasilla total 2\n"_s), 2) << output.toStdString();
    EXPECT_EQ(output.count(u"txtValor(128) = \"(4,600)\""_s), 3) << output.toStdString();

    EXPECT_EQ(test::tableRows(db(), u"ACTA"_s, {"TIPO_ASIST", "PER_PAG", "saluti", "compen", "pago_r"}, {}),
              (QStringList{"4|201801|1000|0|2500", "4|201803|0|0|800", "4|201902|0|300|0"}));
    EXPECT_EQ(
        test::tableRows(db(), u"F586DONAC"_s, {"TIP_DONACION", "num_documento", "fec_donacion", "mto_donacion"}, {}),
        (QStringList{"B1|20131312955|2018-06-15|4000", "D|20131312955|2018-07-20|600"}));
    EXPECT_EQ(test::wrongCheckCodes(db(), test::demoKey(test::kAndina)), QStringList());
}

// The vehicles owned and the net income by year, opened from the buttons of frmVehiculos.
TEST_F(AssistantBatchTest, VehicleDetailsHandTheirTotalsBack) {
    ASSERT_TRUE(runs(test::batchScript(u"vehicle_details.txt"_s)));
    expectPrinted({
        "message exclamation \"Vehículos de Propiedad de la Empresa - Casilla 705\" \"El número de vehículos de "
        "propiedad de la empresa debe ser mayor a cero.\"\nrefused CmdGrabar\nclosed frmvehcas705 \"3\"\n",
        "txtCasilla706 = \"3,000,000\"\nclosed frmvehcas706 \"3000000\"\n",
        "txtCasilla705 = \"3\"\ntxtCasilla706 = \"3,000,000\"\nclosed frmVehiculos \"2\"\n",
        "txtValor(877) = \"2\"",
    });
    // The months and the years side by side in the working rows of 706.
    EXPECT_EQ(test::tableRows(db(), u"TMPF572DETBAS"_s, {"per_mes", "mto_monto"}, {u" WHERE CAS_ADI = '706'"_s, {}}),
              (QStringList{"01|150000", "2015|1000000", "2016|2000000"}));
}

// The demo return whose income statement and tax base are typed through their assistants and
// the detail windows of the form's subjects saves as consistent: the casillas the assistants
// keep reach DET and the rows of the detail windows their permanent tables. (The boxes the
// return shows, and that a save after opening again keeps every row, the demo returns' own
// test checks.)
TEST_F(AssistantDemoTest, TypedThroughItsAssistantsItSavesConsistentAndComesBack) {
    const QString ruc = u"20601000211"_s;
    test::registerTaxpayer(db(), ruc, u"CONFECCIONES DEL PACÍFICO S.A.C."_s, test::kContador);
    const store::DeclarationKey key = test::demoKey(ruc);
    const auto stored = [&](int casilla) {
        store::SqlFilter where = key.filter();
        where.andCondition(u"CAST(CASILLA AS INTEGER)=?"_s, {casilla});
        return db().scalar(u"SELECT i_valor FROM DET"_s + where.text, where.values).toString();
    };

    ASSERT_TRUE(runs(test::demoReturnScript(u"i_asistentes.txt"_s) + u"\nsave\n"_s));
    expectPrinted({declaration::SaveCommand::kSavedConsistent});
    const std::pair<int, const char*> casillas[] = {
        {514, "1490000"}, {797, "1690000"}, {670, "2800000"}, {671, "50000"},  {590, "42300"}, {600, "3200"},
        {631, "1350000"}, {638, "50000"},   {601, "460000"},  {609, "520000"}, {522, "2000"},  {545, "1500"}};
    for (const auto& [casilla, value] : casillas) {
        EXPECT_EQ(stored(casilla), QString::fromLatin1(value)) << casilla;
    }
    // The counterparts of 361, the movement lines and the rows of the detail windows.
    const QList<std::pair<QString, int>> tables = {
        {u"F535CASEF"_s, 2},   {u"F535MOV_IME"_s, 3}, {u"F535MOVDA_IME"_s, 2}, {u"F544ADICDEDUC"_s, 1},
        {u"F582OTRGAS"_s, 1},  {u"F535INVEXT"_s, 1},  {u"F535FIDEICO"_s, 1},   {u"F535GNDOMRRTA"_s, 1},
        {u"F582NODOMIC"_s, 1}, {u"F4170DET"_s, 2},    {u"F572DETBAS"_s, 12}};
    for (const auto& [table, rows] : tables) {
        EXPECT_EQ(test::rowCount(db(), table, key), rows) << table.toStdString();
    }
}

// The fixed assets in the Amazonía are detailed line by line behind casilla 223: an empty list
// leaves the amount typed, its total becomes the box, and the lines are stored with the
// declaration while the domicile is in the Amazonía.
TEST_F(AmazoniaInvestments, TheLinesMakeUpCasilla223AndLeaveWithTheDomicile) {
    const auto storedLines = [this] {
        const store::SqlFilter filter = test::demoKey(test::kAndina).filter();
        return db()
            .scalar(u"SELECT count(*) FROM F540DISLEG"_s + filter.text + u" AND CASILLA='223'"_s, filter.values)
            .toInt();
    };
    ASSERT_TRUE(runs(test::batchScript(u"amazonia_investments.txt"_s)));
    expectPrinted({
        // An empty list leaves the amount typed.
        "TxtActFijAmazonia = \"5000\" enabled\n",
        "message critical \"\" \"El monto debe ser mayor a 0.\"",
        "txtTotal = \"150,000\"\n",
        "closed frmListDetInverAmazonia \"150000\"\n",
    });
    // Reopened, the same two lines and the same amount.
    EXPECT_EQ(output.count(u"rows grdDetalleCasilla total 2\n"_s), 2) << output.toStdString();
    EXPECT_EQ(output.count(u"TxtActFijAmazonia = \"150000\" enabled\n"_s), 2);
    EXPECT_EQ(storedLines(), 2);

    ASSERT_TRUE(runs(u"open 20100113610\nclick OptDomFiscal 0\nstate TxtActFijAmazonia\nsave\nclose\n"_s));
    expectPrinted({"TxtActFijAmazonia = \"\" disabled\n"});
    EXPECT_EQ(storedLines(), 0);
}

// A script fills the principal partners through the partners' window, deletes one, modifies
// another and saves: the stored rows carry their check codes and the partners' rules are met.
TEST_F(PartnersBatch, PartnersAddedModifiedDeletedAndSaved) {
    ASSERT_TRUE(runs(test::batchScript(u"partners.txt"_s)));
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
    EXPECT_FALSE(output.contains(u"principales socios"_s, Qt::CaseInsensitive)) << output.toStdString();
    EXPECT_FALSE(output.contains(u"100 principales"_s, Qt::CaseInsensitive));
    // The stored partners, each with the check code of its own values.
    EXPECT_EQ(test::tableRows(db(), u"F535SOCIOS"_s, {"Porcentaje"}, {}), (QStringList{"20", "30", "50"}));
    EXPECT_EQ(test::wrongCheckCodes(db(), test::demoKey(test::kAndina)), QStringList());
}

// The casilla assistants import their rows through the import window of their kind, and the
// grid and the casilla show what was imported.
TEST_F(AssistantImportBatch, BalancesAndMovementsComeFromTheirFiles) {
    const QString ruc = u"20601000211"_s;
    test::registerTaxpayer(db(), ruc, u"CONFECCIONES DEL PACÍFICO S.A.C."_s, test::kContador);
    QTemporaryDir folder;
    test::writeFile(folder.filePath(u"0588"_s + ruc + u"361.TXT"_s),
                    "6|20100047218|0|DISTRIBUIDORA NORTE SAC||||38000|\r\n"
                    "1|41234567|1||QUISPE|MAMANI|ROSA|15000|\r\n"
                    "1|41234568|1||PEREZ|DIAZ|ANA|12450|\r\n");
    test::writeFile(folder.filePath(u"0588"_s + ruc + u"382.TXT"_s), "1|400000|0|0|0|0|0|0|0|0|400000|\n"
                                                                     "2|700000|150000|0|0|0|0|0|0|0|850000|\n");
    ASSERT_TRUE(
        runs(test::batchScript(u"import_assistants.txt"_s, folder.path()), reportsIn(folder.filePath(u"RPT"_s))));
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
    EXPECT_EQ(declaration::WorkingCasillas::value(db(), test::demoKey(ruc), 632), u"150000"_s);
}

// A script transfers a balance from its file, lists the page's rows and corrects one account
// in the detail window.
TEST_F(TrialBalanceBatchTest, TransferListAndDetailFromAScript) {
    test::writeFile(database.folder() + u"/0588"_s + test::kAndina + u"2018.TXT"_s,
                    "101|100||50|200|||||\r\n601|||80||||||\r\n");
    ASSERT_TRUE(runs(test::batchScript(u"trial_balance.txt"_s, database.folder())));
    expectPrinted({"File1 = \"0588201001136102018.TXT\"", "La importación fue satisfactoria.",
                   "row 2: 101 | CAJA | 100 | 0 | 50 | 200 | 150 | 200 | 0 | 50 |",
                   "| Totales | 100 | 0 | 130 | 200 | 230 | 200 | 80 | 50 |", "txtSaldo(1) = \"50\"",
                   "txtSaldo(1) = \"200\"", "closed frmDetalleBalance", "txtValor(241) = \"350\""});
}

// The help of the menu: the search walks the matching lines and starts over after the last; a
// text that is nowhere says so; the contents button goes back.
TEST_F(HelpBatch, SearchWalksTheMatchesAndSaysWhenThereAreNone) {
    ASSERT_TRUE(runs(test::batchScript(u"help_search.txt"_s)));
    expectPrinted({"menu mnuContenido -> frmAyuda\n", "lblTema = \"contenido\"\n", "closed frmAyuda"});
    const QStringList found = output.split(u'\n').filter(QRegularExpression(u"^lblBuscar = "_s));
    ASSERT_EQ(found.size(), 4) << output.toStdString();
    EXPECT_TRUE(found.at(0).contains(u"Mens.txt"_s));
    EXPECT_TRUE(found.at(1).contains(u"Mens.txt"_s));
    EXPECT_NE(found.at(0), found.at(1)); // the help names the report file on two lines
    EXPECT_EQ(found.at(2), found.at(0)); // and the search starts over after the last
    EXPECT_EQ(found.at(3), u"lblBuscar = \"No se encontró «palabra que no está».\""_s);
}

// The print of sent versions, opened from its menu, lists the sent versions only: with one
// registered declaration and none sent its list is empty. (The other menus' windows are opened by
// the print and help scripts.)
TEST_F(MenuWindows, ThePrintOfSentVersionsListsNoRegisteredDeclaration) {
    test::insertRow(db(), u"CAB"_s, test::demoKey(test::kAndina), {{u"SEMANA"_s, 0}});
    ASSERT_TRUE(runs(u"menu mnuImprimirEnviada\nstate grdDeclaraciones\nclick cmdSalir\n"_s));
    expectPrinted({"menu mnuImprimirEnviada -> FrmTipPrnR\n", "grdDeclaraciones = 0\n", "closed FrmTipPrnR \"\""});
}

// The small dialogs of the declaration form, run for real by a script on a new declaration.
class FormDialogsBatch : public test::BatchTest {
protected:
    int runOnNew(const QString& script) {
        return run(u"new\ntaxpayer %1\n"_s.arg(test::kAndina) + script, reportsIn(moduleFolder.path()));
    }
    QTemporaryDir moduleFolder; // the report and its printout go there
};

// Only a district of the zone is handed back; a province gets the picker's message and the
// window stays open. A code the picker does not list is a script error.
TEST_F(FormDialogsBatch, TheUbigeoPickerHandsBackADistrictOfTheZone) {
    const QString zone = u"click OptUbicAmazonia 1\nclick OptDomFiscal 1\nclick OptZona 1\nclick CmdZona1\n"_s;
    ASSERT_EQ(runOnNew(zone + u"rows trvUbigeo\nchoose trvUbigeo 2501\nclick cmdAceptar\nchoose trvUbigeo 250103\n"
                              "state trvUbigeo\nclick cmdAceptar\nstate TxtUbigeo\n"_s),
              BatchRunner::kDone)
        << errors.toStdString() << output.toStdString();
    expectPrinted({"window frmUbigeo 1 -\n", "row 1: LORETO | 16\n",
                   "message critical \"Ubigeo Zona 2\" \"Debe seleccionar un distrito de la zona.\"\n",
                   "trvUbigeo = \"250103\"\n", "closed frmUbigeo \"250103\"\n", "TxtUbigeo = \"250103\" disabled\n"});

    EXPECT_EQ(runOnNew(zone + u"choose trvUbigeo 150101\nclick cmdCancelar\n"_s), BatchRunner::kScriptError);
    EXPECT_TRUE(errors.contains(u"error line 7: trvUbigeo no tiene el código 150101"_s)) << errors.toStdString();
}

// With `validate window` the report of an inconsistent declaration opens for the script: its
// lines, the printout in the preview, and accepting it hands back "A" before validate prints the
// lines. (The PDF button paints, which needs the windowing system: the window tests cover it.)
TEST_F(FormDialogsBatch, TheInconsistencyReportOpensPrintsAndIsAccepted) {
    ASSERT_EQ(runOnNew(u"click OptITF 0\nclick OpRegRenta 1\nvalidate window\nstate txtConsist\nrows txtConsist\n"
                       "text txtConsist x\nclick cmdImprimir\nclick tlbPrevia 5\nclick cmdAceptar\nsave\n"_s),
              BatchRunner::kDone)
        << errors.toStdString() << output.toStdString();
    expectPrinted({"window FrmConsist ", "refused txtConsist\n", "window frmPreview ", "closed frmPreview \"\"\n",
                   "closed FrmConsist \"A\"\n", "report 1. "});
    // The window lists the lines validate prints after it.
    const QRegularExpressionMatch count = QRegularExpression(u"txtConsist = (\\d+)\n"_s).match(output);
    ASSERT_TRUE(count.hasMatch()) << output.toStdString();
    EXPECT_GT(count.captured(1).toInt(), 0);
    expectPrinted({"rows txtConsist total " + count.captured(1) + "\n", "report total " + count.captured(1) + "\n"});
    EXPECT_TRUE(QFileInfo::exists(QDir(moduleFolder.path()).filePath(u"Mens.PRN"_s)));
}

// A save that the database refuses half-way (a full disk, here a trigger that fails the write):
// the batch says why, the stored declaration and the typed form stay as they were, and the exit
// code is not 0.
TEST_F(BatchWriteFailure, AFailedSaveSaysWhyKeepsEverythingAndEndsWithCode3) {
    const QString ruc = u"20100070970"_s;
    test::registerTaxpayer(db(), ruc, u"D'ONOFRIO S.A."_s, test::kContador);
    test::addStoredDeclaration(db(), test::demoKey(ruc), {{359, u"500"_s}});
    for (const char* event : {"INSERT", "DELETE", "UPDATE"}) {
        for (const char* table : {"DET", "CAB"}) {
            db().run(u"CREATE TRIGGER lleno_%1_%2 BEFORE %1 ON %2 BEGIN "
                     "SELECT RAISE(ABORT, 'database or disk is full'); END"_s.arg(QString::fromLatin1(event),
                                                                                  QString::fromLatin1(table)))
                .finish();
        }
    }
    EXPECT_EQ(run(u"open %1\nclick OptITF 0\nclick OptPlan 2\ntype 359 1000\nsave\nshow 359\n"_s.arg(ruc)),
              BatchRunner::kWriteFailed)
        << output.toStdString() << errors.toStdString();
    expectPrinted({"message critical \"Error al Ejecutar Sentencia SQL\"", "database or disk is full",
                   "txtValor(359) = \"1,000\""}); // the typed value stays in the form
    EXPECT_EQ(db().scalar(u"SELECT i_valor FROM DET WHERE CASILLA='359' AND DOC_ID_D=?"_s, {ruc}).toString(), u"500"_s);
    EXPECT_EQ(db().scalar(u"SELECT ESTADO FROM CAB WHERE DOC_ID_D=?"_s, {ruc}).toInt(), 0);
}

} // namespace
} // namespace qel::batch
