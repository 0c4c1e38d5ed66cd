#include "AnnexFixture.h"
#include "annexes/AnnexTotals.h"

#include <QSqlQuery>

namespace qel::annexes {
namespace {

using app::Icon;
using Values = QList<std::pair<QString, QString>>;

const QString kOtherRuc = QStringLiteral("20100047218");

struct Annex {
    const char* window;
    const char* code; // handed by the form (operation kind, project kind, contract)
    QStringList keyValues;
    Values values;
};

Values v(std::initializer_list<std::pair<const char*, const char*>> pairs) {
    Values out;
    for (const auto& [name, value] : pairs) {
        out.append({QString::fromUtf8(name), QString::fromUtf8(value)});
    }
    return out;
}

// A valid row of every detail window the form's annex buttons open.
const QList<Annex>& validRows() {
    static const QList<Annex> rows = {
        {"frmDetalleMermas",
         "",
         {},
         v({{"ind_inf_tecnico", "1"},
            {"num_inf_tecnico", "INF001"},
            {"tip_documento", "06"},
            {"num_documento", "20100047218"},
            {"fec_inf_tecnico", "10/01/2018"},
            {"des_nom_razon", "PERITOS SAC"},
            {"num_colegiatura", "1234"},
            {"mto_merma", "1500"}})},
        {"frmDetalleDesmedros",
         "",
         {},
         v({{"ind_destruccion", "1"},
            {"tip_documento", "06"},
            {"num_documento", "20100047218"},
            {"des_ape_nom", "NOTARIA PEREZ"},
            {"fec_com_kolva", "01/06/2018"},
            {"fec_destruccion", "10/06/2018"},
            {"mto_desmedro", "800"}})},
        {"frmDetalleRegalias",
         "",
         {},
         v({{"tip_documento", "06"},
            {"num_documento", "20100047218"},
            {"fec_contrato", "01/03/2018"},
            {"des_ape_nom", "AUTOR SAC"},
            {"mto_regalia", "500"}})},
        {"frmPerdidasExtraord",
         "",
         {},
         v({{"fec_perd_extra", "05/05/2018"},
            {"ind_cubierto_seguro", "0"},
            {"ind_delito_probado", "0"},
            {"ind_delito_inutil", "0"},
            {"mto_caso_fort", "2500"}})},
        {"frmOperacFinancieras",
         "1",
         {},
         v({{"tip_documento", "06"},
            {"num_documento", "20100047218"},
            {"des_nom_razon", "BANCO SA"},
            {"fec_ini_contrato", "01/01/2018"},
            {"ind_plazo", "1"}})},
        {"frmDetalleDesuso",
         "",
         {},
         v({{"cod_activo", "ACT1"},
            {"num_inf_tecnico", "INF2"},
            {"tip_documento", "06"},
            {"num_documento", "20100047218"},
            {"fec_inf_tecnico", "01/02/2018"},
            {"mto_bien", "900"},
            {"fec_desuso", "01/03/2018"}})},
        {"frmDetalleAlquileres",
         "",
         {},
         v({{"tipo_doc", "06"},
            {"nro_doc", "20100047218"},
            {"tip_bien", "2"},
            {"des_bien", "LOCAL"},
            {"des_identificacion", "P1234"},
            {"mto_alquiler", "1200"},
            {"cod_ubigeo", "150101"},
            {"des_via", "AV ABANCAY"},
            {"numero", "120"}})},
        {"frmDetalleHidrocarburos",
         "",
         {},
         v({{"nro_anexo", "1"}, {"nro_lote", "Z2B"}, {"ind_sistema", "1"}, {"mto_tot_ingresos", "1000"}})},
        {"frmDetalleMineras", "", {}, v({{"nro_anexo", "2"}, {"nro_concesion", "01123"}, {"mto_tot_activo", "5000"}})},
        {"frmDetVehiculos",
         "",
         {},
         v({{"cod_categ", "A2"},
            {"des_placa", "ABC123"},
            {"mto_adq", "30000"},
            {"Fec_Ing", "01/01/2017"},
            {"cod_condicion", "1"},
            {"cod_actividad", "1"},
            {"ind_ded_gasto", "1"},
            {"ind_sustitucion", "0"},
            {"mto_gasto", "2000"}})},
        {"frmDetalleExportaciones",
         "",
         {},
         v({{"num_dam", "DAM123"},
            {"num_factura", "F001123"},
            {"fec_embarque", "01/04/2018"},
            {"mto_dam", "10000"},
            {"mto_factura", "10000"}})},
        {"frmDetalleGastoPresentacion",
         "",
         {},
         v({{"tipo_doc", "06"}, {"nro_doc", "20100047218"}, {"des_razon", "RESTAURANT SAC"}, {"mto_anual", "3000"}})},
        {"frmNoDomic",
         "",
         {},
         v({{"tipo_doc", "07"},
            {"nro_doc", "P1234567"},
            {"tip_renta", "01"},
            {"des_razon", "SOFTWARE INC"},
            {"cod_pais", "9249"},
            {"mto_gasto", "20000"},
            {"mto_tasa", "30"},
            {"retencion", "1"},
            {"mto_ret", "6000"}})},
        {"frmDetalleDirecto",
         "1",
         {},
         v({{"tip_proyecto", "1"},
            {"ind_parte", "1"},
            {"num_concytec", "REG123"},
            {"des_centro", "CENTRO"},
            {"ind_vinculo", "0"},
            {"des_proyecto", "PROYECTO"},
            {"fec_autorizacion", "01/01/2018"},
            {"mto_total", "10000"}})},
        {"frmRentaInternacional",
         "",
         {},
         v({{"cod_renta", "1"},
            {"cod_pais", "9999"},
            {"des_pais", "ARUBA"},
            {"ind_convenio", "0"},
            {"mto_renta", "4000"}})},
        {"frmcabEmpresarial", "", {}, v({{"des_contrato", "CONSORCIO NORTE"}})},
        {"frmColabEmpresarial",
         "1",
         {},
         v({{"tipo_doc", "06"},
            {"nro_doc", "20100047218"},
            {"des_razon", "SOCIO SAC"},
            {"por_participacion", "60"},
            {"tipo", "1"}})},
        {"DetAdicionesMH", "", {"1", "Z2B"}, v({{"mto_adicion_1", "100"}, {"mto_adicion_27", "50"}})},
        {"DetDeduccionesMH", "", {"2", "01123"}, v({{"mto_deduc_1", "70"}})},
    };
    return rows;
}

class AnnexWindowsTest : public testing::AnnexFixture {
protected:
    AnnexDetailModel& openFilled(const Annex& annex) {
        open(QString::fromUtf8(annex.window), app::FormRequest::kAdd, annex.keyValues, QString::fromUtf8(annex.code));
        fill(annex.values);
        return *model;
    }
    const Annex& valid(const char* window) {
        for (const Annex& a : validRows()) {
            if (qstrcmp(a.window, window) == 0) {
                return a;
            }
        }
        throw std::out_of_range(window);
    }
};

// Every window writes its row into its working table, with the declaration key, the code the
// form handed it, the columns it shows and the check code "000000"; reopened with the row's
// key, it shows the same values.
TEST_F(AnnexWindowsTest, EveryWindowWritesItsRowAndReadsItBack) {
    for (const Annex& annex : validRows()) {
        SCOPED_TRACE(annex.window);
        AnnexDetailModel& m = openFilled(annex);
        const AnnexDef& def = m.def();
        ASSERT_TRUE(m.grabar());
        ASSERT_EQ(rows(def.table), 1);
        QSqlQuery row = db().run(QStringLiteral("SELECT * FROM ") + def.table);
        ASSERT_TRUE(row.next());
        EXPECT_EQ(row.value(QStringLiteral("cNumero")).toString(), QStringLiteral("000000"));
        if (!def.codeColumn.isEmpty()) {
            EXPECT_EQ(row.value(def.codeColumn).toString(), QString::fromUtf8(annex.code));
        }
        QStringList key;
        for (const QString& column : def.keyColumns) {
            key.append(row.value(column).toString());
        }
        open(def.window, app::FormRequest::kModify, key, QString::fromUtf8(annex.code));
        for (const auto& [name, value] : annex.values) {
            EXPECT_EQ(model->value(name), value) << name.toStdString();
        }
        EXPECT_EQ(model->action(), app::FormRequest::kModify);
    }
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT des_pais FROM TMPF586IDERTA")).toString(), QStringLiteral("ARUBA"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT mto_ADICION_tot FROM TMPF564ADMINH")).toDouble(), 150);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT SEMANA FROM TMPF582NODOMIC")).toInt(), 0);
}

// The particular checks of each annex: a valid row with one change is refused with the
// annex's own text and nothing is written.
TEST_F(AnnexWindowsTest, ParticularChecksRefuseWithTheirText) {
    struct Case {
        const char* window;
        Values changes;
        const char* message;
    };
    const QList<Case> cases = {
        {"frmDetalleMermas", v({{"num_inf_tecnico", ""}}), "Registre el número del informe técnico."},
        {"frmDetalleMermas", v({{"num_documento", "20100070970"}}),
         "El número de RUC no debe ser igual al RUC del declarante."},
        {"frmDetalleMermas", v({{"num_colegiatura", ""}}), "Debe registrar el número de colegiatura ."},
        {"frmDetalleMermas", v({{"mto_merma", "0"}}), "El monto de la merma debe ser mayor a 0."},
        {"frmDetalleDesmedros", v({{"tip_documento", "01"}}), "El tipo de documento debe ser RUC."},
        {"frmDetalleDesmedros", v({{"ind_destruccion", "2"}}), "Registre la identificación Juzgado de Paz."},
        {"frmDetalleDesmedros", v({{"ind_destruccion", "2"}, {"id_juzg_paz", "J"}}),
         "La identificación Juzgado de Paz es inválida."},
        {"frmDetalleRegalias", v({{"num_documento", "20100047219"}}), "El RUC no es Válido."},
        {"frmDetalleRegalias", v({{"mto_regalia", ""}}), "El monto devengado debe ser mayor a 0."},
        {"frmPerdidasExtraord", v({{"mto_del_comet", "10"}}), "Registre solo uno de los dos importes."},
        {"frmPerdidasExtraord", v({{"mto_caso_fort", ""}}), "Registre uno de los dos importes."},
        {"frmPerdidasExtraord", v({{"mto_caso_fort", "0"}}), "El importe debe ser mayor a 0 ."},
        {"frmOperacFinancieras", v({{"ind_plazo", ""}}), "Seleccione si el plazo de duración es o no indefinido ."},
        {"frmOperacFinancieras", v({{"ind_plazo", "0"}, {"fec_fin_contrato", "31/12/2017"}}),
         "La Fecha de fin del contrato no puede ser mayor a la fecha de inicio del contrato."},
        {"frmDetalleDesuso", v({{"fec_inf_tecnico", "16/03/2019"}}),
         "La fecha del informe técnico  no puede ser mayor a la fecha actual"},
        {"frmDetalleDesuso", v({{"fec_desuso", "01/04/2019"}}),
         "La fecha del desuso u obsolescencia no puede ser mayor a la fecha actual"},
        {"frmDetalleAlquileres", v({{"cod_ubigeo", ""}}), "Ingrese el ubigeo del predio."},
        {"frmDetalleAlquileres", v({{"cod_ubigeo", "999999"}}), "El ubigeo del predio no existe."},
        {"frmDetalleAlquileres", v({{"des_via", ""}}), "Debe ingresar la zona y/o  la vía."},
        {"frmDetalleAlquileres", v({{"numero", ""}}), "Ingrese el Número o  el kilómetro o la manzana"},
        {"frmDetalleAlquileres", v({{"numero", "0"}}), "Debe ingresar número distinto de 0"},
        {"frmDetVehiculos", v({{"mto_adq", "124501"}}),
         "Sr. Contribuyente el Costo de Adquisición o Valor de Ingreso al Patrimonio es superior a 30 UIT. En estas "
         "condiciones no podrá identificar este vehículo. Si desea continuar dar clic en NO"},
        {"frmDetVehiculos", v({{"Fec_Ing", "02/01/2019"}}),
         "La fecha de ingreso al patrimonio no puede ser posterior al 31/12 del ejercicio."},
        {"frmDetalleExportaciones", v({{"fec_embarque", "20/03/2019"}}),
         "La fecha de embarque no puede ser mayor a la fecha actual."},
        {"frmDetalleExportaciones", v({{"mto_factura", "0"}}), "El monto de la factura debe ser mayor a 0."},
        {"frmDetalleGastoPresentacion", v({{"des_razon", ""}}), "Falta ingresar la Razón Social."},
        {"frmDetalleGastoPresentacion", v({{"mto_anual", "0"}}), "Monto debe ser mayor a cero ."},
        {"frmNoDomic", v({{"mto_gasto", "12450"}}), "El importe del gasto debe ser mayor a 3 UIT."},
        {"frmDetalleDirecto", v({{"num_concytec", ""}}), "Ingrese el número de registro otorgado por el CONCYTEC"},
        {"frmRentaInternacional", v({{"des_pais", ""}}), "Debe ingresar la descripción del país"},
        {"frmColabEmpresarial", v({{"por_participacion", "100.5"}}),
         "La cantidad ingresada supera el máximo permitido."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.window) + " " + c.message);
        AnnexDetailModel& m = openFilled(valid(c.window));
        for (const auto& [name, value] : c.changes) {
            m.setText(name, value);
        }
        prompter->expectMessage(QString::fromUtf8(c.message), Icon::Critical, QString());
        EXPECT_FALSE(m.grabar());
        EXPECT_EQ(rows(m.def().table), 0);
    }
}

TEST_F(AnnexWindowsTest, DuplicatesAndOtherRowsAreCheckedAgainstTheTable) {
    struct Case {
        const char* window;
        Values second; // changes of the second row
        const char* message;
    };
    const QList<Case> cases = {
        {"frmDetalleHidrocarburos", {}, "Ya se registró este lote."},
        {"frmDetalleMineras", {}, "Ya se registró esta concesión."},
        {"frmNoDomic", {}, "Ya se registró el gasto."},
        {"frmDetalleGastoPresentacion", {}, "Ya se registró el dato."},
        {"frmDetalleMermas", v({{"ind_inf_tecnico", "2"}}),
         "Ya se registró el mismo tipo y número de documento para otro tipo elaboración del informe técnico."},
        // Shares of one contract: 60 and 40 fit, a third of 0.01 does not.
        {"frmColabEmpresarial", v({{"nro_doc", "20500000016"}, {"por_participacion", "40.01"}}),
         "La cantidad ingresada supera el máximo permitido."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        const Annex& annex = valid(c.window);
        ASSERT_TRUE(openFilled(annex).grabar());
        fill(annex.values);
        fill(c.second);
        prompter->expectMessage(QString::fromUtf8(c.message), Icon::Critical);
        EXPECT_FALSE(model->grabar());
        EXPECT_EQ(rows(model->def().table), 1);
        db().run(QStringLiteral("DELETE FROM ") + model->def().table).finish();
    }
    // The third participant after 60 and 40.
    ASSERT_TRUE(openFilled(valid("frmColabEmpresarial")).grabar());
    fill(valid("frmColabEmpresarial").values);
    fill(v({{"nro_doc", "20500000016"}, {"por_participacion", "40"}}));
    ASSERT_TRUE(model->grabar());
    fill(valid("frmColabEmpresarial").values);
    fill(v({{"nro_doc", "20131123451"}, {"por_participacion", "0.01"}}));
    prompter->expectMessage(AnnexDetailModel::kAboveMaximum, Icon::Critical);
    EXPECT_FALSE(model->grabar());
    // Another contract has its own 100 %.
    open(QStringLiteral("frmColabEmpresarial"), app::FormRequest::kAdd, {}, QStringLiteral("2"));
    fill(valid("frmColabEmpresarial").values);
    fill(v({{"por_participacion", "100"}}));
    EXPECT_TRUE(model->grabar());
}

// Correlatives start at 1 and take the highest plus one, so deleting the last frees its number.
TEST_F(AnnexWindowsTest, CorrelativesTakeTheHighestPlusOne) {
    struct Case {
        const char* window;
        const char* table;
        const char* column;
    };
    for (const Case& c : {Case{"frmPerdidasExtraord", "TMPF535PEREXTRA", "num_corr_perd"},
                          Case{"frmDetalleDesmedros", "TMPF535DESMEDROS", "num_corr_desm"},
                          Case{"frmOperacFinancieras", "TMPF542OPERFIN", "correl_cont"},
                          Case{"frmDetalleAlquileres", "TMPF582ALQUILER", "correl_pred"}}) {
        SCOPED_TRACE(c.window);
        const Annex& annex = valid(c.window);
        const QString table = QString::fromUtf8(c.table);
        const QString correl = QString::fromUtf8(c.column);
        openFilled(annex);
        ASSERT_TRUE(model->grabar());
        fill(annex.values);
        // A second row that is not a duplicate.
        if (model->hasField(QStringLiteral("num_documento"))) {
            model->setText(QStringLiteral("num_documento"), QStringLiteral("20500000016"));
        } else if (model->hasField(QStringLiteral("nro_doc"))) {
            model->setText(QStringLiteral("nro_doc"), QStringLiteral("20500000016"));
            model->setText(QStringLiteral("numero"), QStringLiteral("121"));
        }
        ASSERT_TRUE(model->grabar());
        EXPECT_EQ(column(table, correl), QStringLiteral("1,2"));
        db().run(QStringLiteral("DELETE FROM %1 WHERE %2=2").arg(table, correl)).finish();
        fill(annex.values);
        if (model->hasField(QStringLiteral("numero"))) {
            model->setText(QStringLiteral("nro_doc"), QStringLiteral("20131123451"));
            model->setText(QStringLiteral("numero"), QStringLiteral("122"));
        } else if (model->hasField(QStringLiteral("num_documento"))) {
            model->setText(QStringLiteral("num_documento"), QStringLiteral("20131123451"));
        }
        ASSERT_TRUE(model->grabar());
        EXPECT_EQ(column(table, correl), QStringLiteral("1,2"));
    }
}

TEST_F(AnnexWindowsTest, ASecondRentalAtTheSameAddressIsAskedAbout) {
    const Annex& annex = valid("frmDetalleAlquileres");
    ASSERT_TRUE(openFilled(annex).grabar());
    fill(annex.values);
    model->setText(QStringLiteral("nro_doc"), QStringLiteral("20500000016"));
    prompter->expectQuestion(QStringLiteral("Ya ingresó este predio, desea ingresar predio con la misma dirección?"),
                             app::Button::No);
    EXPECT_FALSE(model->grabar());
    EXPECT_EQ(rows(QStringLiteral("TMPF582ALQUILER")), 1);
    prompter->expectQuestion(QStringLiteral("Ya ingresó este predio, desea ingresar predio con la misma dirección?"),
                             app::Button::Yes);
    EXPECT_TRUE(model->grabar());
    EXPECT_EQ(rows(QStringLiteral("TMPF582ALQUILER")), 2);

    // A movable good has no address and its identification is the plate.
    open(QStringLiteral("frmDetalleAlquileres"));
    model->choose(QStringLiteral("tip_bien"), QStringLiteral("1"));
    EXPECT_EQ(model->state(QStringLiteral("des_identificacion")).label, QStringLiteral("Número de Placa"));
    EXPECT_FALSE(model->state(QStringLiteral("cod_ubigeo")).enabled);
}

// A landlord may rent out several goods: each new one takes the next correlative.
TEST_F(AnnexWindowsTest, ASecondGoodOfTheSameLandlordIsANewRental) {
    for (const char* plate : {"ABC123", "XYZ987"}) {
        open(QStringLiteral("frmDetalleAlquileres"));
        fill(v({{"tipo_doc", "06"}, {"nro_doc", "20100047218"}}));
        model->choose(QStringLiteral("tip_bien"), QStringLiteral("1"));
        fill(v({{"des_bien", "CAMION"}, {"des_identificacion", plate}, {"mto_alquiler", "1200"}}));
        EXPECT_TRUE(model->grabar()) << plate;
    }
    EXPECT_EQ(column(QStringLiteral("TMPF582ALQUILER"), QStringLiteral("correl_pred")), QStringLiteral("1,2"));
}

// The window and the import give the participant's role one meaning: 0 operator, 1 participant.
TEST_F(AnnexWindowsTest, TheParticipantRolesAreThoseTheImportTakes) {
    open(QStringLiteral("frmColabEmpresarial"), app::FormRequest::kAdd, {}, QStringLiteral("1"));
    QStringList roles;
    for (const AnnexItem& item : model->state(QStringLiteral("tipo")).items) {
        roles.append(item.code);
    }
    EXPECT_EQ(roles, QStringList({QStringLiteral("0"), QStringLiteral("1")}));
}

// The sub-windows open with the lot or vehicle they belong to, and only once it is there.
TEST_F(AnnexWindowsTest, SubWindowsOpenWithTheirRowOnlyOnceItExists) {
    open(QStringLiteral("frmDetalleHidrocarburos"));
    prompter->expectMessage(QStringLiteral("Para ingresar a registrar las Adiciones debe primero ingresar el Número de "
                                           "Lote en Exploración y/o Explotación o Actividad"),
                            Icon::Exclamation);
    model->click(QStringLiteral("cmdDetAdicionesMH"));
    EXPECT_TRUE(opener.requests.isEmpty());

    test::insertRow(db(), QStringLiteral("TMPF564ADMINH"), key(),
                    {{QStringLiteral("nro_anexo"), 1},
                     {QStringLiteral("num_conc_lote"), QStringLiteral("Z2B")},
                     {QStringLiteral("mto_ADICION_tot"), 150}});
    fill(valid("frmDetalleHidrocarburos").values);
    model->click(QStringLiteral("cmdDetAdicionesMH"));
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("DetAdicionesMH"));
    EXPECT_EQ(opener.requests.at(0).keyValues, QStringList({"1", "Z2B"}));
    EXPECT_EQ(model->value(QStringLiteral("mto_adiciones")), QStringLiteral("150"));

    // The substituted vehicle: after the vehicle is saved, and a different plate.
    const Annex& vehicle = valid("frmDetVehiculos");
    openFilled(vehicle);
    model->choose(QStringLiteral("ind_sustitucion"), QStringLiteral("1"));
    model->choose(QStringLiteral("cod_motivo"), QStringLiteral("1"));
    prompter->expectMessage(QStringLiteral("Debe grabar primero los datos del vehículo."), Icon::Exclamation);
    model->click(QStringLiteral("cmdfrmDetVehiculosSus"));
    ASSERT_TRUE(model->grabar());
    open(QStringLiteral("frmDetVehiculos"), app::FormRequest::kModify,
         {QStringLiteral("A2"), QStringLiteral("ABC123")});
    model->click(QStringLiteral("cmdfrmDetVehiculosSus"));
    ASSERT_EQ(opener.requests.size(), 2);
    EXPECT_EQ(opener.requests.last().name, QStringLiteral("frmDetVehiculosSus"));

    open(QStringLiteral("frmDetVehiculosSus"), app::FormRequest::kModify,
         {QStringLiteral("A2"), QStringLiteral("ABC123")});
    fill(v({{"des_placa_sus", "ABC123"}, {"mto_adq_sus", "1000"}, {"fec_ing_sus", "01/01/2015"}}));
    prompter->expectMessage(
        QStringLiteral("La placa del vehículo sustituido debe ser distinta a la del vehículo nuevo."), Icon::Critical);
    EXPECT_FALSE(model->grabar());
    model->setText(QStringLiteral("des_placa_sus"), QStringLiteral("XYZ999"));
    EXPECT_TRUE(model->grabar());
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT des_placa_sus || '|' || cod_categ FROM TMPF584VEHIC")).toString(),
              QStringLiteral("XYZ999|A2"));
    EXPECT_EQ(rows(QStringLiteral("TMPF584VEHIC")), 1);
}

// A contract lists its participants and opens their window for itself only once it is saved.
TEST_F(AnnexWindowsTest, AContractListsAndEditsItsOwnParticipants) {
    open(QStringLiteral("frmcabEmpresarial"));
    prompter->expectMessage(QStringLiteral("Debe grabar primero los datos del contrato."), Icon::Exclamation);
    model->clickChild(0);
    EXPECT_TRUE(opener.requests.isEmpty());
    for (const char* contract : {"1", "1", "2"}) {
        test::insertRow(db(), QStringLiteral("TMPF582COLCAB"), key(), {{QStringLiteral("cod_contrato"), QString()}});
        test::insertRow(db(), QStringLiteral("TMPF582COLDET"), key(),
                        {{QStringLiteral("cod_contrato"), QString::fromLatin1(contract)},
                         {QStringLiteral("tipo_doc"), 6},
                         {QStringLiteral("nro_doc"), QStringLiteral("2050000001%1").arg(rows("TMPF582COLDET"))},
                         {QStringLiteral("por_participacion"), 50}});
    }
    open(QStringLiteral("frmcabEmpresarial"), app::FormRequest::kModify, {QStringLiteral("1")});
    ASSERT_NE(model->childRows(), nullptr);
    ASSERT_EQ(model->childRows()->rowCount(), 2);
    EXPECT_EQ(model->childRows()->rowTexts(0).mid(0, 2), QStringList({"RUC", "20500000010"}));

    model->clickChild(0);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmColabEmpresarial"));
    EXPECT_EQ(opener.requests.at(0).code, QStringLiteral("1"));

    model->childRows()->select(1);
    model->clickChild(1);
    ASSERT_EQ(opener.requests.size(), 2);
    EXPECT_EQ(opener.requests.at(1).keyValues, QStringList({"6", "20500000011"}));
    EXPECT_EQ(opener.requests.at(1).action, app::FormRequest::kModify);

    prompter->expectQuestion(QStringLiteral("¿Desea eliminar los datos del participante?"), app::Button::Yes,
                             Icon::Question);
    model->clickChild(2);
    EXPECT_EQ(model->childRows()->rowCount(), 1);
    EXPECT_EQ(column(QStringLiteral("TMPF582COLDET"), QStringLiteral("nro_doc")),
              QStringLiteral("20500000010,20500000012"));
}

// The figures the form's casillas and rules read from the annex tables.
TEST_F(AnnexWindowsTest, TotalsCountAndSumTheRowsOfTheDeclaration) {
    const auto add = [this](const char* table, QVariantMap values) {
        test::insertRow(db(), QString::fromUtf8(table), key(), values);
    };
    add("TMPF584VEHIC",
        {{"cod_categ", "A2"}, {"des_placa", "A1"}, {"ind_ded_gasto", "1"}, {"mto_gasto", "1000"}, {"mto_dep", "300"}});
    add("TMPF584VEHIC", {{"cod_categ", "A3"}, {"des_placa", "A2"}, {"ind_ded_gasto", "0"}, {"mto_gasto", "5000"}});
    add("TMPF584VEHIC", {{"cod_categ", "A3"},
                         {"des_placa", "A3"},
                         {"ind_ded_gasto", "1"},
                         {"ind_sustitucion", "1"},
                         {"mto_gasto", "250"}});
    // Another declaration's rows count for nothing.
    test::insertRow(db(), QStringLiteral("TMPF584VEHIC"), test::demoKey(QStringLiteral("20100047218")),
                    {{"cod_categ", "A2"}, {"des_placa", "Z9"}, {"ind_ded_gasto", "1"}, {"mto_gasto", "9"}});
    const AnnexTotals::Vehicles vehicles = AnnexTotals::vehicles(db(), key());
    EXPECT_EQ(vehicles.rows, 3);
    EXPECT_EQ(vehicles.identified, 2);
    EXPECT_EQ(vehicles.substituting, 1);
    EXPECT_EQ(vehicles.expenses, 1250);
    EXPECT_EQ(vehicles.depreciation, 300);

    add("TMPF535SOCIOS", {{"tipo_socio", "01"}, {"nro_doc_socio", "1"}, {"Porcentaje", 33.33}});
    add("TMPF535SOCIOS", {{"tipo_socio", "01"}, {"nro_doc_socio", "2"}, {"Porcentaje", 33.33}});
    add("TMPF535SOCIOS", {{"tipo_socio", "05"}, {"nro_doc_socio", ""}, {"Porcentaje", 33.34}});
    const AnnexTotals::Partners partners = AnnexTotals::partners(db(), key());
    EXPECT_EQ(partners.rows, 3);
    EXPECT_EQ(partners.principal, 2);
    EXPECT_EQ(partners.shares, 100);

    for (int annex : {1, 2, 2}) {
        add("TMPF564MINERIA", {{"nro_anexo", annex}, {"nro_concesion", QString::number(rows("TMPF564MINERIA"))}});
    }
    EXPECT_EQ(AnnexTotals::concessions(db(), key(), 1), 1);
    EXPECT_EQ(AnnexTotals::concessions(db(), key(), 2), 2);
}

} // namespace
} // namespace qel::annexes
