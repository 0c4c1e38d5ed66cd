#include "catalogue/AssistantLists.h"

#include "store/ParamLayouts.h"

namespace qel::annexes {

const QString AssistantLists::kAmazoniaWindow = QStringLiteral("frmListDetInverAmazonia");

namespace {

using K = FieldKind;
using R = app::KeyRule;

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// Document types of PARAM 044 admitted for any counterpart.
constexpr int kAnyDocument = 83;

AnnexField field(const char* control, const char* column, const char* label, K kind, R keys = R::FreeText,
                 int maxLength = 0) {
    AnnexField f;
    f.control = u(control);
    f.column = u(column);
    f.label = u(label);
    f.kind = kind;
    f.keys = kind == K::Amount ? R::Digits : kind == K::Percentage ? R::Percentage : keys;
    f.maxLength = kind == K::Amount ? 15 : kind == K::Percentage ? 6 : kind == K::Date ? 10 : maxLength;
    return f;
}

AnnexField text(const char* control, const char* column, const char* label, const char* required, int length = 100) {
    AnnexField f = field(control, column, label, K::Text, R::AnnexName, length);
    f.required = u(required);
    return f;
}

AnnexField amount(const char* control, const char* column, const char* label, const char* positive = "") {
    AnnexField f = field(control, column, label, K::Amount);
    f.positive = u(positive);
    return f;
}

AnnexField fixedCombo(const char* control, const char* column, const char* label,
                      std::initializer_list<std::pair<const char*, const char*>> items, const char* required) {
    AnnexField f = field(control, column, label, K::Combo);
    for (const auto& [code, shown] : items) {
        f.items.append({u(code), u(shown)});
    }
    f.required = u(required);
    return f;
}

// A party of a trust: document type, number and name, each required and labelled with the party.
QList<AnnexField> party(const QString& suffix, const QString& column, const QString& who) {
    const QString typeColumn = QStringLiteral("tip_doc_") + column;
    AnnexField t = field("", "", "", K::DocType);
    t.control = QStringLiteral("cboTipoDoc") + suffix;
    t.column = typeColumn;
    t.label = QStringLiteral("Tipo de Documento del ") + who;
    t.docTypePosition = kAnyDocument;
    t.required = QStringLiteral("Seleccione el tipo de documento del ") + who + QLatin1Char('.');
    AnnexField n = field("", "", "", K::Text, R::AnnexDocument, 15);
    n.control = QStringLiteral("txtNroDoc") + suffix;
    n.column = QStringLiteral("nro_doc_") + column;
    n.label = QStringLiteral("Número de Documento del ") + who;
    n.required = QStringLiteral("Registre el número de documento del ") + who + QLatin1Char('.');
    n.docTypeColumn = typeColumn;
    n.badRuc = u("El RUC no es Válido.");
    AnnexField d = field("", "", "", K::Text, R::AnnexName, 100);
    d.control = QStringLiteral("txtNombre") + suffix;
    d.column = QStringLiteral("des_") + column;
    d.label = QStringLiteral("Nombre o Razón Social del ") + who;
    d.required = QStringLiteral("Registre el nombre o razón social del ") + who + QLatin1Char('.');
    return {t, n, d};
}

AnnexDef detail(const char* window, const char* caption, const char* table, const QList<AnnexField>& fields) {
    AnnexDef d;
    d.window = u(window);
    d.caption = u(caption);
    d.table = u(table);
    d.keyColumns = {u("num_correl")};
    d.correlative = u("num_correl");
    d.fields = fields;
    d.duplicate = u("Ya se registró el dato.");
    return d;
}

// One itemised addition or deduction: its concept, whether the difference is temporary or
// permanent, the accounting and tax bases and the amount added or deducted.
AnnexDef adjustment() {
    AnnexDef d = detail("frmAdicDeducOtros", "Detalle de Otras Adiciones y Deducciones", "TMPF544ADICDEDUC",
                        {text("txtConcepto", "des_concepto", "Concepto", "Registre la descripción del concepto."),
                         fixedCombo("cboTipo", "ind_tipo", "Diferencia", {{"T", "Temporal"}, {"P", "Permanente"}}, ""),
                         amount("txtBaseContable", "mto_base_cont", "Base Contable"),
                         amount("txtBaseTributaria", "mto_base_trib", "Base Tributaria"),
                         amount("txtMonto", "MTO_ADIC_DEDUC", "Importe", "El importe debe ser mayor a 0.")});
    d.codeColumn = u("CASILLA");
    return d;
}

// One line of other income or expenses by source (casilla 476 and the mining concessions).
AnnexDef otherIncome() {
    AnnexDef d = detail("frmMinOtrosDet", "Detalle de Otros Ingresos", "TMPF582OTRGAS",
                        {text("txtConcepto", "des_concepto", "Concepto", "Registre la descripción del concepto."),
                         amount("txtPeru", "mto_peru", "Renta de fuente peruana"),
                         amount("txtExtranjero", "mto_extranjero", "Renta de fuente extranjera")});
    d.codeColumn = u("CASILLA");
    return d;
}

AnnexDef foreignInvestment() {
    AnnexField country = field("cboPais", "cod_pais", "País", K::Combo);
    country.param = store::param_list::kCountry;
    country.required = u("Seleccione el país.");
    AnnexField percentage = field("txtPorcentaje", "mto_porc", "Porcentaje de participación (%)", K::Percentage);
    percentage.positive = u("El porcentaje debe ser mayor a 0.");
    return detail("frmInverExtranjeroDet", "Inversiones en el Extranjero", "TMPF535INVEXT",
                  {text("txtEmpresa", "des_emp_ext", "Denominación de la empresa del exterior",
                        "Registre la denominación de la empresa del exterior."),
                   country,
                   fixedCombo("cboVinculo", "cod_vinc", "Vinculación", {{"1", "Vinculada"}, {"2", "No vinculada"}},
                              "Seleccione la vinculación."),
                   fixedCombo("cboTipoOper", "tipo_oper", "Tipo de inversión",
                              {{"1", "Acciones"}, {"2", "Participaciones"}, {"3", "Otros valores"}},
                              "Seleccione el tipo de inversión."),
                   percentage, amount("txtSaldo", "mto_saldo", "Saldo al 31/12", "El saldo debe ser mayor a 0.")});
}

AnnexDef trust() {
    QList<AnnexField> fields =
        party(QStringLiteral("Fideicomitente"), QStringLiteral("fideicomitente"), QStringLiteral("fideicomitente"));
    fields += party(QStringLiteral("Fiduciaria"), QStringLiteral("fiduciaria"), QStringLiteral("fiduciario"));
    fields +=
        party(QStringLiteral("Fideicomisario"), QStringLiteral("fideicomisario"), QStringLiteral("fideicomisario"));
    fields.append(fixedCombo("cboPatrimonio", "tip_patrimonio", "Tipo de patrimonio fideicometido",
                             {{"1", "Fideicomiso bancario"},
                              {"2", "Fideicomiso de titulización"},
                              {"3", "Fideicomiso de garantía"},
                              {"4", "Otros"}},
                             "Seleccione el tipo de patrimonio fideicometido."));
    fields.append(amount("txtSaldo", "mto_saldo", "Saldo al 31/12", "El saldo debe ser mayor a 0."));
    return detail("frmFideicomisoDet", "Inversión en Fideicomiso", "TMPF535FIDEICO", fields);
}

// One kind of service of non-domiciled providers: its cost or expense, the base, the rate and
// the withholding.
AnnexDef withheldExpense() {
    AnnexField service = field("cboDenominacion", "Cod_denom", "Denominación del servicio", K::Combo);
    service.param = store::param_list::kNonDomiciledService;
    service.required = u("Seleccione la denominación del servicio.");
    service.key = true;
    AnnexField rate = field("txtTasa", "mto_tasa", "Tasa (%)", K::Percentage);
    rate.required = u("Registre la tasa.");
    AnnexDef d =
        detail("frmGastosNoDomDet", "Gastos Sujetos a Retención", "TMPF535GNDOMRRTA",
               {service, amount("txtGasto", "mto_gasto_costo", "Gasto o costo", "El gasto debe ser mayor a 0."),
                amount("txtBase", "mto_base", "Base imponible", "La base debe ser mayor a 0."), rate,
                amount("txtRetencion", "mto_retenc", "Retención")});
    d.keyColumns = {u("Cod_denom")};
    d.fixedValues = {{u("SEMANA"), 0}, {u("CASILLA"), u("0")}};
    d.duplicate = u("Ya se registró el servicio.");
    return d;
}

// One fixed asset located in the Amazonía: what it is and its amount at the close of the year.
// The lines are kept as a breakdown of casilla 223, one correlative each.
AnnexDef amazoniaInvestment() {
    AnnexDef d = detail("frmDetalleInverAmazonia", "Detalle de Inversión en la Amazonía", "TMPF540DISLEG",
                        {text("txtDescripcion", "des_concepto", "Descripción del activo fijo",
                              "Registre la descripción del activo fijo."),
                         amount("txtMonto", "mto_peru", "Monto al 31/12", "El monto debe ser mayor a 0.")});
    d.codeColumn = u("CASILLA");
    return d;
}

AnnexGridColumn column(const char* name, const char* heading, const char* param = "") {
    return {u(name), u(heading), u(param)};
}

CasillaListDef list(const char* window, const char* detailWindow, const char* table,
                    const QMap<int, QString>& captions) {
    CasillaListDef l;
    l.window = u(window);
    l.detail = u(detailWindow);
    l.table = u(table);
    l.captions = captions;
    l.keyFields = {u("num_correl")};
    return l;
}

} // namespace

QList<CasillaListDef> AssistantLists::lists() {
    CasillaListDef adjustments = list(
        "frmAdicDeduc", "frmAdicDeducOtros", "TMPF544ADICDEDUC",
        {{103, u("Detalle de Otras Adiciones - Casilla 103")}, {105, u("Detalle de Otras Deducciones - Casilla 105")}});
    adjustments.casillaColumn = u("CASILLA");
    adjustments.totalColumn = u("MTO_ADIC_DEDUC");
    adjustments.columns = {column("des_concepto", "Concepto"), column("ind_tipo", "Temporal (T) / Permanente (P)"),
                           column("mto_base_cont", "Base Contable"), column("mto_base_trib", "Base Tributaria"),
                           column("MTO_ADIC_DEDUC", "Importe")};

    CasillaListDef other = list("frmMinOtros", "frmMinOtrosDet", "TMPF582OTRGAS", {{476, u("Detalle Casilla 476")}});
    other.casillaColumn = u("CASILLA");
    other.totalColumn = u("coalesce(mto_peru,0)+coalesce(mto_extranjero,0)");
    other.columns = {column("des_concepto", "Concepto"), column("mto_peru", "Renta de fuente peruana"),
                     column("mto_extranjero", "Renta de fuente extranjera")};

    CasillaListDef investments =
        list("frmInverExtranjero", "frmInverExtranjeroDet", "TMPF535INVEXT", {{0, u("Inversiones en el Extranjero")}});
    investments.totalColumn = u("mto_saldo");
    investments.extraColumns = u("CASE trim(cod_vinc) WHEN '1' THEN 'Vinculada' ELSE 'No vinculada' END AS des_vinc, "
                                 "CASE trim(tipo_oper) WHEN '1' THEN 'Acciones' WHEN '2' THEN 'Participaciones' "
                                 "ELSE 'Otros valores' END AS des_oper");
    investments.columns = {column("des_emp_ext", "Empresa del exterior"),
                           column("cod_pais", "País", "976"),
                           column("des_vinc", "Vinculación"),
                           column("des_oper", "Tipo de inversión"),
                           column("mto_porc", "Participación (%)"),
                           column("mto_saldo", "Saldo")};

    CasillaListDef trusts =
        list("frmFideicomiso", "frmFideicomisoDet", "TMPF535FIDEICO", {{0, u("Inversión en Fideicomiso")}});
    trusts.totalColumn = u("mto_saldo");
    trusts.extraColumns = u("CASE trim(tip_patrimonio) WHEN '1' THEN 'Fideicomiso bancario' WHEN '2' THEN "
                            "'Fideicomiso de titulización' WHEN '3' THEN 'Fideicomiso de garantía' ELSE 'Otros' END "
                            "AS des_patrimonio");
    trusts.columns = {column("des_fideicomitente", "Fideicomitente"), column("des_fiduciaria", "Empresa fiduciaria"),
                      column("des_fideicomisario", "Fideicomisario"), column("des_patrimonio", "Patrimonio"),
                      column("mto_saldo", "Saldo")};

    CasillaListDef withheld = list("frmAsistGastosSujRet", "frmGastosNoDomDet", "TMPF535GNDOMRRTA",
                                   {{0, u("Asistente de Gastos Sujetos a Retención")}});
    withheld.keyFields = {u("Cod_denom")};
    withheld.totalColumn = u("mto_retenc");
    withheld.columns = {column("Cod_denom", "Denominación", "842"), column("mto_gasto_costo", "Gasto o costo"),
                        column("mto_base", "Base imponible"), column("mto_tasa", "Tasa (%)"),
                        column("mto_retenc", "Retención")};

    CasillaListDef amazonia =
        list("", "frmDetalleInverAmazonia", "TMPF540DISLEG",
             {{kAmazoniaFixedAssets, u("Detalle Casilla 223 - Inversiones en activos fijos ubicados en la Amazonía")}});
    amazonia.window = kAmazoniaWindow;
    amazonia.casillaColumn = u("CASILLA");
    amazonia.totalColumn = u("mto_peru");
    amazonia.columns = {column("num_correl", "N°"), column("des_concepto", "Descripción del activo fijo"),
                        column("mto_peru", "Monto al 31/12")};
    return {adjustments, other, investments, trusts, withheld, amazonia};
}

QList<AnnexDef> AssistantLists::details() {
    return {adjustment(), otherIncome(), foreignInvestment(), trust(), withheldExpense(), amazoniaInvestment()};
}

} // namespace qel::annexes
