#include "catalogue/CasillaListCatalog.h"

#include "catalogue/AssistantLists.h"

namespace qel::annexes {

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

const QString kDeleteQuestion = QStringLiteral("¿ Esta seguro de eliminar el registro ? ");
// Document types of PARAM 044 admitted by the counterparts of these annexes.
constexpr int kAnyDocument = 83;

AnnexField field(const char* control, const char* column, const char* label, FieldKind kind,
                 app::KeyRule keys = app::KeyRule::FreeText, int maxLength = 0) {
    AnnexField f;
    f.control = u(control);
    f.column = u(column);
    f.label = u(label);
    f.kind = kind;
    f.keys = kind == FieldKind::Amount       ? app::KeyRule::Digits
             : kind == FieldKind::Percentage ? app::KeyRule::Percentage
                                             : keys;
    f.maxLength = kind == FieldKind::Amount ? 15 : kind == FieldKind::Percentage ? 6 : maxLength;
    if (kind == FieldKind::Date) {
        f.maxLength = 10;
    }
    return f;
}

AnnexField combo(const char* control, const char* column, const char* label, const char* param) {
    AnnexField f = field(control, column, label, FieldKind::Combo);
    f.param = u(param);
    return f;
}

AnnexField docType(const char* control, const char* column) {
    AnnexField f = field(control, column, "Tipo de Documento", FieldKind::DocType);
    f.docTypePosition = kAnyDocument;
    return f;
}

AnnexField keyed(AnnexField f) {
    f.key = true;
    return f;
}

AnnexDef donations() {
    AnnexDef d;
    d.window = u("frmDetalleDonaciones");
    d.caption = u("Detalle de Donaciones");
    d.table = u("TMPF586DONAC");
    d.keyColumns = {u("TIP_DONACION"), u("TIP_MODALIDAD"), u("tip_documento"), u("num_documento"), u("fec_donacion")};
    d.fields = {keyed(combo("cboTipoDonacion", "TIP_DONACION", "Tipo de Donación", "863")),
                keyed(combo("cboModalidad", "TIP_MODALIDAD", "Modalidad de la Donación", "862")),
                keyed(docType("cboTipoDoc", "tip_documento")),
                keyed(field("txtNroDoc", "num_documento", "Número de Documento", FieldKind::Text,
                            app::KeyRule::AnnexDocument, 15)),
                keyed(field("mskFecDonacion", "fec_donacion", "Fecha de Donación", FieldKind::Date)),
                field("txtRazonSocial", "des_nom_razon",
                      "Apellidos y Nombres, Denominación o Razón Social del Donatario", FieldKind::Text,
                      app::KeyRule::AnnexName, 100),
                field("txtMonto", "mto_donacion", "Monto de la Donación", FieldKind::Amount),
                field("txtDescripcion", "des_donacion", "Especifique la Donación", FieldKind::Text,
                      app::KeyRule::FreeText, 100)};
    d.duplicate = u("Ya existe registrada una donación para ese número de RUC y Fecha");
    return d;
}

AnnexDef foreignCredit() {
    AnnexDef d;
    d.window = u("frmDetalleFuenteExt");
    d.caption = u("Crédito por Impuesto a la Renta de Fuente Extranjera");
    d.table = u("TMPF582RTAFTEEXT");
    d.keyColumns = {u("tip_doc_ext"), u("DOC_ID_EXT")};
    d.fixedValues = {{u("CASILLA"), u("123")}};
    d.fields = {
        keyed(field("txtTipoDoc", "tip_doc_ext", "Tipo de Documento", FieldKind::Text, app::KeyRule::AnnexDocument, 2)),
        keyed(
            field("txtNroDoc", "DOC_ID_EXT", "Número de Documento", FieldKind::Text, app::KeyRule::AnnexDocument, 15)),
        combo("cboPais", "cod_pais", "País", "976"),
        field("txtImpuesto", "mto_impuesto", "Impuesto pagado en el exterior", FieldKind::Amount),
        // The rate's rules are the annex's own (ForeignCreditChecks), with their own texts.
        field("txtAlicuota", "mto_alicuota", "Alícuota (%)", FieldKind::Text, app::KeyRule::Percentage, 7)};
    d.fields[0].required = u("Registre el tipo de documento.");
    d.fields[1].required = u("Registre el número de documento.");
    d.fields[2].required = u("Seleccione el país.");
    d.fields[3].positive = u("El impuesto debe ser mayor a 0.");
    d.duplicate = u("Ya se registró el dato.");
    return d;
}

AnnexDef credits() {
    AnnexDef d;
    d.window = u("frmDetalleCredReinversIng");
    d.caption = u("Detalle de Créditos");
    d.table = u("TMPF584CREDITOS");
    d.keyColumns = {u("tip_norma"), u("num_norma"), u("anio_norma"), u("correl_norma")};
    d.codeColumn = u("CASILLA");
    d.correlative = u("correl_norma");
    AnnexField rule = field("cboTipoNorma", "tip_norma", "Tipo de Norma", FieldKind::Combo);
    rule.items = {{u("01"), u("LEY")},
                  {u("02"), u("DECRETO LEGISLATIVO")},
                  {u("03"), u("DECRETO SUPREMO")},
                  {u("04"), u("DECRETO LEY")},
                  {u("99"), u("OTRAS")}};
    d.fields = {
        rule, field("txtNumNorma", "num_norma", "Número de la Norma", FieldKind::Text, app::KeyRule::AnnexDocument, 10),
        field("txtAnioNorma", "anio_norma", "Año de la Norma", FieldKind::Text, app::KeyRule::Digits, 4),
        field("txtMonto", "mto_credito", "Monto del Crédito", FieldKind::Amount),
        field("txtDescripcion", "det_credito", "Descripción del Crédito", FieldKind::Text, app::KeyRule::FreeText,
              100)};
    d.fields[0].required = u("Seleccione el tipo de norma");
    d.fields[1].required = u("Registre el número de la norma.");
    d.fields[3].required = u("Registre el monto del crédito.");
    d.fields[4].required = u("No se ha registrado la descripción del crédito");
    d.duplicate = u("Ya se registró el dato.");
    return d;
}

// The same window over the other additions and deductions: the accounting and tax bases
// instead of the credit.
AnnexDef otherAdjustments() {
    AnnexDef d = credits();
    d.caption = u("Detalle de Otras Adiciones y Deducciones");
    d.table = u("TMPF542OTRAS");
    d.fields.removeAt(3);
    d.fields.removeLast();
    AnnexField accounting = field("txtBaseContable", "mto_base_cont", "Base Contable", FieldKind::Amount);
    AnnexField tax = field("txtBaseTributaria", "mto_base_trib", "Base Tributaria", FieldKind::Amount);
    tax.required = u("Registre el monto de la base tributaria.");
    AnnexField description =
        field("txtDescripcion", "det_otras", "Descripción", FieldKind::Text, app::KeyRule::FreeText, 100);
    description.required = u("No se ha registrado la descripción");
    d.fields << accounting << tax << description;
    return d;
}

AnnexDef reorganised() {
    AnnexDef d;
    d.window = u("frmDetEmpresasReorg");
    d.caption = u("Empresas participantes en la Reorganización");
    d.table = u("TMPF542REOEMP");
    d.keyColumns = {u("nro_ruc")};
    d.fixedValues = {{u("CASILLA"), u("278")}};
    d.fields = {keyed(field("txtRuc", "nro_ruc", "Número de RUC", FieldKind::Text, app::KeyRule::Digits, 11)),
                field("txtApePat", "des_ape_pat", "Apellido Paterno", FieldKind::Text, app::KeyRule::AnnexName, 40),
                field("txtApeMat", "des_ape_mat", "Apellido Materno", FieldKind::Text, app::KeyRule::AnnexName, 40),
                field("txtNombres", "des_nombres", "Nombres", FieldKind::Text, app::KeyRule::AnnexName, 40),
                field("txtRazonSocial", "des_razon", "Denominación o Razón Social", FieldKind::Text,
                      app::KeyRule::AnnexName, 100)};
    d.fields[0].required = u("Registre el número de RUC.");
    d.fields[0].docTypeColumn.clear();
    d.fields[0].badRuc = u("El RUC no es Válido.");
    d.fields[0].ownRuc = u("El número de RUC no debe ser igual al RUC del declarante.");
    d.duplicate = u("Ya se registró el dato.");
    return d;
}

// The counterparts of a statement line with more than 3 UIT at 31 December (the rest goes
// undetailed or in one consolidated row of type 99).
AnnexDef counterpartBalances() {
    AnnexDef d;
    d.window = u("frmAsisCasillasEFIng");
    d.caption = u("Detalle de saldos al 31 de diciembre");
    d.table = u("TMPF535CASEF");
    d.keyColumns = {u("tipo_doc"), u("nro_doc")};
    d.codeColumn = u("CASILLA");
    d.fixedValues = {{u("SEMANA"), 0}};
    AnnexField nameKind = field("optTipoDes", "tipo_des", "Consignar", FieldKind::Option);
    nameKind.items = {{u("0"), u("Razón Social")}, {u("1"), u("Nombres")}};
    d.fields = {
        keyed(docType("cboTipoDoc", "tipo_doc")),
        keyed(field("txtNroDoc", "nro_doc", "Número de Documento", FieldKind::Text, app::KeyRule::AnnexDocument, 15)),
        nameKind,
        field("txtRazonSocial", "des_razon", "Razón Social", FieldKind::Text, app::KeyRule::AnnexName, 100),
        field("txtApePat", "des_apellido_p", "Apellido Paterno", FieldKind::Text, app::KeyRule::AnnexName, 20),
        field("txtApeMat", "des_apellido_m", "Apellido Materno", FieldKind::Text, app::KeyRule::AnnexName, 20),
        field("txtNombres", "des_nombres", "Nombres", FieldKind::Text, app::KeyRule::AnnexName, 20),
        field("txtNomRazon", "des_nom_razon", "Apellidos y Nombres o Razón Social", FieldKind::Text,
              app::KeyRule::AnnexName, 100),
        field("txtSaldo", "saldo", "Saldo al 31/12", FieldKind::Amount)};
    d.fields[1].required = u("El número de documento está en blanco");
    d.fields[1].docTypeColumn = u("tipo_doc");
    d.fields[1].badRuc = u("El número de RUC es inválido");
    d.fields[1].ownRuc = u("El RUC no puede ser igual al RUC del Contribuyente.");
    d.fields[8].maxLength = 12;
    d.duplicate = u("Ya se registró el documento.");
    return d;
}

AnnexGridColumn column(const char* name, const char* heading, const char* param = "") {
    return {u(name), u(heading), u(param)};
}

QList<CasillaListDef> build() {
    QList<CasillaListDef> lists;

    CasillaListDef donation;
    donation.window = u("frmListDetDonaciones");
    donation.launcherName = u("frmAnexo227");
    donation.captions = {{227, u("Detalle Casilla 227 - Detalle de Donaciones")}};
    donation.detail = u("frmDetalleDonaciones");
    donation.table = u("TMPF586DONAC");
    donation.totalColumn = u("mto_donacion");
    donation.keyFields = {u("tip_donacion"), u("tip_modalidad"), u("tip_documento"), u("num_documento"),
                          u("fec_donacion")};
    donation.columns = {column("tip_donacion", "Tipo de Donación", "863"),
                        column("tip_modalidad", "Modalidad", "862"),
                        column("tip_documento", "Tipo de Documento", "044"),
                        column("num_documento", "Número de Documento"),
                        column("des_nom_razon", "Apellidos y Nombres, Denominación o Razón Social"),
                        column("fec_donacion", "Fecha de Donación"),
                        column("mto_donacion", "Monto de la Donación"),
                        column("des_donacion", "Descripción")};
    donation.reminderQuery = u("tip_donacion");
    lists.append(donation);

    CasillaListDef foreign;
    foreign.window = u("frmLstDetFuenteExt");
    foreign.launcherName = u("frmAnexo123");
    foreign.captions = {{123, u("Detalle Casilla 123 - Crédito por Impuesto a la Renta de Fuente Extranjera")}};
    foreign.detail = u("frmDetalleFuenteExt");
    foreign.table = u("TMPF582RTAFTEEXT");
    foreign.casillaColumn = u("CASILLA");
    foreign.totalColumn = u("mto_impuesto");
    foreign.keyFields = {u("tip_doc_ext"), u("DOC_ID_EXT")};
    foreign.columns = {column("tip_doc_ext", "Tipo de Documento"), column("DOC_ID_EXT", "Número de Documento"),
                       column("cod_pais", "País", "976"), column("mto_impuesto", "Impuesto"),
                       column("mto_alicuota", "Alícuota (%)")};
    lists.append(foreign);

    CasillaListDef credit;
    credit.window = u("frmLstDetalleCredReinvers");
    credit.launcherName = u("frmAnexo136");
    credit.captions = {{136, u("Detalle de la casilla 136 - Crédito por Reinversiones")},
                       {125, u("Detalle de la casilla 125 - Otros créditos sin derecho a devolución")},
                       {129, u("Detalle de la casilla 129 - Otros créditos con derecho a devolución")}};
    credit.detail = u("frmDetalleCredReinversIng");
    credit.table = u("TMPF584CREDITOS");
    credit.casillaColumn = u("CASILLA");
    credit.totalColumn = u("mto_credito");
    credit.keyFields = {u("tip_norma"), u("num_norma"), u("anio_norma"), u("correl_norma")};
    credit.columns = {column("tip_norma", "Tipo de Norma"), column("num_norma", "Número"), column("anio_norma", "Año"),
                      column("mto_credito", "Monto del Crédito"), column("det_credito", "Descripción")};
    // The kinds of rule have no PARAM list: the grid shows the descriptions the window's list offers.
    credit.columns.first().items = credits().field(QStringLiteral("tip_norma"))->items;
    lists.append(credit);

    CasillaListDef adjustments = credit;
    adjustments.launcherName.clear();
    adjustments.captions = {{0, u("Detalle de Otras Adiciones y Deducciones")}};
    adjustments.table = u("TMPF542OTRAS");
    adjustments.totalColumn = u("mto_base_trib");
    adjustments.columns = {column("tip_norma", "Tipo de Norma"),
                           column("num_norma", "Número"),
                           column("anio_norma", "Año"),
                           column("mto_base_cont", "Base Contable"),
                           column("mto_base_trib", "Base Tributaria"),
                           column("det_otras", "Descripción")};
    adjustments.columns.first().items = credit.columns.first().items;
    lists.append(adjustments);

    CasillaListDef reorg;
    reorg.window = u("frmListaDetEmpReorg");
    reorg.launcherName = u("frmAnexo278");
    reorg.captions = {{278, u("Detalle de Reorganización de Empresas")}};
    reorg.detail = u("frmDetEmpresasReorg");
    reorg.table = u("TMPF542REOEMP");
    reorg.casillaColumn = u("CASILLA");
    reorg.keyFields = {u("nro_ruc")};
    reorg.columns = {column("nro_ruc", "Número de RUC"), column("des_nombre", "Apellidos y Nombres o Razón Social")};
    // A company's name, or a person's surnames and names.
    reorg.extraColumns =
        u("trim(coalesce(des_razon,'') || coalesce(des_ape_pat,'') || ' ' || coalesce(des_ape_mat,'') || "
          "' ' || coalesce(des_nombres,'')) AS des_nombre");
    lists.append(reorg);

    CasillaListDef balances;
    balances.window = u("frmAsisCasillasEF");
    balances.launcherName = u("frasiscasillasef");
    for (const int casilla : {361, 362, 364, 365, 367, 404, 405, 407, 408, 301, 303, 304, 335, 337}) {
        balances.captions.insert(casilla, u("Asistente Casillla %1").arg(casilla));
    }
    balances.detail = u("frmAsisCasillasEFIng");
    balances.table = u("TMPF535CASEF");
    balances.casillaColumn = u("CASILLA");
    balances.totalColumn = u("saldo");
    balances.keyFields = {u("tipo_doc"), u("nro_doc")};
    balances.columns = {column("tipo_doc", "Tipo de Documento", "044"), column("nro_doc", "Número de Documento"),
                        column("des_nom_razon", "Apellidos y Nombres o Razón Social"),
                        column("saldo", "Saldo al 31/12")};
    balances.importWindow = u("frmImportarCasEF");
    balances.importKind = u("CASEF");
    lists.append(balances);
    lists.append(AssistantLists::lists());
    return lists;
}

} // namespace

QString CasillaListDef::captionFor(int casilla) const {
    return captions.value(casilla, captions.isEmpty() ? window : captions.first());
}

AnnexGridDef CasillaListDef::grid(int casilla) const {
    AnnexGridDef g;
    g.array = QStringLiteral("cmdAccion");
    g.grid = QStringLiteral("grdDetalleCasilla");
    g.window = detail;
    g.table = table;
    if (!casillaColumn.isEmpty()) {
        g.condition = QStringLiteral("trim(%1)=?").arg(casillaColumn);
        g.conditionValues = {QString::number(casilla)};
    }
    g.keyFields = keyFields;
    g.deleteQuestion = kDeleteQuestion;
    g.noRowsToDelete = QStringLiteral("No existen datos para eliminar.");
    g.noRowsToModify = QStringLiteral("No existen datos para modificar.");
    g.noRowsTitle = QStringLiteral("Error");
    return g;
}

const QList<CasillaListDef>& CasillaListCatalog::lists() {
    static const QList<CasillaListDef> lists = build();
    return lists;
}

bool CasillaListCatalog::isCreditCasilla(int casilla) {
    return casilla == 125 || casilla == 129 || casilla == 136;
}

const CasillaListDef* CasillaListCatalog::find(const QString& name, int casilla) {
    const CasillaListDef* def = find(name);
    if (def == nullptr || def->table != QStringLiteral("TMPF584CREDITOS") || isCreditCasilla(casilla)) {
        return def;
    }
    for (const CasillaListDef& other : lists()) {
        if (other.window == def->window && other.table != def->table) {
            return &other;
        }
    }
    return def;
}

const AnnexDef& CasillaListCatalog::creditWindow(int casilla) {
    static const AnnexDef adjustments = otherAdjustments();
    if (!isCreditCasilla(casilla)) {
        return adjustments;
    }
    return *AnnexCatalog::instance().window(QStringLiteral("frmDetalleCredReinversIng"));
}

const CasillaListDef* CasillaListCatalog::find(const QString& name) {
    for (const CasillaListDef& def : lists()) {
        if (def.window.compare(name.trimmed(), Qt::CaseInsensitive) == 0 ||
            def.launcherName.compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            return &def;
        }
    }
    return nullptr;
}

QList<AnnexDef> CasillaListCatalog::detailWindows() {
    return QList<AnnexDef>{donations(), foreignCredit(), credits(), reorganised(), counterpartBalances()} +
           AssistantLists::details();
}

} // namespace qel::annexes
