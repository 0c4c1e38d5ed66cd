#include "AnnexFixture.h"

#include <QSqlQuery>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace qel::annexes {
namespace {

using testing::requested;

using app::Button;
using app::Icon;
using testing::values;

struct Annex {
    const char* window;
    const char* values;
    const char* code = ""; // handed by the form (operation kind, project kind, contract)
    QStringList keyValues = {};
};

// A valid row of every detail window the form's annex buttons open.
const QList<Annex>& validRows() {
    static const QList<Annex> rows = {
        {"frmDetalleMermas", "ind_inf_tecnico=1; num_inf_tecnico=INF001; tip_documento=06; num_documento=20100047218; "
                             "fec_inf_tecnico=10/01/2018; des_nom_razon=PERITOS SAC; num_colegiatura=1234; "
                             "mto_merma=1500"},
        {"frmDetalleDesmedros", "ind_destruccion=1; tip_documento=06; num_documento=20100047218; "
                                "des_ape_nom=NOTARIA PEREZ; fec_com_kolva=01/06/2018; fec_destruccion=10/06/2018; "
                                "mto_desmedro=800"},
        {"frmDetalleRegalias", "tip_documento=06; num_documento=20100047218; fec_contrato=01/03/2018; "
                               "des_ape_nom=AUTOR SAC; mto_regalia=500"},
        {"frmPerdidasExtraord", "fec_perd_extra=05/05/2018; ind_cubierto_seguro=0; ind_delito_probado=0; "
                                "ind_delito_inutil=0; mto_caso_fort=2500"},
        {"frmOperacFinancieras",
         "tip_documento=06; num_documento=20100047218; des_nom_razon=BANCO SA; fec_ini_contrato=01/01/2018; "
         "ind_plazo=1",
         "1"},
        {"frmDetalleDesuso", "cod_activo=ACT1; num_inf_tecnico=INF2; tip_documento=06; num_documento=20100047218; "
                             "fec_inf_tecnico=01/02/2018; mto_bien=900; fec_desuso=01/03/2018"},
        {"frmDetalleAlquileres",
         "tipo_doc=06; nro_doc=20100047218; tip_bien=2; des_bien=LOCAL; des_identificacion=P1234; "
         "mto_alquiler=1200; cod_ubigeo=150101; des_via=AV ABANCAY; numero=120"},
        {"frmDetalleHidrocarburos", "nro_anexo=1; nro_lote=Z2B; ind_sistema=1; mto_tot_ingresos=1000"},
        {"frmDetalleMineras", "nro_anexo=2; nro_concesion=01123; mto_tot_activo=5000"},
        {"frmDetVehiculos", "cod_categ=A2; des_placa=ABC123; mto_adq=30000; Fec_Ing=01/01/2017; cod_condicion=1; "
                            "cod_actividad=1; ind_ded_gasto=1; ind_sustitucion=0; mto_gasto=2000"},
        {"frmDetalleExportaciones",
         "num_dam=DAM123; num_factura=F001123; fec_embarque=01/04/2018; mto_dam=10000; mto_factura=10000"},
        {"frmDetalleGastoPresentacion", "tipo_doc=06; nro_doc=20100047218; des_razon=RESTAURANT SAC; mto_anual=3000"},
        {"frmNoDomic", "tipo_doc=07; nro_doc=P1234567; tip_renta=01; des_razon=SOFTWARE INC; cod_pais=9249; "
                       "mto_gasto=20000; mto_tasa=30; retencion=1; mto_ret=6000"},
        {"frmDetalleDirecto",
         "tip_proyecto=1; ind_parte=1; num_concytec=REG123; des_centro=CENTRO; ind_vinculo=0; "
         "des_proyecto=PROYECTO; fec_autorizacion=01/01/2018; mto_total=10000",
         "1"},
        {"frmRentaInternacional", "cod_renta=1; cod_pais=9999; des_pais=ARUBA; ind_convenio=0; mto_renta=4000"},
        {"frmcabEmpresarial", "des_contrato=CONSORCIO NORTE"},
        {"frmColabEmpresarial", "tipo_doc=06; nro_doc=20100047218; des_razon=SOCIO SAC; por_participacion=60; tipo=1",
         "1"},
        {"DetAdicionesMH", "mto_adicion_1=100; mto_adicion_27=50", "", {"1", "Z2B"}},
        {"DetDeduccionesMH", "mto_deduc_1=70", "", {"2", "01123"}},
    };
    return rows;
}

class AnnexWindowsTest : public testing::AnnexFixture {
protected:
    static const Annex& valid(const char* window) {
        const QList<Annex>& rows = validRows();
        const auto found =
            std::find_if(rows.begin(), rows.end(), [&](const Annex& a) { return qstrcmp(a.window, window) == 0; });
        return found != rows.end() ? *found : throw std::out_of_range(window);
    }
    // The window opened on a new row typed with its valid values and then `changes`.
    AnnexDetailModel& typed(const char* window, const char* changes = "") {
        const Annex& annex = valid(window);
        open(QString::fromUtf8(annex.window), app::FormRequest::kAdd, annex.keyValues, QString::fromUtf8(annex.code));
        fill(annex.values);
        fill(changes);
        return *model;
    }
    // Another row typed into the window still open.
    void retype(const char* window, const char* changes) {
        fill(valid(window).values);
        fill(changes);
    }
};

// Every window writes its row into its working table, with the declaration key, the code the
// form handed it, the columns it shows and the check code "000000"; reopened with the row's
// key, it shows the same values.
TEST_F(AnnexWindowsTest, EveryWindowWritesItsRowAndReadsItBack) {
    for (const Annex& annex : validRows()) {
        SCOPED_TRACE(annex.window);
        const AnnexDef& def = typed(annex.window).def();
        ASSERT_TRUE(save());
        ASSERT_EQ(rows(def.table), 1);
        QSqlQuery row = db().run(u"SELECT * FROM "_s + def.table);
        ASSERT_TRUE(row.next());
        EXPECT_EQ(row.value(u"cNumero"_s).toString(), u"000000"_s);
        if (!def.codeColumn.isEmpty()) {
            EXPECT_EQ(row.value(def.codeColumn).toString(), QString::fromUtf8(annex.code));
        }
        QStringList key;
        for (const QString& column : def.keyColumns) {
            key.append(row.value(column).toString());
        }
        open(def.window, app::FormRequest::kModify, key, QString::fromUtf8(annex.code));
        for (const auto& [name, value] : values(annex.values)) {
            EXPECT_EQ(model->value(name), value) << name.toStdString();
        }
        EXPECT_EQ(model->action(), app::FormRequest::kModify);
    }
    EXPECT_EQ(db().scalar(u"SELECT des_pais FROM TMPF586IDERTA"_s).toString(), u"ARUBA"_s);
    EXPECT_EQ(db().scalar(u"SELECT mto_ADICION_tot FROM TMPF564ADMINH"_s).toDouble(), 150);
    EXPECT_EQ(db().scalar(u"SELECT SEMANA FROM TMPF582NODOMIC"_s).toInt(), 0);
}

// The particular checks of each annex: a valid row with one change is refused with the
// annex's own text and nothing is written.
TEST_F(AnnexWindowsTest, ParticularChecksRefuseWithTheirText) {
    struct Case {
        const char* window;
        const char* changes;
        const char* message;
    };
    const Case cases[] = {
        {"frmDetalleMermas", "num_inf_tecnico=", "Registre el número del informe técnico."},
        {"frmDetalleMermas", "num_documento=20100070970", "El número de RUC no debe ser igual al RUC del declarante."},
        {"frmDetalleMermas", "num_colegiatura=", "Debe registrar el número de colegiatura ."},
        {"frmDetalleMermas", "mto_merma=0", "El monto de la merma debe ser mayor a 0."},
        {"frmDetalleDesmedros", "tip_documento=01", "El tipo de documento debe ser RUC."},
        {"frmDetalleDesmedros", "ind_destruccion=2", "Registre la identificación Juzgado de Paz."},
        {"frmDetalleDesmedros", "ind_destruccion=2; id_juzg_paz=J", "La identificación Juzgado de Paz es inválida."},
        {"frmDetalleRegalias", "num_documento=20100047219", "El RUC no es Válido."},
        {"frmDetalleRegalias", "mto_regalia=", "El monto devengado debe ser mayor a 0."},
        {"frmPerdidasExtraord", "mto_del_comet=10", "Registre solo uno de los dos importes."},
        {"frmPerdidasExtraord", "mto_caso_fort=", "Registre uno de los dos importes."},
        {"frmPerdidasExtraord", "mto_caso_fort=0", "El importe debe ser mayor a 0 ."},
        {"frmOperacFinancieras", "ind_plazo=", "Seleccione si el plazo de duración es o no indefinido ."},
        {"frmOperacFinancieras", "ind_plazo=0; fec_fin_contrato=31/12/2017",
         "La Fecha de fin del contrato no puede ser mayor a la fecha de inicio del contrato."},
        {"frmDetalleDesuso", "fec_inf_tecnico=16/03/2019",
         "La fecha del informe técnico  no puede ser mayor a la fecha actual"},
        {"frmDetalleDesuso", "fec_desuso=01/04/2019",
         "La fecha del desuso u obsolescencia no puede ser mayor a la fecha actual"},
        {"frmDetalleAlquileres", "cod_ubigeo=", "Ingrese el ubigeo del predio."},
        {"frmDetalleAlquileres", "cod_ubigeo=999999", "El ubigeo del predio no existe."},
        {"frmDetalleAlquileres", "des_via=", "Debe ingresar la zona y/o  la vía."},
        {"frmDetalleAlquileres", "numero=", "Ingrese el Número o  el kilómetro o la manzana"},
        {"frmDetalleAlquileres", "numero=0", "Debe ingresar número distinto de 0"},
        {"frmDetVehiculos", "mto_adq=124501",
         "Sr. Contribuyente el Costo de Adquisición o Valor de Ingreso al Patrimonio es superior a 30 UIT. En estas "
         "condiciones no podrá identificar este vehículo. Si desea continuar dar clic en NO"},
        {"frmDetVehiculos", "Fec_Ing=02/01/2019",
         "La fecha de ingreso al patrimonio no puede ser posterior al 31/12 del ejercicio."},
        {"frmDetalleExportaciones", "fec_embarque=20/03/2019",
         "La fecha de embarque no puede ser mayor a la fecha actual."},
        {"frmDetalleExportaciones", "mto_factura=0", "El monto de la factura debe ser mayor a 0."},
        {"frmDetalleGastoPresentacion", "des_razon=", "Falta ingresar la Razón Social."},
        {"frmDetalleGastoPresentacion", "mto_anual=0", "Monto debe ser mayor a cero ."},
        {"frmNoDomic", "mto_gasto=12450", "El importe del gasto debe ser mayor a 3 UIT."},
        {"frmDetalleDirecto", "num_concytec=", "Ingrese el número de registro otorgado por el CONCYTEC"},
        {"frmRentaInternacional", "des_pais=", "Debe ingresar la descripción del país"},
        {"frmColabEmpresarial", "por_participacion=100.5", "La cantidad ingresada supera el máximo permitido."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.window) + " " + c.message);
        typed(c.window, c.changes);
        EXPECT_FALSE(save(QString::fromUtf8(c.message)));
        EXPECT_EQ(rows(model->def().table), 0);
    }
}

TEST_F(AnnexWindowsTest, DuplicatesAndOtherRowsAreCheckedAgainstTheTable) {
    struct Case {
        const char* window;
        const char* second; // changes of the second row
        const char* message;
    };
    const Case cases[] = {
        {"frmDetalleHidrocarburos", "", "Ya se registró este lote."},
        {"frmDetalleMineras", "", "Ya se registró esta concesión."},
        {"frmNoDomic", "", "Ya se registró el gasto."},
        {"frmDetalleGastoPresentacion", "", "Ya se registró el dato."},
        {"frmDetalleMermas", "ind_inf_tecnico=2",
         "Ya se registró el mismo tipo y número de documento para otro tipo elaboración del informe técnico."},
        // Shares of one contract: 60 and 40 fit, a third of 0.01 does not.
        {"frmColabEmpresarial", "nro_doc=20500000016; por_participacion=40.01",
         "La cantidad ingresada supera el máximo permitido."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        ASSERT_TRUE(typed(c.window).grabar());
        retype(c.window, c.second);
        EXPECT_FALSE(save(QString::fromUtf8(c.message)));
        EXPECT_EQ(rows(model->def().table), 1);
        clear(model->def().table);
    }
    // The third participant after 60 and 40.
    ASSERT_TRUE(typed("frmColabEmpresarial").grabar());
    retype("frmColabEmpresarial", "nro_doc=20500000016; por_participacion=40");
    ASSERT_TRUE(save());
    retype("frmColabEmpresarial", "nro_doc=20131123451; por_participacion=0.01");
    EXPECT_FALSE(save(AnnexDetailModel::kAboveMaximum));
    // Another contract has its own 100 %.
    add(u"frmColabEmpresarial"_s, u"2"_s);
    retype("frmColabEmpresarial", "por_participacion=100");
    EXPECT_TRUE(save());
}

// Correlatives start at 1 and take the highest plus one, so deleting the last frees its number.
TEST_F(AnnexWindowsTest, CorrelativesTakeTheHighestPlusOne) {
    struct Case {
        const char* window;
        const char* second; // what makes the second and third rows no duplicates
        const char* third;
    };
    for (const Case& c :
         {Case{"frmPerdidasExtraord", "", ""},
          Case{"frmDetalleDesmedros", "num_documento=20500000016", "num_documento=20131123451"},
          Case{"frmOperacFinancieras", "num_documento=20500000016", "num_documento=20131123451"},
          Case{"frmDetalleAlquileres", "nro_doc=20500000016; numero=121", "nro_doc=20131123451; numero=122"}}) {
        SCOPED_TRACE(c.window);
        const AnnexDef& def = typed(c.window).def();
        ASSERT_FALSE(def.correlative.isEmpty());
        ASSERT_TRUE(save());
        retype(c.window, c.second);
        ASSERT_TRUE(save());
        EXPECT_EQ(column(def.table, def.correlative), u"1,2"_s);
        db().run(u"DELETE FROM %1 WHERE %2=2"_s.arg(def.table, def.correlative)).finish();
        retype(c.window, c.third);
        ASSERT_TRUE(save());
        EXPECT_EQ(column(def.table, def.correlative), u"1,2"_s);
    }
}

// A second rental at the same address is asked about; a landlord may rent out several movable
// goods, which have no address and are identified by the plate.
TEST_F(AnnexWindowsTest, RentalsOfOneAddressOrOneLandlord) {
    const QString sameAddress = u"Ya ingresó este predio, desea ingresar predio con la misma dirección?"_s;
    ASSERT_TRUE(typed("frmDetalleAlquileres").grabar());
    retype("frmDetalleAlquileres", "nro_doc=20500000016");
    prompter->expectQuestion(sameAddress, Button::No);
    EXPECT_FALSE(model->grabar());
    EXPECT_EQ(rows(u"TMPF582ALQUILER"_s), 1);
    prompter->expectQuestion(sameAddress, Button::Yes);
    EXPECT_TRUE(model->grabar());
    EXPECT_EQ(rows(u"TMPF582ALQUILER"_s), 2);

    clear(u"TMPF582ALQUILER"_s);
    for (const char* plate : {"ABC123", "XYZ987"}) {
        add(u"frmDetalleAlquileres"_s);
        fill("tipo_doc=06; nro_doc=20100047218");
        model->choose(u"tip_bien"_s, u"1"_s);
        EXPECT_EQ(model->state(u"des_identificacion"_s).label, u"Número de Placa"_s);
        EXPECT_FALSE(model->state(u"cod_ubigeo"_s).enabled);
        fill("des_bien=CAMION; mto_alquiler=1200");
        model->setText(u"des_identificacion"_s, QString::fromLatin1(plate));
        EXPECT_TRUE(save()) << plate;
    }
    EXPECT_EQ(column(u"TMPF582ALQUILER"_s, u"correl_pred"_s), u"1,2"_s);
}

// The sub-windows open with the lot or vehicle they belong to, and only once it is there.
TEST_F(AnnexWindowsTest, SubWindowsOpenWithTheirRowOnlyOnceItExists) {
    add(u"frmDetalleHidrocarburos"_s);
    prompter->expectMessage(u"Para ingresar a registrar las Adiciones debe primero ingresar el Número de Lote en "
                            "Exploración y/o Explotación o Actividad"_s,
                            Icon::Exclamation);
    model->click(u"cmdDetAdicionesMH"_s);
    EXPECT_TRUE(opener.requests.isEmpty());

    test::insertRow(db(), u"TMPF564ADMINH"_s, key(),
                    {{u"nro_anexo"_s, 1}, {u"num_conc_lote"_s, u"Z2B"_s}, {u"mto_ADICION_tot"_s, 150}});
    fill(valid("frmDetalleHidrocarburos").values);
    model->click(u"cmdDetAdicionesMH"_s);
    EXPECT_EQ(requested(opener), "DetAdicionesMH keys=1|Z2B");
    EXPECT_EQ(model->value(u"mto_adiciones"_s), u"150"_s);

    // The substituted vehicle: after the vehicle is saved, and a different plate.
    typed("frmDetVehiculos");
    model->choose(u"ind_sustitucion"_s, u"1"_s);
    model->choose(u"cod_motivo"_s, u"1"_s);
    prompter->expectMessage(u"Debe grabar primero los datos del vehículo."_s, Icon::Exclamation);
    model->click(u"cmdfrmDetVehiculosSus"_s);
    ASSERT_TRUE(save());
    const QStringList vehicle = {u"A2"_s, u"ABC123"_s};
    open(u"frmDetVehiculos"_s, app::FormRequest::kModify, vehicle);
    model->click(u"cmdfrmDetVehiculosSus"_s);
    EXPECT_EQ(requested(opener), "DetAdicionesMH keys=1|Z2B; frmDetVehiculosSus action=2 keys=A2|ABC123");

    open(u"frmDetVehiculosSus"_s, app::FormRequest::kModify, vehicle);
    fill("des_placa_sus=ABC123; mto_adq_sus=1000; fec_ing_sus=01/01/2015");
    EXPECT_FALSE(save(u"La placa del vehículo sustituido debe ser distinta a la del vehículo nuevo."_s));
    model->setText(u"des_placa_sus"_s, u"XYZ999"_s);
    EXPECT_TRUE(save());
    EXPECT_EQ(db().scalar(u"SELECT des_placa_sus || '|' || cod_categ FROM TMPF584VEHIC"_s).toString(), u"XYZ999|A2"_s);
    EXPECT_EQ(rows(u"TMPF584VEHIC"_s), 1);
}

// A contract lists its participants and opens their window for itself only once it is saved.
TEST_F(AnnexWindowsTest, AContractListsAndEditsItsOwnParticipants) {
    add(u"frmcabEmpresarial"_s);
    prompter->expectMessage(u"Debe grabar primero los datos del contrato."_s, Icon::Exclamation);
    model->clickChild(0);
    EXPECT_TRUE(opener.requests.isEmpty());
    for (const char* contract : {"1", "1", "2"}) {
        test::insertRow(db(), u"TMPF582COLCAB"_s, key(), {{u"cod_contrato"_s, QString()}});
        test::insertRow(db(), u"TMPF582COLDET"_s, key(),
                        testing::columns(u"cod_contrato=%1; tipo_doc=6; nro_doc=2050000001%2; por_participacion=50"_s
                                             .arg(QString::fromLatin1(contract))
                                             .arg(rows(u"TMPF582COLDET"_s))));
    }
    open(u"frmcabEmpresarial"_s, app::FormRequest::kModify, {u"1"_s});
    ASSERT_NE(model->childRows(), nullptr);
    ASSERT_EQ(model->childRows()->rowCount(), 2);
    EXPECT_EQ(model->childRows()->rowTexts(0).mid(0, 2), QStringList({"RUC", "20500000010"}));

    model->clickChild(0);
    EXPECT_EQ(requested(opener), "frmColabEmpresarial code=1");

    model->childRows()->select(1);
    model->clickChild(1);
    EXPECT_EQ(requested(opener), "frmColabEmpresarial code=1; frmColabEmpresarial code=1 action=2 keys=6|20500000011");

    prompter->expectQuestion(u"¿Desea eliminar los datos del participante?"_s, Button::Yes, Icon::Question);
    model->clickChild(2);
    EXPECT_EQ(model->childRows()->rowCount(), 1);
    EXPECT_EQ(column(u"TMPF582COLDET"_s, u"nro_doc"_s), u"20500000010,20500000012"_s);
}

} // namespace
} // namespace qel::annexes
