#include "store/TableCatalog.h"

#include "store/SqlDialect.h"

#include <QRegularExpression>
#include <stdexcept>

namespace qel::store {

const QString TableCatalog::kCheckColumn = QStringLiteral("cNumero");
const QString TableCatalog::kCorrelColumn = QStringLiteral("CORREL");

namespace {

// Columns written compactly: "name:T name:I ..." with T text (the default), I integer,
// D double, C currency (whole units), A date.
QList<ColumnDef> cols(const QString& layout) {
    QList<ColumnDef> result;
    const QStringList words = layout.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        const auto colon = word.indexOf(QLatin1Char(':'));
        ColumnDef column{colon < 0 ? word : word.left(colon), ColumnType::Text};
        const QChar kind = colon < 0 ? QLatin1Char('T') : word.at(colon + 1);
        if (kind == QLatin1Char('I')) {
            column.type = ColumnType::Integer;
        } else if (kind == QLatin1Char('D')) {
            column.type = ColumnType::Double;
        } else if (kind == QLatin1Char('C')) {
            column.type = ColumnType::Currency;
        } else if (kind == QLatin1Char('A')) {
            column.type = ColumnType::Date;
        }
        result.append(column);
    }
    return result;
}

// n currency columns named prefix1 .. prefixN.
QString numbered(const QString& prefix, int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        names.append(QStringLiteral("%1%2:C").arg(prefix).arg(i));
    }
    return names.join(QLatin1Char(' '));
}

const QString kDeclarationKey = QStringLiteral("TIP_DOC_D:I DOC_ID_D PERIODO FORMULARIO");
const QString kAddress = QStringLiteral("cod_ubigeo tip_zona des_zona tip_via des_via numero kilometro manzana "
                                        "interior departamento lote referencia");

TableDef launcherTable(const QString& name, const QString& columns, QStringList unique) {
    TableDef t;
    t.name = name;
    t.columns = cols(columns);
    t.keyCount = static_cast<int>(unique.size());
    t.uniqueColumns = std::move(unique);
    return t;
}

// A declaration table: the declaration key, the table's own key columns (so that keyCount
// is the split index of the check code), its data columns and cNumero.
TableDef declarationTable(const QString& name, int keyCount, const QString& ownColumns, bool working, bool history,
                          bool permanent = true) {
    TableDef t;
    t.name = name;
    t.columns = cols(kDeclarationKey + QLatin1Char(' ') + ownColumns);
    t.columns.append({TableCatalog::kCheckColumn, ColumnType::Text});
    t.keyCount = keyCount;
    t.declaration = true;
    t.checked = true;
    t.permanent = permanent;
    t.working = working;
    t.history = history;
    return t;
}

TableDef annex(const QString& name, int keyCount, const QString& ownColumns, const QString& note = {}) {
    TableDef t = declarationTable(name, keyCount, ownColumns, true, true);
    t.note = note;
    return t;
}

TableDef workingOnly(const QString& name, int keyCount, const QString& ownColumns, const QString& note) {
    TableDef t = declarationTable(name, keyCount, ownColumns, true, false, false);
    t.note = note;
    return t;
}

QList<TableDef> buildCatalog() {
    QList<TableDef> t;

    // Tables of the launcher and reference tables.
    t.append(launcherTable(QStringLiteral("CONT"), QStringLiteral("TIP_DOC_D:I DOC_ID_D NOMBRE USUARIO Tipo_Ingreso:I"),
                           {QStringLiteral("TIP_DOC_D"), QStringLiteral("DOC_ID_D")}));
    t.append(launcherTable(QStringLiteral("PARAM"), QStringLiteral("Numero Argumento Funcion"),
                           {QStringLiteral("Numero"), QStringLiteral("Argumento")}));
    t.append(
        launcherTable(QStringLiteral("ERROR"), QStringLiteral("CodError DescError"), {QStringLiteral("CodError")}));
    t.append(
        launcherTable(QStringLiteral("CLAVES"), QStringLiteral("Usuario Clave tipo"), {QStringLiteral("Usuario")}));
    t.append(launcherTable(QStringLiteral("SPOOL"),
                           QStringLiteral("CodRep Secuencia Archivo Fecha:A usuario TIP_DOC_D:I Doc_id_d"),
                           {QStringLiteral("Archivo")}));
    t.append(launcherTable(QStringLiteral("envio_t"), QStringLiteral("formulario tabla_o"),
                           {QStringLiteral("formulario"), QStringLiteral("tabla_o")}));
    {
        // The chart-of-accounts templates; the description is the third column, by which
        // the trial balance is listed.
        TableDef balcuen =
            launcherTable(QStringLiteral("F544BALCUEN"), QStringLiteral("formulario plan Descrip codigo indica"),
                          {QStringLiteral("formulario"), QStringLiteral("plan"), QStringLiteral("codigo")});
        t.append(balcuen);
    }

    // Header, casilla values and assistant rows. SEMANA (always 0 here) belongs to the key
    // of the launcher's header and casilla tables.
    {
        TableDef cab = declarationTable(QStringLiteral("CAB"), 5,
                                        QStringLiteral("SEMANA:I ESTADO:I fec_pro:A bcolibrad nrocheque cheque "
                                                       "Efectivo rectifica"),
                                        false, true);
        cab.historyExtras = cols(QStringLiteral("NORDEN FEC_ENV:A CONTROL"));
        cab.uniqueColumns = {QStringLiteral("TIP_DOC_D"), QStringLiteral("DOC_ID_D"), QStringLiteral("PERIODO"),
                             QStringLiteral("FORMULARIO")};
        t.append(cab);
        TableDef det = declarationTable(QStringLiteral("DET"), 6, QStringLiteral("SEMANA:I CASILLA i_valor idcasilla"),
                                        false, true);
        det.historyExtras = cols(QStringLiteral("estado:I"));
        det.uniqueColumns = {QStringLiteral("TIP_DOC_D"),  QStringLiteral("DOC_ID_D"), QStringLiteral("PERIODO"),
                             QStringLiteral("FORMULARIO"), QStringLiteral("SEMANA"),   QStringLiteral("CASILLA")};
        t.append(det);
        t.append(declarationTable(QStringLiteral("ACTA"), 5,
                                  QStringLiteral("TIPO_ASIST PER_PAG saluti:C compen:C otrcre:C pago_r:C "
                                                 "pago_iean:C pago_iean_r:C factor:D"),
                                  true, true));
    }

    // Annex tables: declaration key, own key columns (split index), data columns.
    t.append(annex(QStringLiteral("F535CASEF"), 8,
                   QStringLiteral("SEMANA:I CASILLA tipo_doc:I nro_doc tipo_des des_razon des_apellido_p "
                                  "des_apellido_m des_nombres des_nom_razon saldo:C")));
    t.append(annex(QStringLiteral("F535DESMEDROS"), 8,
                   QStringLiteral("num_corr_desm:I ind_destruccion tip_documento:I num_documento des_ape_nom "
                                  "id_juzg_paz fec_com_kolva:A fec_destruccion:A mto_desmedro:C")));
    t.append(annex(QStringLiteral("F535DETVAR"), 7,
                   QStringLiteral("SEMANA:I CASILLA num_correl:I tip_doc:I nro_doc des_detalle mto_detalle:C"),
                   QStringLiteral("Rows of several casillas (278 participating companies and others), numbered "
                                  "within the casilla.")));
    t.append(annex(QStringLiteral("F535GNDOMRRTA"), 8,
                   QStringLiteral("SEMANA:I CASILLA num_correl:I Cod_denom mto_gasto_costo:C mto_base:C "
                                  "mto_retenc:C mto_tasa:D"),
                   QStringLiteral("One row per kind of service (PARAM 842) of non-domiciled providers.")));
    t.append(annex(QStringLiteral("F535MERMAS"), 8,
                   QStringLiteral("ind_inf_tecnico num_inf_tecnico tip_documento:I num_documento "
                                  "fec_inf_tecnico:A des_nom_razon num_colegiatura mto_merma:C")));
    t.append(annex(QStringLiteral("F535MOV_IME"), 6,
                   QStringLiteral("CASILLA num_fila:I saldoini:C AdiCompMej:C AdiAportes:C AdiCosto:C "
                                  "AdiIncMayorVal:C AdiIncRevVol:C AdiOtras:C RetVentas:C RetOtros:C "
                                  "saldofin:C"),
                   QStringLiteral("Movement of real-estate investments by casilla (317, 380-382), one row per "
                                  "line 1-9 of the movement assistant.")));
    t.append(annex(QStringLiteral("F535MOVDA_IME"), 6,
                   QStringLiteral("CASILLA num_fila:I saldoini:C AdiDepEjer:C AdiDepRevVol:C AdiOtras:C "
                                  "RetVentas:C RetOtros:C AjuAdiciones:C AjuRetiros:C saldofin:C porc_dep:D"),
                   QStringLiteral("Movement of the accumulated depreciation (casillas 328, 383), with the "
                                  "depreciation rate of the line.")));
    t.append(annex(QStringLiteral("F535PEREXTRA"), 5,
                   QStringLiteral("num_corr_perd:I fec_perd_extra:A fec_res_judic:A ind_ident_juz "
                                  "ind_cubierto_seguro ind_delito_probado ind_delito_inutil mto_caso_fort:C "
                                  "mto_del_comet:C"),
                   QStringLiteral("The three yes/no answers of the window are kept in ind_cubierto_seguro, "
                                  "ind_delito_probado and ind_delito_inutil.")));
    t.append(annex(QStringLiteral("F535REGALIAS"), 7,
                   QStringLiteral("tip_documento:I num_documento fec_contrato:A des_ape_nom mto_regalia:C")));
    t.append(annex(QStringLiteral("F535SOCIOS"), 7,
                   QStringLiteral("tipo_socio tipo_doc_socio:I nro_doc_socio des_nom_razon fec_nac_socio:A "
                                  "cod_pais Porcentaje:D fec_cosnt_socio:A")));
    t.append(annex(QStringLiteral("F535FIDEICO"), 5,
                   QStringLiteral("num_correl:I tip_doc_fideicomitente:I nro_doc_fideicomitente "
                                  "des_fideicomitente tip_doc_fiduciaria:I nro_doc_fiduciaria des_fiduciaria "
                                  "tip_doc_fideicomisario:I nro_doc_fideicomisario des_fideicomisario "
                                  "tip_patrimonio mto_saldo:C"),
                   QStringLiteral("Settlor, trustee company and beneficiary with their documents, the kind "
                                  "of trust estate and its balance.")));
    t.append(annex(QStringLiteral("F535INVEXT"), 5,
                   QStringLiteral("num_correl:I des_emp_ext cod_pais cod_vinc tipo_oper mto_porc:D mto_saldo:C"),
                   QStringLiteral("Investments abroad, numbered.")));
    t.append(annex(QStringLiteral("F540DISLEG"), 6,
                   QStringLiteral("CASILLA num_correl:I des_concepto mto_peru:C mto_extranjero:C"),
                   QStringLiteral("Breakdown lines of casillas 461, 473, 475-477 and 486 by source.")));
    t.append(annex(QStringLiteral("F540HIDROCAR"), 6,
                   QStringLiteral("nro_anexo:I nro_lote ind_sistema des_activ_rel fec_firma_conv:A "
                                  "fec_vigen_conv:A num_plazo_dura:I mto_tot_activo:C mto_tot_ingresos:C "
                                  "mto_tot_costos:C mto_adiciones:C mto_deducciones:C mto_tot_renta:C "
                                  "mto_tot_perdida:C mto_imp_renta:C mto_tasa_imp:D"),
                   QStringLiteral("The lot's result: assets, income, costs, additions, deductions, income or "
                                  "loss, the tax and its rate.")));
    t.append(annex(QStringLiteral("F542DESUSO"), 8,
                   QStringLiteral("cod_activo num_inf_tecnico tip_documento:I num_documento fec_inf_tecnico:A "
                                  "des_nom_razon num_colegiatura mto_bien:C fec_desuso:A")));
    t.append(annex(QStringLiteral("F542OPERFIN"), 6,
                   QStringLiteral("ind_tipo_oper:I correl_cont:I tip_documento:I num_documento des_nom_razon "
                                  "fec_ini_contrato:A ind_plazo fec_fin_contrato:A")));
    t.append(annex(QStringLiteral("F542OTRAS"), 9,
                   QStringLiteral("CASILLA tip_norma num_norma anio_norma correl_norma:I mto_base_cont:C "
                                  "mto_base_trib:C det_otras tipo"),
                   QStringLiteral("Other additions and deductions by legal rule, as the credits table.")));
    t.append(annex(QStringLiteral("F542REOEMP"), 6,
                   QStringLiteral("CASILLA nro_ruc des_ape_pat des_ape_mat des_nombres des_razon")));
    t.append(annex(QStringLiteral("F544ADICDEDUC"), 6,
                   QStringLiteral("CASILLA num_correl:I ind_tipo des_concepto mto_base_cont:C mto_base_trib:C "
                                  "MTO_ADIC_DEDUC:C"),
                   QStringLiteral("Additions (103) and deductions (105), each line temporary (T) or permanent "
                                  "(P) with its accounting and tax bases.")));
    t.append(annex(QStringLiteral("F564ADMINH"), 6,
                   QStringLiteral("nro_anexo:I num_conc_lote ") + numbered(QStringLiteral("mto_adicion_"), 27) +
                       QStringLiteral(" mto_ADICION_tot:C"),
                   QStringLiteral("The 27 addition lines of a lot or concession and their total.")));
    t.append(annex(QStringLiteral("F564DEMINH"), 6,
                   QStringLiteral("nro_anexo:I num_conc_lote ") + numbered(QStringLiteral("mto_deduc_"), 8) +
                       QStringLiteral(" mto_deduc_tot:C"),
                   QStringLiteral("The 8 deduction lines of a lot or concession and their total.")));
    t.append(annex(QStringLiteral("F564MINERIA"), 6,
                   QStringLiteral("nro_anexo:I nro_concesion ind_sistema des_activ_rel fec_firma_conv:A "
                                  "fec_vigen_conv:A num_plazo_dura:I mto_tot_activo:C mto_tot_ingresos:C "
                                  "mto_perdid_con:C mto_adiciones:C mto_deduccione:C mto_tot_renta:C "
                                  "mto_tot_perdida:C mto_per_ejer_a:C mto_inv_amazon:C mto_creditos:C "
                                  "mto_saldo_favor:C mto_imp_renta:C mto_tasa_imp:D"),
                   QStringLiteral("As the hydrocarbon lots, with the losses, credits and balance in favour of "
                                  "the concession.")));
    t.append(annex(QStringLiteral("F572DETBAS"), 6,
                   QStringLiteral("CAS_ADI CAS_DET tipo num_correl:I per_mes des_detalle mto_base:C mto_monto:C"),
                   QStringLiteral("Monthly bases of the addition assistants (board remuneration, recreational "
                                  "expenses, vehicle income), by addition and detail casilla.")));
    t.append(annex(QStringLiteral("F572GASREP"), 6, QStringLiteral("tipo_doc:I nro_doc des_razon mto_anual:C")));
    t.append(annex(QStringLiteral("F582ALQUILER"), 7,
                   QStringLiteral("tipo_doc:I nro_doc correl_pred:I tip_bien des_bien des_identificacion "
                                  "mto_alquiler:C ") +
                       kAddress));
    t.append(annex(QStringLiteral("F582BALANCE"), 5,
                   QStringLiteral("plan Codigo Descrip saldos_ini_d:C saldos_ini_h:C mov_ejerci_d:C mov_ejerci_h:C "
                                  "suma_mayor_d:C suma_mayor_h:C saldo_deudor:C saldo_acreed:C tran_cance_d:C "
                                  "tran_cance_h:C impli_niif_d:C impli_niif_h:C cuenta_bal_a:C cuenta_bal_p:C "
                                  "result_nat_p:C result_nat_g:C")));
    t.append(annex(QStringLiteral("F582COLCAB"), 5, QStringLiteral("cod_contrato des_contrato")));
    t.append(annex(QStringLiteral("F582COLDET"), 7,
                   QStringLiteral("cod_contrato tipo_doc:I nro_doc des_razon por_participacion:D tipo")));
    t.append(annex(QStringLiteral("F582EXPORTA"), 6,
                   QStringLiteral("num_dam num_factura fec_embarque:A mto_dam:C mto_factura:C")));
    t.append(annex(QStringLiteral("F582NODOMIC"), 8,
                   QStringLiteral("SEMANA:I tipo_doc:I nro_doc tip_renta des_razon cod_pais mto_gasto:C "
                                  "mto_tasa:D mto_no_retencion:C retencion mto_ret:C ") +
                       kAddress,
                   QStringLiteral("The expense and its withholding per provider and kind of income.")));
    t.append(annex(QStringLiteral("F582OTRGAS"), 6,
                   QStringLiteral("CASILLA num_correl:I des_concepto mto_peru:C mto_extranjero:C"),
                   QStringLiteral("Other income and expenses of mining concessions by source.")));
    t.append(annex(QStringLiteral("F582RTAFTEEXT"), 7,
                   QStringLiteral("CASILLA tip_doc_ext DOC_ID_EXT cod_pais mto_impuesto:C mto_alicuota:D")));
    t.append(annex(QStringLiteral("F584CREDITOS"), 9,
                   QStringLiteral("CASILLA tip_norma num_norma anio_norma correl_norma:I mto_credito:C det_credito "
                                  "tipo")));
    t.append(annex(QStringLiteral("F584GASINV"), 5,
                   QStringLiteral("correl_proyecto:I tip_proyecto ind_beneficio:I ind_parte num_ruc des_razon "
                                  "num_concytec des_centro ind_vinculo des_proyecto fec_autorizacion:A "
                                  "mto_total:C mto_deducible:C mto_ejercicio:C"),
                   QStringLiteral("Research projects; mto_ejercicio is the expense of the year.")));
    t.append(annex(QStringLiteral("F584VEHIC"), 6,
                   QStringLiteral("cod_categ des_placa mto_adq:C Fec_Ing:A cod_condicion cod_actividad "
                                  "mto_alquiler:C mto_dep:C mto_otros:C mto_com:C mto_gasto:C ind_ded_gasto "
                                  "ind_sustitucion cod_motivo des_placa_sus mto_adq_sus:C fec_ing_sus:A "
                                  "cod_condicion_sus mto_gasto_sus:C mto_dep_sus:C"),
                   QStringLiteral("The substituted vehicle is kept in the *_sus columns of the new one.")));
    t.append(workingOnly(QStringLiteral("F584DET"), 5, QStringLiteral("CASILLA i_valor"),
                         QStringLiteral("Casilla values of the detail windows while the form is open; saved "
                                        "as DET rows.")));
    t.append(annex(QStringLiteral("F586DONAC"), 8,
                   QStringLiteral("TIP_DONACION TIP_MODALIDAD:I tip_documento:I num_documento fec_donacion:A "
                                  "des_nom_razon mto_donacion:C des_donacion")));
    t.append(annex(QStringLiteral("F586IDERTA"), 5,
                   QStringLiteral("correl_rta:I cod_renta cod_pais des_pais ind_convenio mto_renta:C")));
    t.append(annex(QStringLiteral("F586PAR"), 5,
                   QStringLiteral("num_correl:I cod_operacion tip_doc:I nro_doc des_razon cod_pais "
                                  "mto_operacion:C cod_metodo"),
                   QStringLiteral("Operations with related parties (transfer pricing, PARAM 998).")));
    t.append(workingOnly(QStringLiteral("F512PCAB"), 5,
                         QStringLiteral("PER_PAG fec_pago:A cod_banco nro_operacion mto_total:C"),
                         QStringLiteral("Header of a payment of the period while the form is open.")));
    t.append(annex(QStringLiteral("F512PDET"), 6, QStringLiteral("PER_PAG CASILLA i_valor"),
                   QStringLiteral("Casilla values of a payment, by period.")));
    t.append(annex(QStringLiteral("F4170DET"), 8, QStringLiteral("tipo_doc:I nro_doc tip_renta CASILLA i_valor"),
                   QStringLiteral("A non-domiciled provider's expense month by month (CASILLA the month).")));
    return t;
}

} // namespace

QStringList TableLayout::columnNames() const {
    QStringList names;
    names.reserve(columns.size());
    for (const auto& c : columns) {
        names.append(c.name);
    }
    return names;
}

QList<ColumnType> TableLayout::columnTypes() const {
    QList<ColumnType> types;
    types.reserve(columns.size());
    for (const auto& c : columns) {
        types.append(c.type);
    }
    return types;
}

int TableLayout::indexOf(const QString& column) const {
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).name.compare(column, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

TableCatalog::TableCatalog() : m_tables(buildCatalog()) {}

const TableCatalog& TableCatalog::instance() {
    static const TableCatalog catalog;
    return catalog;
}

const TableDef* TableCatalog::find(const QString& baseName) const {
    for (const auto& t : m_tables) {
        if (t.name.compare(baseName, Qt::CaseInsensitive) == 0) {
            return &t;
        }
    }
    return nullptr;
}

const TableDef& TableCatalog::table(const QString& baseName) const {
    if (const TableDef* t = find(baseName)) {
        return *t;
    }
    throw std::out_of_range("table not in the catalogue: " + baseName.toStdString());
}

QString TableCatalog::physicalName(const QString& baseName, Copy copy) {
    switch (copy) {
    case Copy::Working:
        return QStringLiteral("TMP") + baseName;
    case Copy::History:
        return QStringLiteral("H") + baseName;
    case Copy::Permanent:
        break;
    }
    return baseName;
}

TableLayout TableCatalog::layout(const QString& baseName, Copy copy) const {
    const TableDef& def = table(baseName);
    TableLayout layout;
    layout.name = physicalName(def.name, copy);
    layout.def = &def;
    layout.copy = copy;
    layout.keyCount = def.keyCount;
    if (copy != Copy::History) {
        layout.columns = def.columns;
        return layout;
    }
    // The history copy: CORREL joins the key, the history-only columns come before cNumero.
    QList<ColumnDef> data = def.columns;
    std::optional<ColumnDef> check;
    if (def.checked) {
        check = data.takeLast();
    }
    layout.columns = data.mid(0, def.keyCount);
    layout.columns.append({kCorrelColumn, ColumnType::Text});
    layout.columns.append(data.mid(def.keyCount));
    layout.columns.append(def.historyExtras);
    if (check) {
        layout.columns.append(*check);
    }
    layout.keyCount = def.keyCount + 1;
    return layout;
}

std::optional<TableLayout> TableCatalog::resolve(const QString& physical) const {
    const QString upper = physical.toUpper();
    if (const TableDef* t = find(physical); t != nullptr && t->permanent) {
        return layout(t->name, Copy::Permanent);
    }
    if (upper.startsWith(QStringLiteral("TMP"))) {
        if (const TableDef* t = find(physical.mid(3)); t != nullptr && t->working) {
            return layout(t->name, Copy::Working);
        }
    }
    if (upper.startsWith(QLatin1Char('H'))) {
        if (const TableDef* t = find(physical.mid(1)); t != nullptr && t->history) {
            return layout(t->name, Copy::History);
        }
    }
    return std::nullopt;
}

QList<TableLayout> TableCatalog::physicalTables() const {
    QList<TableLayout> result;
    for (const auto& t : m_tables) {
        if (t.permanent) {
            result.append(layout(t.name, Copy::Permanent));
        }
        if (t.working) {
            result.append(layout(t.name, Copy::Working));
        }
        if (t.history) {
            result.append(layout(t.name, Copy::History));
        }
    }
    return result;
}

namespace {

// The CREATE TABLE and CREATE INDEX statements of one physical table; `temporary` makes it a
// table of the connection alone, which shadows the shared one of the same name.
QStringList tableDdl(const TableLayout& layout, const SqlDialect& dialect, bool temporary) {
    QStringList statements;
    QStringList columns;
    for (const auto& c : layout.columns) {
        columns.append(c.name + QLatin1Char(' ') + dialect.columnType(c.type));
    }
    if (const QString order = dialect.rowOrderColumn(); !order.isEmpty()) {
        columns.append(order);
    }
    statements.append(QStringLiteral("CREATE %1TABLE IF NOT EXISTS %2 (%3)")
                          .arg(temporary ? QStringLiteral("TEMPORARY ") : QString(), layout.name, columns.join(", ")));

    QStringList unique = layout.def->uniqueColumns;
    if (layout.copy == Copy::History && !unique.isEmpty()) {
        unique.append(TableCatalog::kCorrelColumn);
    }
    if (!unique.isEmpty() && layout.copy != Copy::Working) {
        statements.append(
            QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS ux_%1 ON %1 (%2)").arg(layout.name, unique.join(", ")));
    } else if (layout.def->declaration && layout.copy != Copy::Working) {
        QString key = QStringLiteral("DOC_ID_D, PERIODO, FORMULARIO");
        if (layout.copy == Copy::History) {
            key += QStringLiteral(", CORREL");
        }
        statements.append(QStringLiteral("CREATE INDEX IF NOT EXISTS ix_%1 ON %1 (%2)").arg(layout.name, key));
    } else if (layout.def->declaration && layout.copy == Copy::Working) {
        // The windows, the imports and the deletes find a working row by its key one row at a
        // time: without an index every look-up reads the whole table.
        QStringList key;
        for (int i = 1; i < layout.keyCount && i < layout.columns.size(); ++i) {
            key.append(layout.columns.at(i).name);
        }
        statements.append(
            QStringLiteral("CREATE INDEX IF NOT EXISTS ix_%1 ON %1 (%2)").arg(layout.name, key.join(", ")));
    }
    return statements;
}

} // namespace

QStringList TableCatalog::ddl(const SqlDialect& dialect) const {
    QStringList statements = dialect.functionDdl();
    for (const TableLayout& layout : physicalTables()) {
        statements.append(tableDdl(layout, dialect, false));
    }
    return statements;
}

QStringList TableCatalog::sessionWorkingDdl(const SqlDialect& dialect) const {
    QStringList statements;
    for (const auto& t : m_tables) {
        if (t.working) {
            statements.append(tableDdl(layout(t.name, Copy::Working), dialect, true));
        }
    }
    return statements;
}

} // namespace qel::store
