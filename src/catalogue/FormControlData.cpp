#include "catalogue/AnnexCatalog.h"
#include "catalogue/FormControls.h"

#include <QHash>
#include <initializer_list>
#include <utility>

namespace qel::declaration {

namespace {

using CK = ControlKind;

const char* const kNew = "&Nuevo";
const char* const kModify = "&Modificar";
const char* const kDelete = "&Eliminar";
const char* const kImport = "&Importar";

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// Builds the list page by page. Controls of a section are numbered 1, 2, 3 ... unless a row
// is given; the casilla boxes of the same section sit at rows 10, 20, 30 ... (CasillaData.cpp),
// so a control placed after a box takes an explicit row between them.
class Controls {
public:
    void at(const char* page, const char* section = "") {
        m_page = u(page);
        m_section = u(section);
    }

    ControlDef& add(const char* name, CK kind, const char* caption = "") {
        ControlDef d;
        d.name = u(name);
        d.kind = kind;
        d.page = m_page;
        d.section = m_section;
        d.caption = u(caption);
        d.row = ++m_rows[m_page + QLatin1Char('|') + m_section];
        m_list.append(d);
        return m_list.last();
    }

    // A yes/no question: index 1 "Si", index 0 "No".
    ControlDef& question(const char* name, int casilla, const char* caption, bool enabled = true) {
        return options(name, casilla, caption, {{1, QStringLiteral("Si")}, {0, QStringLiteral("No")}}, enabled);
    }
    ControlDef& options(const char* name, int casilla, const char* caption, const QMap<int, QString>& members,
                        bool enabled = true) {
        ControlDef& d = add(name, CK::OptionGroup, caption);
        d.members = members;
        d.answerCasilla = casilla;
        d.enabledAtStart = enabled;
        return d;
    }
    ControlDef& combo(const char* name, const char* caption, const char* paramNumero, int casilla, bool enabled) {
        ControlDef& d = add(name, CK::ComboBox, caption);
        d.paramNumero = u(paramNumero);
        d.answerCasilla = casilla;
        d.enabledAtStart = enabled;
        return d;
    }
    ControlDef& text(const char* name, const char* caption, TextRule rule, int maxLength, int casilla = 0,
                     bool enabled = true) {
        ControlDef& d = add(name, CK::TextBox, caption);
        d.textRule = rule;
        d.maxLength = maxLength;
        d.answerCasilla = casilla;
        d.enabledAtStart = enabled;
        return d;
    }
    // The buttons of an annex grid as the annex catalogue describes them: new and modify open
    // the detail window, delete is the form's own, and import (index 3) opens the import
    // window where the annex has one.
    ControlDef& annexButtons(const char* name, bool enabled) {
        ControlDef& d = add(name, CK::CommandArray);
        d.members = {{0, u(kNew)}, {1, u(kModify)}, {2, u(kDelete)}};
        d.enabledAtStart = enabled;
        const annexes::AnnexGridDef* grid = annexes::AnnexCatalog::instance().grid(d.name);
        Q_ASSERT(grid != nullptr);
        if (grid == nullptr) {
            return d;
        }
        d.windows = {{0, grid->window}, {1, grid->window}};
        if (!grid->importWindow.isEmpty()) {
            d.members.insert(3, u(kImport));
            d.windows.insert(3, grid->importWindow);
        }
        d.table = grid->table;
        d.code = grid->importWindow.isEmpty() ? grid->windowCode : grid->importKind;
        return d;
    }
    // A single command button (member 0).
    ControlDef& command(const char* name, const char* caption, const char* window = "", bool enabled = true) {
        ControlDef& d = add(name, CK::CommandArray);
        d.members = {{0, u(caption)}};
        if (*window != '\0') {
            d.windows = {{0, u(window)}};
        }
        d.enabledAtStart = enabled;
        return d;
    }
    ControlDef& grid(const char* name, const char* table, const char* query,
                     std::initializer_list<std::pair<const char*, const char*>> columns) {
        ControlDef& d = add(name, CK::Grid);
        d.table = u(table);
        d.query = u(query);
        for (const auto& [field, heading] : columns) {
            d.columns.append({u(field), u(heading)});
        }
        return d;
    }
    ControlDef& label(const char* name, const char* caption, const char* query = "") {
        ControlDef& d = add(name, CK::Label, caption);
        d.query = u(query);
        return d;
    }

    QList<ControlDef> take() { return std::move(m_list); }

private:
    QList<ControlDef> m_list;
    QHash<QString, int> m_rows;
    QString m_page;
    QString m_section;
};

// The four "Seleccionar sistema de arrastre" questions; the load appends the period.
const char* const kCarryForward = "Seleccionar sistema de arrastre de pérdidas del ejercicio {periodo}";

} // namespace

QList<ControlDef> formControlData() {
    Controls c;

    // --- Identificación: datos generales ------------------------------------------------------
    c.at("ident.general", "Contribuyente");
    c.combo("CmbRuc", "Número de RUC :", "", 0, true);
    c.text("txtNumRUC", "Número de RUC :", TextRule::Digits, 11, 0, false);
    c.text("TxtRazon", "Apellidos y Nombres, Denominación o Razón Social :", TextRule::Free, 100, 801, false);

    c.at("ident.general", "Número de orden");
    c.text("TxtNumOrdenE", "Número de orden :", TextRule::Free, 10, 806, false).visibleAtStart = false;
    c.text("TxtNumOrdenE2", "Confirme el número de orden :", TextRule::Free, 10, 0, false).visibleAtStart = false;

    c.at("ident.general", "Datos generales");
    c.question("OptRectifica", 805, "¿La presente declaración rectifica o sustituye a otra?");
    c.add("ChkRenta", CK::CheckBox, "Impuesto a la Renta").answerCasilla = 5;
    c.add("ChkITF", CK::CheckBox, "Impuesto a las Transacciones Financieras - ITF").answerCasilla = 871;
    c.question("OptITF", 878,
               "¿ Ha efectuado el pago de más del 15% de sus obligaciones sin utilizar dinero en efectivo o Medios "
               "de Pago ?");
    c.options("OpRegRenta", 289,
              "Régimen de renta :", {{1, QStringLiteral("Régimen General")}, {2, QStringLiteral("Régimen MYPE")}});
    c.options("OptDomiciliado", 807,
              "Condición de domicilio :", {{1, QStringLiteral("Domiciliado")}, {0, QStringLiteral("No Domiciliado")}});
    c.options("OptPlan", 870, "Plan de cuentas utilizado :",
              {{1, u("Plan Contable General Revisado, Plan Contable, Manual de Contabilidad o facultado por ley")},
               {2, u("Plan Contable General Empresarial  (PCGE)")}});
    // The load puts the period and 300 UIT of the period ("#,###,###") into the question.
    c.question("OptActEco", 821,
               "¿Ha obtenido ingresos al 31 de diciembre del {periodo} iguales o superiores a S/  {monto} ( 300 UIT) "
               "y se encuentra obligado a declarar el Balance de Comprobación según la Resolución de "
               "Superintendencia que aprueba el presente formulario?");

    // --- Identificación: contratos de colaboración --------------------------------------------
    c.at("ident.colab", "Contratos de colaboración empresarial");
    c.question("OptColab", 292,
               "¿Forma parte de un contrato de colaboración empresarial sin contabilidad independiente?");
    c.annexButtons("cmdColabEmp", false);
    c.grid("grdColab", "TMPF582COLCAB",
           "SELECT * FROM TMPF582COLCAB ORDER BY length(trim(cod_contrato)), trim(cod_contrato)",
           {{"cod_contrato", "Correlativo del Contrato"}, {"des_contrato", "Descripción del Contrato"}});

    // --- Identificación: exoneraciones y otros beneficios ------------------------------------
    // Questions and lists sit above the "Otros - Especifique" box of their frame (row 10).
    c.at("ident.exon", "Beneficios Tributarios");
    c.question("OptBeneficiosTrib", 802, "¿Está acogido a Beneficios Tributarios?");
    c.combo(controls::kTaxBenefit, "Rubro del beneficio :", "847", 199, false);
    c.at("ident.exon", "Exoneración");
    c.question("OptTipoCont", 803, "¿Está exonerado totalmente del Impuesto a la Renta por alguna norma legal?");
    c.combo(controls::kExemptionBasis, "Base legal :", "861", 210, false);
    c.at("ident.exon", "Inafectación");
    c.question("OptInafectacion", 217, "¿Está Inafecto al Impuesto a la Renta por alguna norma legal?");
    c.combo(controls::kNonTaxableBasis, "Base legal :", "832", 221, false);
    c.at("ident.exon", "Convenio de Estabilidad");
    c.question("OptConvEstab", 804, "¿Tiene suscrito uno o más de los siguientes convenios?");
    c.question("OptContMonExt", 813, "¿ Está autorizado a llevar Contabilidad en Moneda Extranjera ?", false).row = 11;
    c.options("OptDecPagMonExt", 816, "La Presente Declaración está expresada en :",
              {{1, QStringLiteral("Moneda Nacional")}, {2, QStringLiteral("Moneda Extranjera")}}, false)
        .row = 12;
    c.at("ident.exon", "Donaciones");
    c.question("OptDonaciones", 819, "¿Está deduciendo gastos por concepto de donaciones según las normas vigentes?");

    // --- Identificación: minería e hidrocarburos -----------------------------------------------
    c.at("ident.mineria", "Minería D.S. 014-92-EM");
    c.question("OptMineria", 822,
               "¿Cuenta con Concesiones mineras de labor general , de transporte minero, de beneficio u otras "
               "actividades mineras? ");
    c.at("ident.mineria", "Hidrocarburos Ley 26221");
    c.question("OptHidrocarburos", 820,
               "¿Cuenta con Contratos de exploración y/o explotación, o realiza actividades relacionadas u otras "
               "actividades de Hidrocarburos? ");

    // --- Identificación: Amazonía y frontera ---------------------------------------------------
    c.at("ident.amazonia", "Régimen de la Amazonía y Frontera");
    c.question("OptUbicAmazonia", 809,
               "¿Se dedica a la actividad de comercio y ha reinvertido no menos del 30% de su renta neta en obras de "
               "infraestructura y/o adquisición de bienes de capital orientadas a incrementar el nivel de "
               "producción?");
    c.question("OptLeyAmazonia", 810,
               "¿Realiza principalmente las actividades agropecuaria, acuicultura, pesca, turismo, o actividades "
               "manufactureras vinculadas al procesamiento, transformación y comercialización de productos "
               "primarios provenientes de estas actividades, o a la transformación o extracción forestal?");
    c.question("OptDomFiscal", 860,
               "¿Su domicilio fiscal se encuentra ubicado en la Amazonía y coincide con el lugar donde tiene su "
               "administración y contabilidad?",
               false);
    c.options("OptZona", 811, "Zona :", {{0, QStringLiteral("Zona 1")}, {1, QStringLiteral("Zona 2")}}, false);
    c.command("CmdZona1", "&Ubigeo", "frmUbigeo", false);
    c.text("TxtUbigeo", "Ubigeo :", TextRule::Digits, 6, 812, false);
    c.text(controls::kAmazoniaFixedAssets,
           "Monto de activos fijos al 31/12/{periodo} ubicados en la Amazonía :", TextRule::Digits, 12, 223, false);
    c.command(controls::kAmazoniaInvestments, "&Detalle", "frmListDetInverAmazonia", false);
    c.at("ident.amazonia", "Datos de Registros Públicos");
    c.text("TxtOfReg", "Oficina Registral", TextRule::Registry, 30, 280, false);
    c.text("TxtFicha", "Tomo o Ficha", TextRule::Registry, 15, 281, false);
    c.text("TxtFolio", "Folio", TextRule::Registry, 10, 282, false);
    c.text("TxtAsiento", "Asiento", TextRule::Registry, 10, 283, false);

    // --- Identificación: reorganización de sociedades e ITAN ------------------------------------
    c.at("ident.reorg", "Reorganización de Sociedades");
    c.question("OptReorganizacion", 823,
               "¿Ha participado como adquirente en un proceso de reorganización de sociedades durante el "
               "ejercicio? ");
    c.combo(controls::kReorganisationType, "Tipo de Reorganización :", "835", 233, false);
    {
        ControlDef& d = c.add("mkeFechaReorganiza", CK::DateBox, "Fecha de Reorganización :");
        d.answerCasilla = 239;
        d.enabledAtStart = false;
    }
    c.at("ident.reorg", "Impuesto Temporal a los Activos Netos - ITAN");
    c.question("OptItan", 824,
               "¿ Ha presentado el Formulario Virtual - QEL 947 del Impuesto Temporal a los Activos Netos - ITAN ?");
    c.question("OptItanAnexo", 825,
               "¿Presentó Anexo aprobado por el Reg. del Impuesto Temporal a los Activos Netos - ITAN ( D.S.N° "
               "025-2005 EF)?",
               false);
    {
        ControlDef& d = c.add(controls::kItanPayments, CK::CheckArray,
                              " Los pagos por concepto de Impuesto Temporal a los Activos Netos - ITAN son utilizados "
                              "como :");
        d.members = {{1, QStringLiteral("Crédito")}, {0, QStringLiteral("Gasto")}};
        d.memberCasillas = {{1, 826}, {0, 828}};
        d.enabledAtStart = false;
    }

    // --- Estados financieros ---------------------------------------------------------------------
    c.at("eeff.activo");
    c.label("lblActivo", "I. Balance General al 31 de dic. {periodo}");
    c.at("eeff.pasivo");
    c.label("lblPasivo", "I. Balance General - Pasivo y Patrimonio al 31 de dic. {periodo}");
    c.at("eeff.egp");
    c.label("lblEstadoGanancias", "II. Estado de ganancias y pérdidas             del 01/01 al 31/12 de {periodo}");

    // The column sums (casillas 240-243) follow the grid.
    c.at("eeff.balance", "Balance de Comprobación");
    c.label("lblBalanceComprobacion", "Balance de Comprobación Histórico al 31/12/{periodo}");
    // The accounts by code, then the totals row of the sixteen columns.
    c.grid(controls::kTrialBalanceGrid, "TMPF582BALANCE",
           "SELECT 0 AS orden, Codigo, Descrip, saldos_ini_d, saldos_ini_h, mov_ejerci_d, mov_ejerci_h, "
           "suma_mayor_d, suma_mayor_h, saldo_deudor, saldo_acreed, tran_cance_d, tran_cance_h, impli_niif_d, "
           "impli_niif_h, cuenta_bal_a, cuenta_bal_p, result_nat_p, result_nat_g FROM TMPF582BALANCE "
           "UNION ALL SELECT 1, NULL, 'Totales'"
           ", coalesce(sum(CAST(saldos_ini_d AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(saldos_ini_h AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(mov_ejerci_d AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(mov_ejerci_h AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(suma_mayor_d AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(suma_mayor_h AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(saldo_deudor AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(saldo_acreed AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(tran_cance_d AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(tran_cance_h AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(impli_niif_d AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(impli_niif_h AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(cuenta_bal_a AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(cuenta_bal_p AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(result_nat_p AS DOUBLE PRECISION)),0)"
           ", coalesce(sum(CAST(result_nat_g AS DOUBLE PRECISION)),0)"
           " FROM TMPF582BALANCE ORDER BY 1, 2",
           {{"Codigo", "Cuenta "},
            {"Descrip", "Descripción"},
            {"saldos_ini_d", "Saldos Iniciales Debe"},
            {"saldos_ini_h", "Saldos Iniciales Haber"},
            {"mov_ejerci_d", "Movimiento del Ejercicio Debe"},
            {"mov_ejerci_h", "Movimiento del Ejercicio Haber"},
            {"suma_mayor_d", "Sumas del Mayor Debe"},
            {"suma_mayor_h", "Sumas del Mayor Haber"},
            {"saldo_deudor", "Saldos al 31/12/{periodo} Deudor"},
            {"saldo_acreed", "Saldos al 31/12/{periodo} Acreedor"},
            {"tran_cance_d", "Transferencias y Cancelaciones Debe"},
            {"tran_cance_h", "Transferencias y Cancelaciones Haber"},
            {"impli_niif_d", "Ajuste por adecuación o Implicancia NIIF Debe"},
            {"impli_niif_h", "Ajuste por adecuación o Implicancia NIIF Haber"},
            {"cuenta_bal_a", "Cuentas de Balance Activo"},
            {"cuenta_bal_p", "Cuentas de Balance Pasivo"},
            {"result_nat_p", "Resultados por Naturaleza Pérdidas"},
            {"result_nat_g", "Resultados por Naturaleza Ganancias"}})
        .row = 2;
    c.command(controls::kTrialBalanceButton, kModify, "frmDetalleBalance").table = QStringLiteral("TMPF582BALANCE");
    c.command("cmdImportar", kImport, "frmTransferencia").table = QStringLiteral("TMPF582BALANCE");
    c.command("CmdEliminar", kDelete).table = QStringLiteral("TMPF582BALANCE");
    c.command("cmdArchivo", "&Exportar").table = QStringLiteral("TMPF582BALANCE");

    c.at("eeff.mineria", "Minería");
    c.annexButtons(controls::kMiningButtons, false);
    c.grid(controls::kMiningGrid, "TMPF564MINERIA", "SELECT * FROM TMPF564MINERIA ORDER BY rowid",
           {{"nro_anexo", "Nro. de Anexo"},
            {"nro_concesion", "Nro. Código de Concesión o U.E.A."},
            {"des_activ_rel", "Nombre de la Concesión o U.E.A."},
            {"fec_firma_conv", "Fecha Firma Convenio"},
            {"fec_vigen_conv", "Fecha Vigencia Convenio"},
            {"num_plazo_dura", "Plazo de Duración"},
            {"mto_tot_activo", "Total Activo"},
            {"mto_tot_ingresos", "Total Ingresos"},
            {"mto_perdid_con", "Pérdida Compensable"},
            {"mto_adiciones", "Adiciones"},
            {"mto_deduccione", "Deducciones"},
            {"mto_tot_renta", "Renta Neta"},
            {"mto_tot_perdida", "Pérdida Tributaria"},
            {"mto_per_ejer_a", "Pérdidas de Ejercicios Anteriores"},
            {"mto_inv_amazon", "Inversión en la Amazonía"},
            {"mto_creditos", "Créditos"},
            {"mto_saldo_favor", "Saldo a Favor"},
            {"mto_imp_renta", "Impuesto a la Renta"},
            {"mto_tasa_imp", "Tasa del Impto a la Renta Aplicada (%)"}});
    c.label("lblTotalMineria", "Total Impuesto a la Renta :",
            "SELECT coalesce(sum(CAST(mto_imp_renta AS DOUBLE PRECISION)),0) AS totalimprenta FROM TMPF564MINERIA ");
    c.options("optArrastreMin", 444, kCarryForward, {{0, QStringLiteral("A")}, {1, QStringLiteral("B")}}, false);

    c.at("eeff.hidro", "Hidrocarburos");
    c.annexButtons(controls::kHydrocarbonButtons, false);
    c.grid(controls::kHydrocarbonGrid, "TMPF540HIDROCAR", "SELECT * FROM TMPF540HIDROCAR ORDER BY rowid",
           {{"nro_lote", "N°de Lote en Exploración y Explotación"},
            {"des_activ_rel", "Descripción de la Actividad Relacionada"},
            {"fec_firma_conv", "Fecha Firma Convenio"},
            {"fec_vigen_conv", "Fecha Vigencia Convenio"},
            {"num_plazo_dura", "Plazo de Duración"},
            {"mto_tot_activo", "Total Activo"},
            {"mto_tot_ingresos", "Total Ingresos"},
            {"mto_tot_costos", "Total Costos"},
            {"mto_adiciones", "Adiciones"},
            {"mto_deducciones", "Deducciones"},
            {"mto_tot_renta", "Renta Neta"},
            {"mto_tot_perdida", "Pérdida Tributaria"},
            {"mto_imp_renta", "Impuesto a la Renta"},
            {"mto_tasa_imp", "Tasa del Impto a la Renta Aplicada (%)"}});
    c.label("lblTotalHidrocarburos", "Total Impuesto a la Renta :",
            "SELECT coalesce(sum(CAST(mto_imp_renta AS DOUBLE PRECISION)),0) AS totalh FROM TMPF540HIDROCAR ");
    c.options("optArrastreHid", 444, kCarryForward, {{0, QStringLiteral("A")}, {1, QStringLiteral("B")}}, false);

    // --- Impuesto a la Renta -------------------------------------------------------------------
    // Below casilla 108 (row 80) of the determination; shown only for a year with a loss.
    c.at("renta", "Determinación de la Renta Neta Imponible");
    c.options("OptArrastre2005", 880, kCarryForward, {{0, QStringLiteral("A")}, {1, QStringLiteral("B")}}).row = 85;
    {
        ControlDef& d = c.text("TxtTotalSaldo", "Total saldo de pérdidas :", TextRule::Digits, 15, 0, false);
        d.row = 86;
        d.visibleAtStart = false;
    }

    // --- Información complementaria: información general ---------------------------------------
    // The document boxes of the accountant are casillas 207, 208, 211 and 687 (rows 10-40).
    c.at("info.general", "Datos del contador");
    c.combo(controls::kAccountantDocType, "Tipo de documento :", "", 832, true);
    c.text("TxtNombreA", "Apellidos :", TextRule::Names, 40, 815).row = 50;
    c.text("TxtNombreN", "Nombres :", TextRule::Names, 40, 814).row = 51;
    c.text(controls::kAccountantPhone, "Teléfono fijo :", TextRule::Free, 9, 808).row = 52;
    c.text(controls::kAccountantMobile, "Teléfono celular :", TextRule::Free, 9, 213).row = 53;
    c.text("txtmail2", "Correo electrónico :", TextRule::Email, 60, 581).row = 54;
    c.at("info.general", "Datos del representante legal");
    c.combo(controls::kRepresentativeDocType, "Tipo de documento :", "", 831, true);
    c.text(controls::kRepresentativeSurname, "Apellidos :", TextRule::Names, 40, 817).row = 30;
    c.text("txtNombreRL", "Nombres :", TextRule::Names, 40, 818).row = 31;
    c.text("txtmail3", "Correo electrónico :", TextRule::Email, 60, 582).row = 32;
    c.at("info.general", "Correo electrónico del contribuyente");
    c.text("txtmail", "Correo electrónico :", TextRule::Email, 60, 580);
    c.text("txtcorreo", "Confirme el correo electrónico :", TextRule::Email, 60, 839);
    c.at("info.general", "Instrumentos financieros derivados");
    c.question(controls::kInstruments, 661,
               "¿Ha obtenido Pérdida del ejercicio por instrumentos financieros derivados con fines distintos a los "
               "de cobertura?");
    {
        ControlDef& d = c.options(controls::kCarryForwardSystem, 662, kCarryForward,
                                  {{0, QStringLiteral("Sistema A")}, {1, QStringLiteral("Sistema B")}}, false);
        d.answerLetters = QStringLiteral("AB");
    }
    c.at("info.general", "Inversión en fideicomiso");
    c.command("cmdFideicomiso", "Inversión en &Fideicomiso", "frmFideicomiso");

    // --- Información complementaria: annexes -----------------------------------------------------
    c.at("info.desuso", "Desuso u Obsolescencia");
    c.question(controls::kDisuse, 830,
               "¿Ha realizado deducciones por desuso u obsolescencia en el ejercicio gravable {periodo}? ");
    c.annexButtons("cmdDistribucion", false);
    c.grid("grdDesuso", "TMPF542DESUSO",
           "SELECT t.*, trim(substr(d.Funcion, 32, 11)) AS des_tip_documento FROM TMPF542DESUSO t LEFT JOIN PARAM d "
           "ON d.Numero = '044' AND d.Argumento = (CASE WHEN t.tip_documento BETWEEN 0 AND 9 THEN '0' || "
           "t.tip_documento ELSE '' || t.tip_documento END) ORDER BY t.rowid",
           {{"cod_activo", "Código del Activo"},
            {"num_inf_tecnico", "Número de Informe Técnico"},
            {"fec_inf_tecnico", "Fecha de Informe Técnico"},
            {"des_tip_documento", "Tipo de Documento"},
            {"num_documento", "Número de Documento"},
            {"des_nom_razon", "Apellidos y Nombres o Razón Social"},
            {"num_colegiatura", "N° Coleg. Profesional"},
            {"mto_bien", "Valor del Bien"},
            {"fec_desuso", "Fecha del Desuso u Obsolescencia"}});

    c.at("info.perdidas", "Pérdidas Extraordinarias");
    c.question("OptPerdidaExtraord", 827,
               "¿ Ha sufrido pérdidas extraordinarias por caso fortuito, fuerza mayor o delitos cometidos en su "
               "perjuicio durante el {periodo}? ");
    c.annexButtons("cmdPerdidasExtraord", false);
    c.grid("grdPerdidasExtraord", "TMPF535PEREXTRA", "SELECT * FROM TMPF535PEREXTRA ORDER BY num_corr_perd",
           {{"num_corr_perd", "Correlativo"},
            {"fec_perd_extra", "Fecha de la Pérdida"},
            {"fec_res_judic", "Fecha de la Resolución Judicial"},
            {"ind_ident_juz", "Identificación del Juzgado"},
            {"mto_caso_fort", "Monto por Caso Fortuito o Fuerza Mayor"},
            {"mto_del_comet", "Monto por Delitos Cometidos"}});

    c.at("info.nodomic", "Gastos Realizados con No Domiciliados");
    c.annexButtons("cmdNoDomic", true);
    c.grid("grdNoDomic", "TMPF582NODOMIC",
           "SELECT t.*, trim(substr(d.Funcion, 32, 11)) AS des_tipo_doc, trim(p.Funcion) AS des_pais FROM "
           "TMPF582NODOMIC t LEFT JOIN PARAM d ON d.Numero = '044' AND d.Argumento = (CASE WHEN t.tipo_doc BETWEEN 0 "
           "AND 9 THEN '0' || t.tipo_doc ELSE '' || t.tipo_doc END) "
           "LEFT JOIN PARAM p ON p.Numero = '976' AND p.Argumento = t.cod_pais ORDER BY t.rowid",
           {{"des_tipo_doc", "Tipo de Documento"},
            {"nro_doc", "Número de Documento"},
            {"des_razon", "Apellidos y Nombres o Razón Social"},
            {"des_pais", "País de Residencia"},
            {"tip_renta", "Tipo de Renta"},
            {"mto_gasto", "Monto del Gasto"},
            {"mto_tasa", "Tasa (%)"},
            {"mto_no_retencion", "Monto no Sujeto a Retención"},
            {"mto_ret", "Retención Efectuada"}});
    c.command("cmdGastosSujRet", "Gastos sujetos a &Retención", "frmAsistGastosSujRet");

    c.at("info.vehiculos", "Identificación de Vehículos");
    c.question(controls::kVehicles, 895,
               "¿Está deduciendo gastos de vehículos a que se refiere el inciso w) del Art. 37° de la Ley?");
    c.annexButtons("cmdVehiculos", false);
    c.grid(controls::kVehicleGrid, "TMPF584vehic", "SELECT * FROM TMPF584vehic ORDER BY rowid",
           {{"cod_categ", "Categoría"},
            {"des_placa", "Número de Placa"},
            {"mto_adq", "Costo de Adquisición o Valor de Ingreso al Patrimonio"},
            {"Fec_Ing", "Fecha de Ingreso al Patrimonio"},
            {"cod_condicion", "Condición"},
            {"cod_actividad", "Asignación"},
            {"mto_gasto", "Gastos del Vehículo"},
            {"mto_dep", "Depreciación"},
            {"ind_ded_gasto", "Deduce Gastos"},
            {"ind_sustitucion", "Vehículo Sustituido"}});

    c.at("info.socios", "Principales socios, asociados y otros");
    c.annexButtons("cmdSocios", true);
    c.grid(controls::kPartnerGrid, "TMPF535SOCIOS",
           "SELECT t.*, trim(substr(s.Funcion, 1, 25)) AS des_tipo_socio, trim(substr(d.Funcion, 32, 11)) AS "
           "des_tipo_doc, trim(p.Funcion) AS des_pais FROM TMPF535SOCIOS t LEFT JOIN PARAM s ON s.Numero = '841' "
           "AND s.Argumento = t.tipo_socio LEFT JOIN PARAM d ON d.Numero = '044' AND d.Argumento = "
           "(CASE WHEN t.tipo_doc_socio BETWEEN 0 AND 9 THEN '0' || t.tipo_doc_socio ELSE '' || t.tipo_doc_socio END) "
           "LEFT JOIN PARAM p ON p.Numero = '976' AND p.Argumento = t.cod_pais ORDER BY t.rowid",
           {{"des_tipo_socio", "Tipo de socio, asociado, participacionista, otros"},
            {"des_nom_razon", "Apellidos y Nombres, Denominación o Razón Social  "},
            {"des_tipo_doc", "Tipo de Documento"},
            {"nro_doc_socio", "Número de Documento"},
            {"fec_nac_socio", "Fecha de Nacimiento"},
            {"des_pais", "País de Residencia"},
            {"Porcentaje", "% de Participación sobre el capital"},
            {"fec_cosnt_socio", "Fecha en que se constituye como socio"}});
    c.label("lblTotalSocios", "Total % de participación sobre el capital :",
            "SELECT coalesce(sum(CAST(Porcentaje AS DOUBLE PRECISION)),0) FROM TMPF535SOCIOS ")
        .totalMask = QStringLiteral("##0.#0");

    c.at("info.alquileres", "Alquileres Pagados");
    c.question("OptAlquileres", 829,
               "¿Ha pagado usted alquiler por algún bien mueble o inmueble durante el ejercicio {periodo}?");
    c.label("lblAlquileres", "Detalle de gastos por alquileres de bienes muebles o inmuebles correspondientes al año "
                             "{periodo} pagados o no en dicho año ");
    c.annexButtons("cmdAlquileres", false);
    c.grid("grdAlquileres", "TMPF582ALQUILER",
           "SELECT t.*, (t.tip_bien || t.des_bien) AS sTip, trim(substr(d.Funcion, 32, 11)) AS des_tipo_doc, "
           "trim(coalesce(t.des_via || ' ', '') || coalesce('NRO. ' || nullif(t.numero, '') || ' ', '') || "
           "coalesce('KM. ' || nullif(t.kilometro, '') || ' ', '') || coalesce('MZ. ' || nullif(t.manzana, '') || "
           "' ', '') || coalesce('LT. ' || nullif(t.lote, '') || ' ', '') || coalesce('INT. ' || "
           "nullif(t.interior, '') || ' ', '') || coalesce('DPTO. ' || nullif(t.departamento, '') || ' ', '') || "
           "coalesce(t.des_zona, '')) AS des_direccion FROM TMPF582ALQUILER t LEFT JOIN PARAM d ON d.Numero = "
           "'044' AND d.Argumento = (CASE WHEN t.tipo_doc BETWEEN 0 AND 9 THEN '0' || t.tipo_doc ELSE '' || t.tipo_doc "
           "END) ORDER BY t.rowid",
           {{"des_direccion", "Dirección del predio"},
            {"des_tipo_doc", "Tipo de Documento"},
            {"nro_doc", "Número de Documento"},
            {"mto_alquiler", "Monto del Alquiler"},
            {"tip_bien", "Tipo de Bien"},
            {"correl_pred", "Correlativo"},
            {"des_bien", "Descripción del Bien"},
            {"des_identificacion", "Matricula-Placa-Otros"},
            {"cod_ubigeo", "Ubigeo"},
            {"tip_zona", "Tipo de Zona"},
            {"des_zona", "Zona"},
            {"tip_via", "Tipo de vía"},
            {"des_via", "Vía"},
            {"numero", "Número"},
            {"kilometro", "Kilómetro"},
            {"manzana", "Manzana"},
            {"interior", "Interior"},
            {"departamento", "Departamento"},
            {"lote", "Lote"},
            {"referencia", "Referencia"}});

    c.at("info.mermas.mermas", "Mermas");
    c.question("OptMermas", 874, "¿ Ha deducido gastos por mermas en el ejercicio gravable {periodo}?");
    c.annexButtons("cmdMermas", false);
    c.grid("grdMermas", "TMPF535MERMAS",
           "SELECT t.*, trim(substr(d.Funcion, 32, 11)) AS des_tip_documento FROM TMPF535MERMAS t LEFT JOIN PARAM d "
           "ON d.Numero = '044' AND d.Argumento = (CASE WHEN t.tip_documento BETWEEN 0 AND 9 THEN '0' || "
           "t.tip_documento ELSE '' || t.tip_documento END) ORDER BY t.rowid",
           {{"ind_inf_tecnico", "Informe Técnico Elaborado por "},
            {"num_inf_tecnico", "Número de Informe Técnico"},
            {"fec_inf_tecnico", "Fecha de Informe Técnico"},
            {"des_tip_documento", "Tipo de Documento"},
            {"num_documento", "Número de Documento"},
            {"des_nom_razon", "Apellidos y Nombres o Razón Social"},
            {"num_colegiatura", "N° Coleg. Profesional"},
            {"mto_merma", "Monto de la Merma"}});

    c.at("info.mermas.desmedros", "Desmedros");
    c.question("OptDesmedros", 873, "¿ Ha deducido gastos por desmedros en el ejercicio gravable {periodo}?");
    c.annexButtons("cmdDesmedros", false);
    c.grid("grdDesmedros", "TMPF535DESMEDROS",
           "SELECT t.*, trim(substr(d.Funcion, 32, 11)) AS des_tip_documento FROM TMPF535DESMEDROS t LEFT JOIN "
           "PARAM d ON d.Numero = '044' AND d.Argumento = (CASE WHEN t.tip_documento BETWEEN 0 AND 9 THEN '0' || "
           "t.tip_documento ELSE '' || t.tip_documento END) ORDER BY t.rowid",
           {{"ind_destruccion", "Destrucción efectuada ante"},
            {"des_tip_documento", "Tipo Documento"},
            {"num_documento", "Número Documento"},
            {"des_ape_nom", "Apellidos y nombres"},
            {"id_juzg_paz", "Identificación Juzgado de Paz"},
            {"fec_com_kolva", "Fecha de Comunicación a la KOLVA"},
            {"fec_destruccion", "Fecha de destrucción"},
            {"mto_desmedro", "Monto del Desmedro"}});

    // Type 1: the declarant's operations are administered by others; type 2: it administers
    // operations of others. Each grid shows the other party.
    c.at("info.operfin.administrado", "Le administran sus operaciones financieras");
    c.question("OptOperFinAdmin", 218, "¿Durante el {periodo} le han administrado sus operaciones financieras?");
    c.annexButtons("cmdOperAdminis", false);
    c.grid("grdAdmistOperaciones", "TMPF542OPERFIN",
           "SELECT t.*, trim(substr(d.Funcion, 32, 11)) AS des_tip_documento FROM TMPF542OPERFIN t LEFT JOIN PARAM d "
           "ON d.Numero = '044' AND d.Argumento = (CASE WHEN t.tip_documento BETWEEN 0 AND 9 THEN '0' || "
           "t.tip_documento ELSE '' || t.tip_documento END) where t.ind_tipo_oper = 1 ORDER BY t.rowid",
           {{"des_tip_documento", "Tipo de Documento del Administrador"},
            {"num_documento", "Número de Documento del Administrador"},
            {"des_nom_razon", "Apellidos y Nombres o Razón Social del Administrador"},
            {"fec_ini_contrato", "Fecha de Inicio del Contrato"},
            {"ind_plazo", "Plazo de Duracion Indefinido"},
            {"fec_fin_contrato", "Fecha de Fin del Contrato"}});
    c.at("info.operfin.administrador", "Administra operaciones financieras de terceros");
    c.question("OptOperAdminFin", 219,
               "¿Durante el {periodo} han administrado operaciones financieras que correspondan a terceros?");
    c.annexButtons("cmdAdministradorOper", false);
    c.grid("grdOperAdministradas", "TMPF542OPERFIN",
           "SELECT t.*, trim(substr(d.Funcion, 32, 11)) AS des_tip_documento FROM TMPF542OPERFIN t LEFT JOIN PARAM d "
           "ON d.Numero = '044' AND d.Argumento = (CASE WHEN t.tip_documento BETWEEN 0 AND 9 THEN '0' || "
           "t.tip_documento ELSE '' || t.tip_documento END) where t.ind_tipo_oper = 2 ORDER BY t.rowid",
           {{"des_tip_documento", "Tipo de Documento del Administrado"},
            {"num_documento", "Número de Documento del Administrado"},
            {"des_nom_razon", "Apellidos y Nombres o Razón Social  del Administrado"},
            {"fec_ini_contrato", "Fecha de Inicio del Contrato"},
            {"ind_plazo", "Plazo de Duracion Indefinido"},
            {"fec_fin_contrato", "Fecha de Fin del Contrato"}});

    c.at("info.regalias", "Regalías a Beneficiarios Domiciliados");
    c.question("OptRegalias", 875,
               "¿ Ha devengado Regalías a Beneficiarios Domiciliados durante el ejercicio {periodo}? ");
    c.annexButtons("cmdRegalias", false);
    c.grid("grdRegalias", "TMPF535REGALIAS",
           "SELECT t.*, trim(substr(d.Funcion, 32, 11)) AS des_tip_documento FROM TMPF535REGALIAS t LEFT JOIN PARAM "
           "d ON d.Numero = '044' AND d.Argumento = (CASE WHEN t.tip_documento BETWEEN 0 AND 9 THEN '0' || "
           "t.tip_documento ELSE '' || t.tip_documento END) ORDER BY t.rowid",
           {{"des_tip_documento", "Tipo de Documento"},
            {"num_documento", "Número de Documento"},
            {"des_ape_nom", "Apellidos y Nombres o Razón Social"},
            {"fec_contrato", "Fecha del Contrato"},
            {"mto_regalia", "Monto Devengado"}});

    c.at("info.gasrep", "Gastos de Representación");
    c.annexButtons("cmdgastopresent", true);
    c.grid("grdgastosPresent", "TMPF572GASREP", "SELECT * FROM TMPF572GASREP ORDER BY rowid",
           {{"nro_doc", "Número de RUC"}, {"des_razon", "Razón Social"}, {"mto_anual", "Monto Anual"}});

    c.at("info.constructora", "Empresa Constructora con Opciones");
    {
        ControlDef& d = c.options("Optmetodo", 293, "Método para determinar la renta bruta de los contratos de obra :",
                                  {{0, QStringLiteral("A")}, {1, QStringLiteral("B")}});
        d.answerLetters = QStringLiteral("AB");
    }
    c.label("lblmetodoA",
            "Asignar a cada ejercicio gravable la renta bruta que resulte de aplicar sobre los importes cobrados por "
            "cada obra, durante el ejercicio comercial, el porcentaje de ganancia bruta calculado para el total de la "
            "respectiva obra");
    c.label("lblmetodob",
            "Asignar a cada ejercicio gravable la renta bruta que se establezca deduciendo del importe cobrado o por "
            "cobrar por los trabajos ejecutados en cada obra durante el ejercicio comercial, los costos "
            "correspondientes a tales trabajos");

    c.at("info.exporta", "Detalle de las exportaciones embarcadas");
    c.annexButtons("cmdExportaciones", true);
    c.grid("grdExportaciones", "TMPF582EXPORTA", "SELECT * FROM TMPF582EXPORTA ORDER BY rowid",
           {{"fec_embarque", "Fecha de Embarque"},
            {"num_dam", "Número de DAM"},
            {"mto_dam", "Monto de la DAM"},
            {"Num_factura", "Número de la Factura"},
            {"mto_factura", "Monto de la Factura"}});

    c.at("info.invest", "Gastos de Investigación, Desarrollo y/o Innovación");
    c.question("Opttecno", 780,
               "¿Ha realizado gastos en proyectos de investigación científica, tecnológica e innovación "
               "tecnológica?")
        .moreCasillas = {781};
    const std::initializer_list<std::pair<const char*, const char*>> projectColumns = {
        {"correl_proyecto", "Correlativo"},
        {"num_ruc", "RUC del Centro de Investigación"},
        {"des_razon", "Razón Social"},
        {"num_concytec", "Número de Registro CONCYTEC"},
        {"des_centro", "Centro de Investigación"},
        {"des_proyecto", "Descripción del Proyecto"},
        {"fec_autorizacion", "Fecha de Calificación"},
        {"mto_total", "Monto Total del Proyecto"},
        {"mto_deducible", "Monto Deducible"},
        {"mto_ejercicio", "Gasto del Ejercicio"}};
    c.at("info.invest.directo", "Proyectos sin beneficio");
    c.annexButtons("cmdDirecto", false);
    c.grid("grdDirecto", "TMPF584GASINV", "SELECT * FROM TMPF584GASINV WHERE ind_beneficio=1 ORDER BY rowid",
           projectColumns);
    c.at("info.invest.indirecto", "Proyectos con beneficio");
    c.annexButtons("cmdIndirecto", false);
    c.grid("grdIndirecto", "TMPF584GASINV", "SELECT * FROM TMPF584GASINV WHERE ind_beneficio=2 ORDER BY rowid",
           projectColumns);

    // Index 3 writes the report file of the foreign-source income; it opens no window.
    c.at("info.rfe", "Renta de Fuente Extranjera y Transparencia Fiscal Internacional");
    c.question(controls::kForeignIncome, 840,
               "¿Ha obtenido Rentas de Fuente Extranjera (RFE) o le es aplicable el régimen de Transparencia Fiscal "
               "Internacional (TFI) en el ejercicio {periodo}?");
    {
        ControlDef& d = c.annexButtons("cmdInternacional", false);
        d.code = QStringLiteral("4");
        d.members.insert(3, QStringLiteral("&Reporte"));
    }
    c.grid("grdInternacional", "TMPF586IDERTA", "SELECT * FROM TMPF586IDERTA ORDER BY rowid",
           {{"correl_rta", "Correlativo"},
            {"cod_renta", "Tipo de Renta"},
            {"des_pais", "País o Jurisdicción"},
            {"ind_convenio", "Convenio para evitar la Doble Imposición"},
            {"mto_renta", "Monto de la Renta (S/)"}});
    c.command("cmdInverExtranjero", "Inversiones en el &Extranjero", "frmInverExtranjero");

    // --- The form's own commands, below the tab control -----------------------------------------
    c.at("");
    c.command(controls::kValidate, "&Validar");
    c.command(controls::kSave, "&Grabar");
    c.command(controls::kExit, "&Salir");

    return c.take();
}

} // namespace qel::declaration
