#include "catalogue/AnnexCatalog.h"
#include "catalogue/FormControls.h"

#include <initializer_list>

namespace qel::annexes {

namespace {

using K = FieldKind;
using R = app::KeyRule;

QString u(const char* text) {
    return QString::fromUtf8(text);
}

QStringList list(std::initializer_list<const char*> names) {
    QStringList out;
    for (const char* name : names) {
        out.append(u(name));
    }
    return out;
}

// The flag positions of the annexes in the document types of PARAM 044.
constexpr int kPartnerDocs = 97;
constexpr int kCounterpartDocs = 83; // any document: technical reports, administrators, lessors
constexpr int kRucOnlyDocs = 98;     // RUC and the passport: beneficiaries and providers
constexpr int kForeignDocs = 92;     // non-domiciled providers

const QList<std::pair<QString, QString>> kYesNo = {{QStringLiteral("1"), QStringLiteral("Si")},
                                                   {QStringLiteral("0"), QStringLiteral("No")}};

// Builds one window's fields in order.
class Fields {
public:
    AnnexField& add(const char* control, const char* column, const char* label, K kind) {
        AnnexField f;
        f.control = u(control);
        f.column = u(column);
        f.label = u(label);
        f.kind = kind;
        switch (kind) {
        case K::Amount:
            f.keys = R::Digits;
            f.maxLength = 15;
            break;
        case K::Percentage:
            f.keys = R::Percentage;
            f.maxLength = 6;
            break;
        case K::Date:
            f.maxLength = 10;
            break;
        default:
            break;
        }
        m_list.append(f);
        return m_list.last();
    }
    AnnexField& name(const char* control, const char* column, const char* label, int length = 100) {
        AnnexField& f = add(control, column, label, K::Text);
        f.keys = R::AnnexName;
        f.maxLength = length;
        return f;
    }
    AnnexField& document(const char* control, const char* column, const char* label, const char* typeColumn) {
        AnnexField& f = add(control, column, label, K::Text);
        f.keys = R::AnnexDocument;
        f.maxLength = 15;
        f.docTypeColumn = u(typeColumn);
        return f;
    }
    AnnexField& docType(const char* control, const char* column, int position) {
        AnnexField& f = add(control, column, "Tipo de Documento", K::DocType);
        f.docTypePosition = position;
        return f;
    }
    AnnexField& combo(const char* control, const char* column, const char* label, const char* param) {
        AnnexField& f = add(control, column, label, K::Combo);
        f.param = u(param);
        return f;
    }
    AnnexField& fixed(const char* control, const char* column, const char* label, K kind,
                      std::initializer_list<std::pair<const char*, const char*>> items) {
        AnnexField& f = add(control, column, label, kind);
        for (const auto& [code, text] : items) {
            f.items.append({u(code), u(text)});
        }
        return f;
    }
    AnnexField& yesNo(const char* control, const char* column, const char* label) {
        AnnexField& f = add(control, column, label, K::Option);
        f.items = kYesNo;
        return f;
    }
    AnnexField& amount(const char* control, const char* column, const char* label, const char* positive = "") {
        AnnexField& f = add(control, column, label, K::Amount);
        f.positive = u(positive);
        return f;
    }
    AnnexField& date(const char* control, const char* column, const char* label) {
        AnnexField& f = add(control, column, label, K::Date);
        f.badDate = u("La Forma de ingresar la fecha es incorrecta.");
        return f;
    }
    QList<AnnexField> take() { return std::move(m_list); }

private:
    QList<AnnexField> m_list;
};

AnnexDef annex(const char* window, const char* caption, const char* table, std::initializer_list<const char*> keys,
               Fields& fields) {
    AnnexDef d;
    d.window = u(window);
    d.caption = u(caption);
    d.table = u(table);
    d.keyColumns = list(keys);
    d.fields = fields.take();
    d.duplicate = u("Ya se registró el dato.");
    return d;
}

const char* const kRucInvalid = "El RUC no es Válido.";
const char* const kNotOwnRuc = "El número de RUC no debe ser igual al RUC del declarante.";

AnnexDef partners() {
    Fields f;
    f.combo("cboTipoSocio", "tipo_socio", "Tipo de socio, asociado, participacionista, otros", "841").key = true;
    f.docType("cboTipoDoc", "tipo_doc_socio", kPartnerDocs).key = true;
    f.document("txtNroDoc", "nro_doc_socio", "Número de Documento", "tipo_doc_socio").key = true;
    f.name("txtRazonSocial", "des_nom_razon", "Apellidos y Nombres, Denominación o Razón Social");
    f.date("mskFecNac", "fec_nac_socio", "Fecha de Nacimiento");
    f.combo("cboPais", "cod_pais", "País de Residencia", "976");
    f.add("txtPorcentaje", "Porcentaje", "% de Participación sobre el capital", K::Percentage);
    f.date("mskFecConst", "fec_cosnt_socio", "Fecha en que se constituye como socio");
    return annex("frmDetalleSocios", "Registro de Principales Socios", "TMPF535SOCIOS",
                 {"tipo_socio", "tipo_doc_socio", "nro_doc_socio"}, f);
}

AnnexDef losses() {
    Fields f;
    f.fixed("cboElaborado", "ind_inf_tecnico", "Informe Técnico Elaborado por", K::Combo,
            {{"1", "PROFESIONAL INDEPENDIENTE"}, {"2", "EMPRESA ESPECIALIZADA"}, {"3", "ORGANISMO TÉCNICO"}})
        .required = u("Seleccione quién elaboró el informe técnico.");
    f.name("txtNroInforme", "num_inf_tecnico", "Número de Informe Técnico", 20).required =
        u("Registre el número del informe técnico.");
    f.docType("cboTipoDoc", "tip_documento", kCounterpartDocs).required = u("Seleccione el tipo de documento.");
    {
        AnnexField& d = f.document("txtNroDoc", "num_documento", "Número de Documento", "tip_documento");
        d.required = u("Registre el número de documento.");
        d.ownRuc = u(kNotOwnRuc);
    }
    f.date("mskFecInforme", "fec_inf_tecnico", "Fecha de Informe Técnico");
    f.name("txtRazonSocial", "des_nom_razon", "Apellidos y Nombres o Razón Social").required =
        u("Registre los apellidos y nombres o la razón social.");
    f.name("txtColegiatura", "num_colegiatura", "N° Coleg. Profesional", 10).required =
        u("Debe registrar el número de colegiatura .");
    f.amount("txtMonto", "mto_merma", "Monto de la Merma", "El monto de la merma debe ser mayor a 0.");
    return annex("frmDetalleMermas", "Registro de Detalle de Mermas", "TMPF535MERMAS",
                 {"ind_inf_tecnico", "num_inf_tecnico", "tip_documento", "num_documento"}, f);
}

AnnexDef wastage() {
    Fields f;
    f.fixed("cboDestruccion", "ind_destruccion", "Destrucción efectuada ante", K::Combo,
            {{"1", "NOTARIO PÚBLICO"}, {"2", "JUEZ DE PAZ"}})
        .required = u("Seleccione ante quién se efectuó la destrucción.");
    f.docType("cboTipoDoc", "tip_documento", kCounterpartDocs);
    f.document("txtNroDoc", "num_documento", "Número Documento", "tip_documento").badRuc = u(kRucInvalid);
    f.name("txtNombre", "des_ape_nom", "Apellidos y nombres");
    f.name("txtJuzgado", "id_juzg_paz", "Identificación Juzgado de Paz", 30);
    f.date("mskFecComunicacion", "fec_com_kolva", "Fecha de Comunicación a la KOLVA").required =
        u("Registre la fecha de comunicación a la KOLVA.");
    f.date("mskFecDestruccion", "fec_destruccion", "Fecha de destrucción").required =
        u("Registre la fecha de destrucción.");
    f.amount("txtMonto", "mto_desmedro", "Monto del Desmedro", "El monto del desmedro debe ser mayor a 0.");
    AnnexDef d = annex("frmDetalleDesmedros", "Registro de Detalle de Desmedros", "TMPF535DESMEDROS",
                       {"ind_destruccion", "tip_documento", "num_documento", "id_juzg_paz"}, f);
    d.correlative = u("num_corr_desm");
    return d;
}

AnnexDef royalties() {
    Fields f;
    f.docType("cboTipoDoc", "tip_documento", kRucOnlyDocs).required = u("Seleccione el tipo de documento.");
    {
        AnnexField& d = f.document("txtNroDoc", "num_documento", "Número de Documento", "tip_documento");
        d.required = u("Registre el número de documento.");
        d.badRuc = u(kRucInvalid);
        d.ownRuc = u(kNotOwnRuc);
    }
    f.date("mskFecContrato", "fec_contrato", "Fecha del Contrato").required = u("Registre la fecha del contrato.");
    f.name("txtNombre", "des_ape_nom", "Apellidos y Nombres o Razón Social").required =
        u("Registre los apellidos y nombres o la razón social del beneficiario.");
    f.amount("txtMonto", "mto_regalia", "Monto Devengado", "El monto devengado debe ser mayor a 0.");
    return annex("frmDetalleRegalias", "Registro de Detalle de Regalías a Beneficiarios Domiciliados",
                 "TMPF535REGALIAS", {"tip_documento", "num_documento", "fec_contrato"}, f);
}

AnnexDef extraordinaryLosses() {
    Fields f;
    f.date("mskFecPerdida", "fec_perd_extra", "Fecha de la Pérdida").required = u("Registre la fecha de la pérdida.");
    f.date("mskFecResolucion", "fec_res_judic", "Fecha de la Resolución Judicial");
    f.name("txtJuzgado", "ind_ident_juz", "Identificación del Juzgado", 30);
    f.yesNo("optSeguro", "ind_cubierto_seguro", "¿La pérdida está cubierta por un seguro?").required =
        u("Indique si la pérdida está cubierta por un seguro.");
    f.yesNo("optDelitoProbado", "ind_delito_probado", "¿Se ha probado judicialmente el delito?").required =
        u("Indique si se ha probado judicialmente el delito.");
    f.yesNo("optDelitoInutil", "ind_delito_inutil", "¿Es inútil ejercitar la acción judicial?").required =
        u("Indique si es inútil ejercitar la acción judicial.");
    f.amount("txtCasoFortuito", "mto_caso_fort", "Monto por Caso Fortuito o Fuerza Mayor");
    f.amount("txtDelito", "mto_del_comet", "Monto por Delitos Cometidos");
    AnnexDef d =
        annex("frmPerdidasExtraord", "Detalle de Pérdidas Extraordinarias", "TMPF535PEREXTRA", {"num_corr_perd"}, f);
    d.correlative = u("num_corr_perd");
    return d;
}

AnnexDef financialOperations() {
    Fields f;
    f.docType("cboTipoDoc", "tip_documento", kCounterpartDocs).required = u("Seleccione el tipo de documento.");
    {
        AnnexField& d = f.document("txtNroDoc", "num_documento", "Número de Documento", "tip_documento");
        d.required = u("Registre el número de documento.");
        d.badRuc = u(kRucInvalid);
    }
    f.name("txtRazonSocial", "des_nom_razon", "Apellidos y Nombres o Razón Social").required =
        u("Registre los apellidos y nombres o la razón social.");
    f.date("mskFecInicio", "fec_ini_contrato", "Fecha de Inicio del Contrato").required =
        u("Registre la fecha de inicio del contrato.");
    f.yesNo("optPlazo", "ind_plazo", "Plazo de Duracion Indefinido").required =
        u("Seleccione si el plazo de duración es o no indefinido .");
    f.date("mskFecFin", "fec_fin_contrato", "Fecha de Fin del Contrato");
    AnnexDef d = annex("frmOperacFinancieras", "Operacion financiera", "TMPF542OPERFIN",
                       {"correl_cont", "tip_documento", "num_documento"}, f);
    d.codeColumn = u("ind_tipo_oper");
    d.correlative = u("correl_cont");
    return d;
}

AnnexDef obsolescence() {
    Fields f;
    f.name("txtCodActivo", "cod_activo", "Código del Activo", 20).required = u("Registre el código del activo.");
    f.name("txtNroInforme", "num_inf_tecnico", "Número de Informe Técnico", 20).required =
        u("Registre el número del informe técnico.");
    f.docType("cboTipoDoc", "tip_documento", kCounterpartDocs).required = u("Seleccione el tipo de documento.");
    {
        AnnexField& d = f.document("txtNroDoc", "num_documento", "Número de Documento", "tip_documento");
        d.required = u("Registre el número de documento.");
        d.badRuc = u(kRucInvalid);
    }
    f.date("mskFecInforme", "fec_inf_tecnico", "Fecha de Informe Técnico").afterToday =
        u("La fecha del informe técnico  no puede ser mayor a la fecha actual");
    f.name("txtRazonSocial", "des_nom_razon", "Apellidos y Nombres o Razón Social");
    f.name("txtColegiatura", "num_colegiatura", "N° Coleg. Profesional", 10);
    f.amount("txtValor", "mto_bien", "Valor del Bien", "El valor del bien debe ser mayor a 0.");
    f.date("mskFecDesuso", "fec_desuso", "Fecha del Desuso u Obsolescencia").afterToday =
        u("La fecha del desuso u obsolescencia no puede ser mayor a la fecha actual");
    return annex("frmDetalleDesuso", "Registro de Detalle de Desuso u Obsolescencia ", "TMPF542DESUSO",
                 {"tip_documento", "num_documento", "num_inf_tecnico", "cod_activo"}, f);
}

AnnexDef rentals() {
    Fields f;
    f.docType("cboTipoDoc", "tipo_doc", kCounterpartDocs).required = u("Seleccione el tipo de documento.");
    {
        AnnexField& d = f.document("txtNroDoc", "nro_doc", "Número de Documento", "tipo_doc");
        d.required = u("Registre el número de documento.");
        d.badRuc = u(kRucInvalid);
        d.ownRuc = u(kNotOwnRuc);
    }
    f.fixed("optbien", "tip_bien", "Tipo de Bien", K::Option, {{"1", "Mueble"}, {"2", "Inmueble"}}).required =
        u("Seleccione el tipo de bien.");
    f.name("txtDesBien", "des_bien", "Descripción del Bien");
    f.name("txtIdentificacion", "des_identificacion", "Matricula-Placa-Otros", 30);
    f.amount("txtMonto", "mto_alquiler", "Monto del Alquiler", "El monto del alquiler debe ser mayor a 0.");
    f.name("txtUbigeo", "cod_ubigeo", "Ubigeo", 6).keys = R::Digits;
    f.combo("cboTipoZona", "tip_zona", "Tipo de Zona", "059");
    f.name("txtZona", "des_zona", "Zona", 30);
    f.combo("cboTipoVia", "tip_via", "Tipo de vía", "058");
    f.name("txtVia", "des_via", "Vía", 30);
    f.name("txtNumero", "numero", "Número", 5).keys = R::Digits;
    f.name("txtKilometro", "kilometro", "Kilómetro", 5);
    f.name("txtManzana", "manzana", "Manzana", 5);
    f.name("txtInterior", "interior", "Interior", 5);
    f.name("txtDepartamento", "departamento", "Departamento", 5);
    f.name("txtLote", "lote", "Lote", 5);
    f.name("txtReferencia", "referencia", "Referencia", 40);
    AnnexDef d = annex("frmDetalleAlquileres", "Registro de Detalle de Alquileres", "TMPF582ALQUILER",
                       {"tipo_doc", "nro_doc", "correl_pred"}, f);
    d.correlative = u("correl_pred");
    return d;
}

// The result of a hydrocarbon lot or a mining concession: the same amounts.
void resultAmounts(Fields& f, bool mining) {
    f.name("txtActividad", "des_activ_rel",
           mining ? "Nombre de la Concesión o U.E.A." : "Descripción de la Actividad Relacionada");
    f.date("mskFecFirma", "fec_firma_conv", "Fecha Firma Convenio");
    f.date("mskFecVigencia", "fec_vigen_conv", "Fecha Vigencia Convenio");
    f.amount("txtPlazo", "num_plazo_dura", "Plazo de Duración");
    f.amount("txtActivo", "mto_tot_activo", "Total Activo");
    f.amount("txtIngresos", "mto_tot_ingresos", "Total Ingresos");
    if (mining) {
        f.amount("txtPerdidaComp", "mto_perdid_con", "Pérdida Compensable");
    } else {
        f.amount("txtCostos", "mto_tot_costos", "Total Costos");
    }
    f.amount("txtAdiciones", "mto_adiciones", "Adiciones");
    f.amount("txtDeducciones", mining ? "mto_deduccione" : "mto_deducciones", "Deducciones");
    f.amount("txtRenta", "mto_tot_renta", "Renta Neta");
    f.amount("txtPerdida", "mto_tot_perdida", "Pérdida Tributaria");
    if (mining) {
        f.amount("txtPerdidaAnt", "mto_per_ejer_a", "Pérdidas de Ejercicios Anteriores");
        f.amount("txtAmazonia", "mto_inv_amazon", "Inversión en la Amazonía");
        f.amount("txtCreditos", "mto_creditos", "Créditos");
        f.amount("txtSaldoFavor", "mto_saldo_favor", "Saldo a Favor");
    }
    f.amount("txtImpuesto", "mto_imp_renta", "Impuesto a la Renta");
    f.add("txtTasa", "mto_tasa_imp", "Tasa del Impto a la Renta Aplicada (%)", K::Percentage);
}

AnnexDef hydrocarbons() {
    Fields f;
    f.fixed("cboAnexo", "nro_anexo", "Anexo", K::Combo, {{"1", "Anexo de Contratos de Hidrocarburos"}}).required =
        u("Seleccione el anexo.");
    f.name("txtNroLote", "nro_lote", "N°de Lote en Exploración y Explotación", 20).required =
        u("Registre el número de lote.");
    f.fixed("cboSistema", "ind_sistema", "Sistema", K::Combo,
            {{"1", "CONTRATO DE LICENCIA"}, {"2", "CONTRATO DE SERVICIOS"}});
    resultAmounts(f, false);
    AnnexDef d = annex("frmDetalleHidrocarburos", "Hidrocarburos - Anexo", "TMPF540HIDROCAR", {"nro_lote"}, f);
    d.duplicate = u("Ya se registró este lote.");
    d.opens = {{u("DetAdicionesMH"), u("&Adiciones")}, {u("DetDeduccionesMH"), u("&Deducciones")}};
    return d;
}

AnnexDef mining() {
    Fields f;
    f.fixed("cboAnexo", "nro_anexo", "Anexo", K::Combo,
            {{"1", "Anexo de Concesiones vinculadas con Inversiones Estabilizadas"},
             {"2", "Anexo de Concesiones no vinculadas con Inversiones Estabilizadas"}})
        .required = u("Seleccione el anexo.");
    f.name("txtNroConcesion", "nro_concesion", "Nro. Código de Concesión o U.E.A.", 20).required =
        u("Registre el código de la concesión.");
    f.fixed("cboSistema", "ind_sistema", "Sistema", K::Combo, {{"1", "CONCESIÓN"}, {"2", "U.E.A."}});
    resultAmounts(f, true);
    AnnexDef d = annex("frmDetalleMineras", "Mineras - Anexo", "TMPF564MINERIA", {"nro_concesion"}, f);
    d.duplicate = u("Ya se registró esta concesión.");
    d.opens = {{u("DetAdicionesMH"), u("&Adiciones")},
               {u("DetDeduccionesMH"), u("&Deducciones")},
               {u("frmMinOtros"), u("&Otros Ingresos")}};
    return d;
}

AnnexDef vehicles() {
    Fields f;
    f.combo("cboCategoria", "cod_categ", "Categoría", "967").required = u("Seleccione la categoría del vehículo.");
    f.name("txtPlaca", "des_placa", "Número de Placa", 10).required = u("Registre el número de placa.");
    f.amount("txtCosto", "mto_adq", "Costo de Adquisición o Valor de Ingreso al Patrimonio");
    {
        AnnexField& d = f.date("mskFecIngreso", "Fec_Ing", "Fecha de Ingreso al Patrimonio");
        d.required = u("Registre la fecha de ingreso al patrimonio.");
        d.afterPeriod = u("La fecha de ingreso al patrimonio no puede ser posterior al 31/12 del ejercicio.");
        d.afterToday = u("La fecha de ingreso al patrimonio no puede ser mayor a la fecha actual.");
    }
    f.fixed("cboCondicion", "cod_condicion", "Condición", K::Combo,
            {{"1", "PROPIO"}, {"2", "ARRENDAMIENTO FINANCIERO"}, {"3", "ALQUILADO"}, {"4", "CEDIDO EN USO"}})
        .required = u("Seleccione la condición del vehículo.");
    f.fixed("cboActividad", "cod_actividad", "Asignación", K::Combo,
            {{"1", "DIRECCIÓN"}, {"2", "REPRESENTACIÓN"}, {"3", "ADMINISTRACIÓN"}})
        .required = u("Seleccione la actividad a la que está asignado el vehículo.");
    f.amount("txtAlquiler", "mto_alquiler", "Alquiler");
    f.amount("txtDepreciacion", "mto_dep", "Depreciación");
    f.amount("txtOtros", "mto_otros", "Otros Gastos");
    f.amount("txtCombustible", "mto_com", "Combustible");
    f.amount("txtGasto", "mto_gasto", "Gastos del Vehículo");
    f.yesNo("optDeduce", "ind_ded_gasto", "¿Identifica el vehículo para deducir sus gastos?").required =
        u("Indique si identifica el vehículo para deducir sus gastos.");
    f.yesNo("optSustitucion", "ind_sustitucion", "¿Sustituye a otro vehículo?").required =
        u("Indique si el vehículo sustituye a otro.");
    f.fixed("cboMotivo", "cod_motivo", "Motivo de la sustitución", K::Combo,
            {{"1", "SINIESTRO"}, {"2", "TRANSFERENCIA"}, {"3", "OTROS"}});
    AnnexDef d = annex("frmDetVehiculos", "Detalle de Vehículos", "TMPF584VEHIC", {"cod_categ", "des_placa"}, f);
    d.opens = {{u("frmDetVehiculosSus"), u("Vehículo &Sustituido")}};
    return d;
}

// The substituted vehicle: the *_sus columns of the new vehicle's row, modified only.
AnnexDef substitutedVehicle() {
    Fields f;
    f.name("txtPlacaSus", "des_placa_sus", "Número de Placa del Vehículo Sustituido", 10).required =
        u("Registre el número de placa del vehículo sustituido.");
    f.amount("txtCostoSus", "mto_adq_sus", "Costo de Adquisición", "El costo de adquisición debe ser mayor a 0.");
    f.date("mskFecIngresoSus", "fec_ing_sus", "Fecha de Ingreso al Patrimonio").required =
        u("Registre la fecha de ingreso al patrimonio del vehículo sustituido.");
    f.fixed("cboCondicionSus", "cod_condicion_sus", "Condición", K::Combo,
            {{"1", "PROPIO"}, {"2", "ARRENDAMIENTO FINANCIERO"}, {"3", "ALQUILADO"}, {"4", "CEDIDO EN USO"}});
    f.amount("txtGastoSus", "mto_gasto_sus", "Gastos del Vehículo");
    f.amount("txtDepSus", "mto_dep_sus", "Depreciación");
    return annex("frmDetVehiculosSus", "Vehículo Sustituido", "TMPF584VEHIC", {"cod_categ", "des_placa"}, f);
}

AnnexDef exports() {
    Fields f;
    f.name("txtDam", "num_dam", "Número de DAM", 20).required = u("Registre el número de la DAM.");
    f.name("txtFactura", "num_factura", "Número de la Factura", 20).required = u("Registre el número de la factura.");
    {
        AnnexField& d = f.date("mskFecEmbarque", "fec_embarque", "Fecha de Embarque");
        d.required = u("Registre la fecha de embarque.");
        d.afterToday = u("La fecha de embarque no puede ser mayor a la fecha actual.");
    }
    f.amount("txtMontoDam", "mto_dam", "Monto de la DAM", "El monto de la DAM debe ser mayor a 0.");
    f.amount("txtMontoFactura", "mto_factura", "Monto de la Factura", "El monto de la factura debe ser mayor a 0.");
    return annex("frmDetalleExportaciones", "Registro de Detalle de Exportaciones", "TMPF582EXPORTA",
                 {"num_dam", "num_factura"}, f);
}

AnnexDef representationExpenses() {
    Fields f;
    f.docType("cboTipoDoc", "tipo_doc", kRucOnlyDocs).required = u("Seleccione el tipo de documento.");
    {
        AnnexField& d = f.document("txtNroDoc", "nro_doc", "Número de RUC", "tipo_doc");
        d.required = u("Ingrese el número de RUC.");
        d.badRuc = u(kRucInvalid);
        d.ownRuc = u(kNotOwnRuc);
    }
    f.name("txtRazonSocial", "des_razon", "Razón Social").required = u("Falta ingresar la Razón Social.");
    f.amount("txtMonto", "mto_anual", "Monto Anual", "Monto debe ser mayor a cero .");
    return annex("frmDetalleGastoPresentacion", "Detalle de Gastos de Representacion", "TMPF572GASREP",
                 {"tipo_doc", "nro_doc"}, f);
}

AnnexDef nonDomiciled() {
    Fields f;
    f.docType("cboTipoDoc", "tipo_doc", kForeignDocs).required = u("Seleccione el tipo de documento.");
    f.document("txtNroDoc", "nro_doc", "Número de Documento", "tipo_doc").required =
        u("Registre el número de documento.");
    f.fixed("cboTipoRenta", "tip_renta", "Tipo de Renta", K::Combo,
            {{"01", "REGALÍAS"},
             {"02", "ASISTENCIA TÉCNICA"},
             {"03", "SERVICIOS DIGITALES"},
             {"04", "INTERESES"},
             {"05", "OTRAS RENTAS"}})
        .required = u("Seleccione el tipo de renta.");
    f.name("txtRazonSocial", "des_razon", "Apellidos y Nombres o Razón Social").required =
        u("Registre los apellidos y nombres o la razón social.");
    f.combo("cboPais", "cod_pais", "País de Residencia", "976").required = u("Seleccione el país de residencia.");
    f.amount("txtGasto", "mto_gasto", "Monto del Gasto");
    f.add("txtTasa", "mto_tasa", "Tasa (%)", K::Percentage);
    f.amount("txtNoRetencion", "mto_no_retencion", "Monto no Sujeto a Retención");
    f.yesNo("optRetencion", "retencion", "¿Efectuó la retención?").required = u("Indique si efectuó la retención.");
    f.amount("txtRetencion", "mto_ret", "Retención Efectuada");
    AnnexDef d =
        annex("frmNoDomic", "Gastos con NO domiciliados", "TMPF582NODOMIC", {"TIPO_DOC", "NRO_DOC", "tip_renta"}, f);
    d.duplicate = u("Ya se registró el gasto.");
    d.fixedValues = {{QStringLiteral("SEMANA"), 0}};
    d.closeQuestion = u("¿Los datos han sido modificados, desea guardar los cambios?");
    d.opens = {{u("frmNoDomicDet"), u("&Detalle del Gasto")}};
    return d;
}

AnnexDef researchProjects() {
    Fields f;
    f.fixed("cboTipoProyecto", "tip_proyecto", "Tipo de Proyecto", K::Combo,
            {{"1", "INVESTIGACIÓN CIENTÍFICA"}, {"2", "DESARROLLO TECNOLÓGICO"}, {"3", "INNOVACIÓN TECNOLÓGICA"}})
        .required = u("Seleccione el tipo de proyecto.");
    f.fixed("optParte", "ind_parte", "Proyecto realizado", K::Option,
            {{"1", "Directamente"}, {"2", "Mediante centro"}});
    {
        AnnexField& d = f.document("txtRuc", "num_ruc", "RUC del Centro de Investigación", "");
        d.badRuc = u(kRucInvalid);
    }
    f.name("txtRazonSocial", "des_razon", "Razón Social");
    f.name("txtConcytec", "num_concytec", "Número de Registro CONCYTEC", 20).required =
        u("Ingrese el número de registro otorgado por el CONCYTEC");
    f.name("txtCentro", "des_centro", "Centro de Investigación").required =
        u("Ingrese el nombre del centro de investigación.");
    f.yesNo("optVinculo", "ind_vinculo", "¿El centro está vinculado a la empresa?").required =
        u("Indique si el centro está vinculado a la empresa.");
    f.name("txtProyecto", "des_proyecto", "Descripción del Proyecto", 200).required =
        u("Ingrese la descripción del proyecto.");
    f.date("mskFecAutorizacion", "fec_autorizacion", "Fecha de Calificación").required =
        u("Ingrese la fecha de calificación del proyecto.");
    f.amount("txtTotal", "mto_total", "Monto Total del Proyecto");
    f.amount("txtDeducible", "mto_deducible", "Monto Deducible");
    f.amount("txtEjercicio", "mto_ejercicio", "Gasto del Ejercicio");
    AnnexDef d = annex("frmDetalleDirecto", "Sin beneficio - Inciso a3) Art. 37° de la LIR", "TMPF584GASINV",
                       {"correl_proyecto"}, f);
    d.codeColumn = u("ind_beneficio");
    d.correlative = u("correl_proyecto");
    return d;
}

AnnexDef internationalIncome() {
    Fields f;
    f.fixed("cboTipoRenta", "cod_renta", "Tipo de Renta", K::Combo,
            {{"1", "RENTA DE FUENTE EXTRANJERA"}, {"2", "TRANSPARENCIA FISCAL INTERNACIONAL"}})
        .required = u("Seleccione el tipo de renta.");
    f.fixed(
         "cboPais", "cod_pais", "País o Jurisdicción", K::Combo,
         {{"9101", "BAHAMAS"}, {"9105", "BERMUDAS"}, {"9169", "ISLAS CAIMÁN"}, {"9493", "PANAMÁ"}, {"9999", "OTROS"}})
        .required = u("Seleccione el país o jurisdicción.");
    f.name("txtPais", "des_pais", "Nombre del País", 40);
    f.yesNo("optConvenio", "ind_convenio", "Convenio para evitar la Doble Imposición").required =
        u("Indique si existe convenio para evitar la doble imposición.");
    f.amount("txtMonto", "mto_renta", "Monto de la Renta (S/)", "Ingrese el monto de la renta en soles.");
    AnnexDef d = annex("frmRentaInternacional", "Renta Internacional", "TMPF586IDERTA", {"correl_rta"}, f);
    d.correlative = u("correl_rta");
    return d;
}

AnnexDef collaborationContract() {
    Fields f;
    f.name("txtDescripcion", "des_contrato", "Descripción del Contrato", 100).required =
        u("Registre la descripción del contrato.");
    AnnexDef d =
        annex("frmcabEmpresarial", "Contratos de colaboración empresarial", "TMPF582COLCAB", {"cod_contrato"}, f);
    d.correlative = u("cod_contrato");
    d.childGrid = u("cmdParticipantes");
    return d;
}

AnnexDef collaborationParticipants() {
    Fields f;
    f.docType("cboTipoDoc", "tipo_doc", kCounterpartDocs).required = u("Seleccione el tipo de documento.");
    {
        AnnexField& d = f.document("txtNroDoc", "nro_doc", "Número de Documento", "tipo_doc");
        d.required = u("Registre el número de documento.");
        d.badRuc = u(kRucInvalid);
    }
    f.name("txtRazonSocial", "des_razon", "Apellidos y Nombres o Razón Social").required =
        u("Registre los apellidos y nombres o la razón social.");
    f.add("txtParticipacion", "por_participacion", "% de Participación", K::Percentage).positive =
        u("El Porcentaje no puede ser 0%.");
    f.fixed("cboTipo", "tipo", "Tipo de Participante", K::Combo, {{"0", "OPERADOR"}, {"1", "PARTÍCIPE"}});
    AnnexDef d = annex("frmColabEmpresarial", "Detalle de Contratos de  Colaboracion Empresarial", "TMPF582COLDET",
                       {"tipo_doc", "nro_doc"}, f);
    d.codeColumn = u("cod_contrato");
    return d;
}

// The additions (27 lines) and deductions (8 lines) of one lot or concession; the code is
// the lot or concession number, the annex number the first key value.
AnnexDef lotLines(bool additions) {
    Fields f;
    const int count = additions ? 27 : 8;
    for (int i = 1; i <= count; ++i) {
        const QByteArray column =
            (additions ? QByteArrayLiteral("mto_adicion_") : QByteArrayLiteral("mto_deduc_")) + QByteArray::number(i);
        const QByteArray control = QByteArrayLiteral("txtValor") + QByteArray::number(i);
        const QByteArray label =
            (additions ? QByteArrayLiteral("Adición ") : QByteArrayLiteral("Deducción ")) + QByteArray::number(i);
        AnnexField& field = f.add("", "", "", K::Amount);
        field.control = QString::fromLatin1(control);
        field.column = QString::fromLatin1(column);
        field.label = QString::fromUtf8(label);
    }
    AnnexField& total = f.amount("txtTotal", additions ? "mto_ADICION_tot" : "mto_deduc_tot", "Total");
    Q_UNUSED(total);
    AnnexDef d = additions ? annex("DetAdicionesMH", "Asistente de Cálculo de Adiciones", "TMPF564ADMINH",
                                   {"nro_anexo", "num_conc_lote"}, f)
                           : annex("DetDeduccionesMH", "Asistente de Cálculo de Casilla 105", "TMPF564DEMINH",
                                   {"nro_anexo", "num_conc_lote"}, f);
    return d;
}

// --- The grids of the declaration form -------------------------------------------------

const QString kError = QStringLiteral("Error");
const QString kNothingToModify = QStringLiteral("No existen datos para modificar.");

AnnexGridDef grid(const char* array, const char* gridName, const char* window, const char* table,
                  std::initializer_list<const char*> keys, const char* question, const char* option = "") {
    AnnexGridDef d;
    d.array = u(array);
    d.grid = u(gridName);
    d.window = u(window);
    d.table = u(table);
    d.keyFields = list(keys);
    d.deleteQuestion = u(question);
    d.noRowsToModify = kNothingToModify;
    d.noRowsTitle = kError;
    d.switchOption = u(option);
    return d;
}

AnnexGridDef narrowed(AnnexGridDef d, const char* condition, const QVariant& value) {
    d.condition = u(condition);
    d.conditionValues = {value};
    return d;
}

// A grid whose detail window receives a code (the operation or project kind).
AnnexGridDef coded(AnnexGridDef d, const char* code) {
    d.windowCode = u(code);
    return d;
}

} // namespace

QList<AnnexDef> annexWindowData() {
    return {partners(),
            losses(),
            wastage(),
            royalties(),
            extraordinaryLosses(),
            financialOperations(),
            obsolescence(),
            rentals(),
            hydrocarbons(),
            mining(),
            vehicles(),
            substitutedVehicle(),
            exports(),
            representationExpenses(),
            nonDomiciled(),
            researchProjects(),
            internationalIncome(),
            collaborationContract(),
            collaborationParticipants(),
            lotLines(true),
            lotLines(false)};
}

QList<AnnexGridDef> annexGridData() {
    QList<AnnexGridDef> a;
    {
        AnnexGridDef d =
            grid("cmdAlquileres", "grdAlquileres", "frmDetalleAlquileres", "TMPF582ALQUILER",
                 {"tipo_doc", "nro_doc", "correl_pred"}, "¿Desea eliminar los datos del alquiler?", "OptAlquileres");
        d.noRowsToDelete = QStringLiteral("No existen registros para eliminar.");
        d.importKind = QStringLiteral("11");
        d.importWindow = QStringLiteral("frmImportarGastoPresent");
        a.append(d);
    }
    {
        AnnexGridDef d = grid("cmdColabEmp", "grdColab", "frmcabEmpresarial", "TMPF582COLCAB", {"COD_CONTRATO"},
                              "¿Desea eliminar los datos del contrato de colaboracion empresarial ?", "OptColab");
        d.dependants = {{QStringLiteral("TMPF582COLDET"), {QStringLiteral("cod_contrato")}}};
        d.importKind = QStringLiteral("12");
        d.importWindow = QStringLiteral("frmImportarGastoPresent");
        a.append(d);
    }
    a.append(grid("cmdDesmedros", "grdDesmedros", "frmDetalleDesmedros", "TMPF535DESMEDROS",
                  {"ind_destruccion", "tip_documento", "num_documento", "id_juzg_paz"},
                  "Desea eliminar los datos del desmedro ?", "OptDesmedros"));
    a.append(grid("cmdMermas", "grdMermas", "frmDetalleMermas", "TMPF535MERMAS",
                  {"ind_inf_tecnico", "num_inf_tecnico", "tip_documento", "num_documento"},
                  "Desea eliminar los datos de la merma ?", "OptMermas"));
    {
        AnnexGridDef d = grid("cmdDistribucion", "grdDesuso", "frmDetalleDesuso", "TMPF542DESUSO",
                              {"tip_documento", "num_documento", "num_inf_tecnico", "cod_activo"},
                              "¿Esta seguro de eliminar el registro?", declaration::controls::kDisuse);
        d.noRowsToDelete = QStringLiteral("No existen datos para eliminar.");
        a.append(d);
    }
    a.append(coded(narrowed(grid("cmdOperAdminis", "grdAdmistOperaciones", "frmOperacFinancieras", "TMPF542OPERFIN",
                                 {"correl_cont", "tip_documento", "num_documento"},
                                 "Desea eliminar los datos de la operacion ?", "OptOperFinAdmin"),
                            "ind_tipo_oper=?", 1),
                   "1"));
    a.append(coded(narrowed(grid("cmdAdministradorOper", "grdOperAdministradas", "frmOperacFinancieras",
                                 "TMPF542OPERFIN", {"correl_cont", "tip_documento", "num_documento"},
                                 "Desea eliminar los datos de la operacion ?", "OptOperAdminFin"),
                            "ind_tipo_oper=?", 2),
                   "2"));
    a.append(grid("cmdPerdidasExtraord", "grdPerdidasExtraord", "frmPerdidasExtraord", "TMPF535PEREXTRA",
                  {"num_corr_perd"}, "Desea eliminar los datos de la pérdida extraordinaria ?", "OptPerdidaExtraord"));
    a.append(grid("cmdRegalias", "grdRegalias", "frmDetalleRegalias", "TMPF535REGALIAS",
                  {"tip_documento", "num_documento", "fec_contrato"}, "Desea eliminar los datos de la regalía ?",
                  "OptRegalias"));
    {
        AnnexGridDef d =
            grid("cmdSocios", declaration::controls::kPartnerGrid, "frmDetalleSocios", "TMPF535SOCIOS",
                 {"tipo_socio", "tipo_doc_socio", "nro_doc_socio"}, "Desea eliminar los datos del socio ?");
        d.noRowsToModify = QStringLiteral(" No existen registros para modificar");
        d.noRowsTitle.clear();
        d.importKind = QStringLiteral("1");
        d.importWindow = QStringLiteral("frmImportarSocios");
        a.append(d);
    }
    {
        AnnexGridDef d = grid("cmdVehiculos", declaration::controls::kVehicleGrid, "frmDetVehiculos", "TMPF584VEHIC",
                              {"cod_categ", "des_placa"}, "¿ Esta seguro de eliminar el registro ? ", "optAutos");
        d.importWindow = QStringLiteral("frmImportarU41");
        a.append(d);
    }
    a.append(coded(narrowed(grid("cmdDirecto", "grdDirecto", "frmDetalleDirecto", "TMPF584GASINV", {"correl_proyecto"},
                                 "¿Desea eliminar los datos del proyecto ?", "Opttecno"),
                            "ind_beneficio=?", 1),
                   "1"));
    a.append(coded(narrowed(grid("cmdIndirecto", "grdIndirecto", "frmDetalleDirecto", "TMPF584GASINV",
                                 {"correl_proyecto"}, "Desea eliminar los datos del proyecto ?", "Opttecno"),
                            "ind_beneficio=?", 2),
                   "2"));
    // The form asks for the window as frmrentaInternacional; window names match in any case.
    a.append(
        coded(grid("cmdInternacional", "grdInternacional", "frmrentaInternacional", "TMPF586IDERTA", {"CORREL_RTA"},
                   "¿Desea eliminar los datos de la Rentas de Fuente Extranjera (RFE) y Transparencia Fiscal "
                   "Internacional (TFI)?",
                   "optRentasInternacionales"),
              "4"));
    {
        AnnexGridDef d = grid("cmdExportaciones", "grdExportaciones", "frmDetalleExportaciones", "TMPF582EXPORTA",
                              {"num_dam", "num_factura"}, "¿Desea eliminar los datos del detalle de exportaciones?");
        d.importKind = QStringLiteral("5");
        d.importWindow = QStringLiteral("frmImportarGastoPresent");
        a.append(d);
    }
    {
        AnnexGridDef d = grid("cmdgastopresent", "grdgastosPresent", "frmDetalleGastoPresentacion", "TMPF572GASREP",
                              {"tipo_doc", "nro_doc"}, "Desea eliminar los datos de los Gastos de Representación ?");
        d.importKind = QStringLiteral("3");
        d.importWindow = QStringLiteral("frmImportarGastoPresent");
        a.append(d);
    }
    {
        AnnexGridDef d =
            grid(declaration::controls::kMiningButtons, declaration::controls::kMiningGrid, "frmDetalleMineras",
                 "TMPF564MINERIA", {"nro_concesion"}, "Desea eliminar los datos de la concesión ?", "OptMineria");
        d.dependants = {{QStringLiteral("TMPF564ADMINH"), {QStringLiteral("num_conc_lote")}},
                        {QStringLiteral("TMPF564DEMINH"), {QStringLiteral("num_conc_lote")}}};
        a.append(d);
    }
    {
        AnnexGridDef d = grid(declaration::controls::kHydrocarbonButtons, declaration::controls::kHydrocarbonGrid,
                              "frmDetalleHidrocarburos", "TMPF540HIDROCAR", {"nro_lote"},
                              "Desea eliminar los datos del lote ?", "OptHidrocarburos");
        d.noRowsToModify = QStringLiteral("No existen lotes para modificar.");
        d.dependants = {{QStringLiteral("TMPF564ADMINH"), {QStringLiteral("num_conc_lote")}},
                        {QStringLiteral("TMPF564DEMINH"), {QStringLiteral("num_conc_lote")}}};
        a.append(d);
    }
    {
        // The participants of a collaboration contract, inside the contract's window.
        AnnexGridDef d = grid("cmdParticipantes", "grdParticipantes", "frmColabEmpresarial", "TMPF582COLDET",
                              {"tipo_doc", "nro_doc"}, "¿Desea eliminar los datos del participante?");
        d.parentColumn = QStringLiteral("cod_contrato");
        d.saveParentFirst = QStringLiteral("Debe grabar primero los datos del contrato.");
        a.append(d);
    }
    {
        // The expense detail of the provider goes with it.
        AnnexGridDef d = narrowed(grid("cmdNoDomic", "grdNoDomic", "frmNoDomic", "TMPF582NODOMIC",
                                       {"TIPO_DOC", "NRO_DOC", "tip_renta"},
                                       "Si Elimina los datos de No domiciliados eliminará también el detalle "
                                       "de Gastos. ¿Confirma que va a eliminar?"),
                                  "SEMANA=?", 0);
        d.dependants = {{QStringLiteral("TMPF4170DET"),
                         {QStringLiteral("tipo_doc"), QStringLiteral("nro_doc"), QStringLiteral("tip_renta")}}};
        a.append(d);
    }
    return a;
}

} // namespace qel::annexes
