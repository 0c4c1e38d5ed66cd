#include "printing/AnnexSections.h"

#include "annexes/AssistantCatalog.h"
#include "base/NumberFormat.h"
#include "catalogue/AnnexCatalog.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/CasillaListCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/MonthAssistantKind.h"
#include "catalogue/MovementAssistantKind.h"
#include "store/Database.h"
#include "store/ParamLookups.h"
#include "store/TableCatalog.h"

#include <QDate>
#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <map>
#include <numeric>

namespace qel::printing {

namespace {

using store::ColumnType;

// Titles of the printed sections: by table, or by table and the casilla or assistant type
// the rows belong to.
const QHash<QString, QString>& titles() {
    static const QHash<QString, QString> table = {
        {QStringLiteral("F535SOCIOS"), QStringLiteral("100 PRINCIPALES SOCIOS, ASOCIADOS Y OTROS")},
        {QStringLiteral("F535MERMAS"), QStringLiteral("DETALLE DE MERMAS")},
        {QStringLiteral("F535DESMEDROS"), QStringLiteral("DETALLE DE DESMEDROS")},
        {QStringLiteral("F535REGALIAS"), QStringLiteral("REGALIAS A BENEFICIARIOS DOMICILIADOS")},
        {QStringLiteral("F535PEREXTRA"), QStringLiteral("PERDIDAS EXTRAORDINARIAS")},
        {QStringLiteral("F542OPERFIN:1"), QStringLiteral("OPERACIONES FINANCIERAS - ADMINISTRADO")},
        {QStringLiteral("F542OPERFIN:2"), QStringLiteral("OPERACIONES FINANCIERAS - ADMINISTRADOR")},
        {QStringLiteral("F542DESUSO"), QStringLiteral("BIENES EN DESUSO U OBSOLESCENCIA")},
        {QStringLiteral("F582ALQUILER"), QStringLiteral("ALQUILERES PAGADOS")},
        {QStringLiteral("F542REOEMP:278"), QStringLiteral("EMPRESAS PARTICIPANTES EN LA REORGANIZACION (CASILLA 278)")},
        {QStringLiteral("F584VEHIC"), QStringLiteral("IDENTIFICACION DE VEHICULOS")},
        {QStringLiteral("F584GASINV"), QStringLiteral("GASTOS DE INVESTIGACION, DESARROLLO E INNOVACION")},
        {QStringLiteral("F582COLDET"), QStringLiteral("CONTRATOS DE COLABORACION EMPRESARIAL")},
        {QStringLiteral("F572GASREP"), QStringLiteral("GASTOS DE REPRESENTACION")},
        {QStringLiteral("F586DONAC"), QStringLiteral("DETALLE DE DONACIONES")},
        {QStringLiteral("F586IDERTA"), QStringLiteral("RENTA DE FUENTE EXTRANJERA")},
        {QStringLiteral("F582NODOMIC"), QStringLiteral("GASTOS REALIZADOS CON NO DOMICILIADOS")},
        {QStringLiteral("F582EXPORTA"), QStringLiteral("DETALLE DE LAS EXPORTACIONES EMBARCADAS")},
        {QStringLiteral("F582BALANCE"), QStringLiteral("BALANCE DE COMPROBACION")},
        {QStringLiteral("F544ADICDEDUC:103"),
         QStringLiteral("I.-  ASISTENTE DE LA CASILLA 103 (Adiciones para determinar la Renta Imponible)")},
        {QStringLiteral("F544ADICDEDUC:105"),
         QStringLiteral("II.-  ASISTENTE DE LA CASILLA 105 (Deducciones para determinar la Renta Imponible)")},
        {QStringLiteral("F540DISLEG:461"),
         QStringLiteral("VI.- ASISTENTE DE LA CASILLA 461 (Ventas netas por  Ingresos o servicios)")},
        {QStringLiteral("F540DISLEG:464"), QStringLiteral("VII.- ASISTENTE DE LA CASILLA 464 (Costo de ventas)")},
        {QStringLiteral("F540DISLEG:473"),
         QStringLiteral("VIII.- ASISTENTE DE LA CASILLA 473 (Ingresos financieros gravados)")},
        {QStringLiteral("F540DISLEG:475"),
         QStringLiteral("IX.- ASISTENTE DE LA CASILLA 475 (Otros Ingresos  gravados)")},
        {QStringLiteral("F540DISLEG:476"),
         QStringLiteral("X.- ASISTENTE DE LA CASILLA 476 (Otros Ingresos no gravados)")},
        {QStringLiteral("F540DISLEG:477"),
         QStringLiteral("XI.- ASISTENTE DE LA CASILLA 477 (Enajen. de val. y bienes del act. f.)")},
        {QStringLiteral("F540DISLEG:486"), QStringLiteral("XII.- ASISTENTE DE LA CASILLA 486 (Distribución Legal)")},
        {QStringLiteral("F540DISLEG:223"),
         QStringLiteral("INVERSIONES EN ACTIVOS FIJOS UBICADOS EN LA AMAZONIA (CASILLA 223)")},
        {QStringLiteral("ACTA:4"),
         QStringLiteral("XII.-  ASISTENTE DE LA CASILLA 128 (Pagos a cuenta mensuales del Ejercicio)")},
        {QStringLiteral("ACTA:7"), QStringLiteral("ASISTENTE DE LA CASILLA 126")},
        {QStringLiteral("ACTA:8"), QStringLiteral("ASISTENTE DE LA CASILLA 130")},
        {QStringLiteral("ACTA:9"), QStringLiteral("ASISTENTE DE LA CASILLA 131")},
        {QStringLiteral("F535MOV_IME:317"),
         QStringLiteral("IX.-  ASISTENTE DE LA CASILLA 317 (MOVIMIENTO DE INMUEBLES, MAQUINARIA Y  EQUIPO)")},
        {QStringLiteral("frmAnexo108"),
         QStringLiteral("V.-  ASISTENTE DE LA CASILLA 108 (Pérdida Tributaria compensable de ejercicios anteriores)")},
        {QStringLiteral("F572DETBAS:103-523"),
         QStringLiteral("DETALLE DE LA CASILLA 103 - EXCESO DE REMUNERACIONES DEL DIRECTORIO ")},
        {QStringLiteral("F572DETBAS:103-522"),
         QStringLiteral("DETALLE DE LA CASILLA 103 - EXCESO DE GASTOS RECREATIVOS ")},
        {QStringLiteral("F535INVEXT"), QStringLiteral("INVERSIONES EN EL EXTERIOR")},
        {QStringLiteral("F564MINERIA"), QStringLiteral("CONCESIONES MINERAS")},
        {QStringLiteral("F564ADMINH"), QStringLiteral("ADICIONES DE LAS CONCESIONES MINERAS Y LOTES DE HIDROCARBUROS")},
        {QStringLiteral("F564DEMINH"),
         QStringLiteral("DEDUCCIONES DE LAS CONCESIONES MINERAS Y LOTES DE HIDROCARBUROS")},
        {QStringLiteral("F540HIDROCAR"), QStringLiteral("CONTRATOS DE HIDROCARBUROS")},
        {QStringLiteral("F535FIDEICO"), QStringLiteral("FIDEICOMISOS")},
        {QStringLiteral("F582COLCAB"), QStringLiteral("CONTRATOS DE COLABORACION EMPRESARIAL SIN CONTABILIDAD")},
        {QStringLiteral("F586PAR"), QStringLiteral("OPERACIONES CON PARTES VINCULADAS")},
        {QStringLiteral("F4170DET"), QStringLiteral("GASTOS CON NO DOMICILIADOS POR MES")},
        {QStringLiteral("F512PDET"), QStringLiteral("PAGOS DEL EJERCICIO")},
        {QStringLiteral("F582OTRGAS"), QStringLiteral("OTROS INGRESOS Y GASTOS DE LAS CONCESIONES MINERAS")},
        {QStringLiteral("F535GNDOMRRTA"), QStringLiteral("SERVICIOS DE NO DOMICILIADOS POR TIPO DE RENTA")},
        {QStringLiteral("F582RTAFTEEXT"),
         QStringLiteral("RENTA DE FUENTE EXTRANJERA - IMPUESTO PAGADO EN EL EXTERIOR")},
    };
    return table;
}

const QHash<QString, QString>& totalLabels() {
    static const QHash<QString, QString> table = {
        {QStringLiteral("F544ADICDEDUC:103"), QStringLiteral("TOTAL ADICIONES")},
        {QStringLiteral("F544ADICDEDUC:105"), QStringLiteral("TOTAL DEDUCCIONES")},
        {QStringLiteral("ACTA:4"), QStringLiteral("TOTAL IMPORTE")},
    };
    return table;
}

// The column that splits a table into several sections.
QString groupColumn(const store::TableDef& def) {
    if (def.name == QLatin1String("ACTA")) {
        return QStringLiteral("TIPO_ASIST");
    }
    if (def.name == QLatin1String("F542OPERFIN")) {
        return QStringLiteral("ind_tipo_oper");
    }
    if (def.name == QLatin1String("F572DETBAS")) {
        return QStringLiteral("CAS_ADI||'-'||CAS_DET"); // the addition and the assistant of its detail
    }
    for (const store::ColumnDef& column : def.columns) {
        if (column.name.compare(QLatin1String("CASILLA"), Qt::CaseInsensitive) == 0) {
            return column.name;
        }
    }
    return {};
}

// The tables in the order their sections print: the annexes named first, then every other
// annex of the catalogue, then the assistants.
QList<const store::TableDef*> printOrder() {
    static const QStringList first = {
        QStringLiteral("F535SOCIOS"),   QStringLiteral("F535MERMAS"),   QStringLiteral("F535DESMEDROS"),
        QStringLiteral("F535REGALIAS"), QStringLiteral("F535PEREXTRA"), QStringLiteral("F542OPERFIN"),
        QStringLiteral("F542DESUSO"),   QStringLiteral("F582ALQUILER"), QStringLiteral("F542REOEMP"),
        QStringLiteral("F584VEHIC"),    QStringLiteral("F584GASINV"),   QStringLiteral("F582COLDET"),
        QStringLiteral("F572GASREP"),   QStringLiteral("F586DONAC"),    QStringLiteral("F586IDERTA"),
        QStringLiteral("F582NODOMIC"),  QStringLiteral("F582EXPORTA")};
    static const QStringList last = {QStringLiteral("F544ADICDEDUC"), QStringLiteral("F540DISLEG"),
                                     QStringLiteral("ACTA"),          QStringLiteral("F535MOV_IME"),
                                     QStringLiteral("F535MOVDA_IME"), QStringLiteral("F572DETBAS")};
    const auto& catalog = store::TableCatalog::instance();
    QList<const store::TableDef*> order;
    for (const QString& name : first) {
        order.append(&catalog.table(name));
    }
    for (const store::TableDef& def : catalog.tables()) {
        const bool printable = def.declaration && def.permanent && def.history && def.name != QLatin1String("CAB") &&
                               def.name != QLatin1String("DET");
        if (printable && !first.contains(def.name) && !last.contains(def.name)) {
            order.append(&def);
        }
    }
    for (const QString& name : last) {
        order.append(&catalog.table(name));
    }
    return order;
}

bool hidden(const QString& table, const QString& column, const QString& group) {
    static const QStringList names = {QStringLiteral("TIP_DOC_D"),       QStringLiteral("DOC_ID_D"),
                                      QStringLiteral("PERIODO"),         QStringLiteral("FORMULARIO"),
                                      QStringLiteral("SEMANA"),          store::TableCatalog::kCheckColumn,
                                      store::TableCatalog::kCorrelColumn};
    // Columns that only say which section the row belongs to, which its title already says.
    static const QStringList sectionColumns = {QStringLiteral("F572DETBAS.CAS_ADI"),
                                               QStringLiteral("F572DETBAS.CAS_DET"), QStringLiteral("F572DETBAS.tipo"),
                                               QStringLiteral("F582BALANCE.plan")};
    return names.contains(column, Qt::CaseInsensitive) || column.compare(group, Qt::CaseInsensitive) == 0 ||
           sectionColumns.contains(table + QLatin1Char('.') + column, Qt::CaseInsensitive);
}

// Headings of the columns that no window of the system shows (they are kept by assistants,
// imports or the casilla lists), as the printed detail calls them.
const QHash<QString, QString>& ownHeadings() {
    static const QHash<QString, QString> table = {
        {QStringLiteral("F572DETBAS.per_mes"), QStringLiteral("Mes")},
        {QStringLiteral("F572DETBAS.num_correl"), QStringLiteral("N°")},
        {QStringLiteral("F572DETBAS.des_detalle"), QStringLiteral("Detalle")},
        {QStringLiteral("F572DETBAS.mto_base"), QStringLiteral("Base del mes")},
        {QStringLiteral("F572DETBAS.mto_monto"), QStringLiteral("Importe del mes")},
        {QStringLiteral("F535INVEXT.num_correl"), QStringLiteral("N°")},
        {QStringLiteral("F535INVEXT.des_emp_ext"), QStringLiteral("Empresa del exterior")},
        {QStringLiteral("F535INVEXT.cod_pais"), QStringLiteral("País")},
        {QStringLiteral("F535INVEXT.cod_vinc"), QStringLiteral("Vinculación")},
        {QStringLiteral("F535INVEXT.tipo_oper"), QStringLiteral("Tipo de operación")},
        {QStringLiteral("F535INVEXT.mto_porc"), QStringLiteral("Porcentaje")},
        {QStringLiteral("F535INVEXT.mto_saldo"), QStringLiteral("Saldo")},
        {QStringLiteral("F535FIDEICO.num_correl"), QStringLiteral("N°")},
        {QStringLiteral("F535FIDEICO.tip_doc_fideicomitente"), QStringLiteral("Tipo doc. fideicomitente")},
        {QStringLiteral("F535FIDEICO.nro_doc_fideicomitente"), QStringLiteral("Nro. doc. fideicomitente")},
        {QStringLiteral("F535FIDEICO.des_fideicomitente"), QStringLiteral("Fideicomitente")},
        {QStringLiteral("F535FIDEICO.tip_doc_fiduciaria"), QStringLiteral("Tipo doc. fiduciaria")},
        {QStringLiteral("F535FIDEICO.nro_doc_fiduciaria"), QStringLiteral("Nro. doc. fiduciaria")},
        {QStringLiteral("F535FIDEICO.des_fiduciaria"), QStringLiteral("Empresa fiduciaria")},
        {QStringLiteral("F535FIDEICO.tip_doc_fideicomisario"), QStringLiteral("Tipo doc. fideicomisario")},
        {QStringLiteral("F535FIDEICO.nro_doc_fideicomisario"), QStringLiteral("Nro. doc. fideicomisario")},
        {QStringLiteral("F535FIDEICO.des_fideicomisario"), QStringLiteral("Fideicomisario")},
        {QStringLiteral("F535FIDEICO.tip_patrimonio"), QStringLiteral("Tipo de patrimonio")},
        {QStringLiteral("F535FIDEICO.mto_saldo"), QStringLiteral("Saldo")},
        {QStringLiteral("F544ADICDEDUC.num_correl"), QStringLiteral("N°")},
        {QStringLiteral("F544ADICDEDUC.ind_tipo"), QStringLiteral("Tipo (T/P)")},
        {QStringLiteral("F544ADICDEDUC.des_concepto"), QStringLiteral("Concepto")},
        {QStringLiteral("F544ADICDEDUC.mto_base_cont"), QStringLiteral("Base contable")},
        {QStringLiteral("F544ADICDEDUC.mto_base_trib"), QStringLiteral("Base tributaria")},
        {QStringLiteral("F544ADICDEDUC.MTO_ADIC_DEDUC"), QStringLiteral("Importe")},
        {QStringLiteral("F540DISLEG.num_correl"), QStringLiteral("N°")},
        {QStringLiteral("F540DISLEG.des_concepto"), QStringLiteral("Concepto")},
        {QStringLiteral("F540DISLEG.mto_peru"), QStringLiteral("Fuente peruana")},
        {QStringLiteral("F540DISLEG.mto_extranjero"), QStringLiteral("Fuente extranjera")},
        {QStringLiteral("F582OTRGAS.num_correl"), QStringLiteral("N°")},
        {QStringLiteral("F582OTRGAS.des_concepto"), QStringLiteral("Concepto")},
        {QStringLiteral("F582OTRGAS.mto_peru"), QStringLiteral("Fuente peruana")},
        {QStringLiteral("F582OTRGAS.mto_extranjero"), QStringLiteral("Fuente extranjera")},
        {QStringLiteral("F535MOV_IME.num_fila"), QStringLiteral("Concepto")},
        {QStringLiteral("F535MOVDA_IME.num_fila"), QStringLiteral("Concepto")},
        {QStringLiteral("F535MOVDA_IME.porc_dep"), QStringLiteral("% de depreciación")},
        {QStringLiteral("F535GNDOMRRTA.num_correl"), QStringLiteral("N°")},
        {QStringLiteral("F535GNDOMRRTA.Cod_denom"), QStringLiteral("Tipo de servicio")},
        {QStringLiteral("F535GNDOMRRTA.mto_gasto_costo"), QStringLiteral("Gasto o costo")},
        {QStringLiteral("F535GNDOMRRTA.mto_base"), QStringLiteral("Base")},
        {QStringLiteral("F535GNDOMRRTA.mto_retenc"), QStringLiteral("Retención")},
        {QStringLiteral("F535GNDOMRRTA.mto_tasa"), QStringLiteral("Tasa")},
        {QStringLiteral("F535DETVAR.num_correl"), QStringLiteral("N°")},
        {QStringLiteral("F535DETVAR.tip_doc"), QStringLiteral("Tipo de documento")},
        {QStringLiteral("F535DETVAR.nro_doc"), QStringLiteral("Número de documento")},
        {QStringLiteral("F535DETVAR.des_detalle"), QStringLiteral("Detalle")},
        {QStringLiteral("F535DETVAR.mto_detalle"), QStringLiteral("Importe")},
        {QStringLiteral("F582RTAFTEEXT.tip_doc_ext"), QStringLiteral("Tipo de documento")},
        {QStringLiteral("F582RTAFTEEXT.DOC_ID_EXT"), QStringLiteral("Número de documento")},
        {QStringLiteral("F582RTAFTEEXT.cod_pais"), QStringLiteral("País")},
        {QStringLiteral("F582RTAFTEEXT.mto_impuesto"), QStringLiteral("Impuesto pagado")},
        {QStringLiteral("F582RTAFTEEXT.mto_alicuota"), QStringLiteral("Alícuota")},
        {QStringLiteral("F586PAR.num_correl"), QStringLiteral("N°")},
        {QStringLiteral("F586PAR.cod_operacion"), QStringLiteral("Operación")},
        {QStringLiteral("F586PAR.tip_doc"), QStringLiteral("Tipo de documento")},
        {QStringLiteral("F586PAR.nro_doc"), QStringLiteral("Número de documento")},
        {QStringLiteral("F586PAR.des_razon"), QStringLiteral("Razón social")},
        {QStringLiteral("F586PAR.cod_pais"), QStringLiteral("País")},
        {QStringLiteral("F586PAR.mto_operacion"), QStringLiteral("Importe de la operación")},
        {QStringLiteral("F586PAR.cod_metodo"), QStringLiteral("Método")},
        {QStringLiteral("F512PDET.PER_PAG"), QStringLiteral("Periodo")},
        {QStringLiteral("F512PDET.i_valor"), QStringLiteral("Importe")},
        {QStringLiteral("F4170DET.tipo_doc"), QStringLiteral("Tipo de documento")},
        {QStringLiteral("F4170DET.nro_doc"), QStringLiteral("Número de documento")},
        {QStringLiteral("F4170DET.tip_renta"), QStringLiteral("Tipo de renta")},
        {QStringLiteral("F4170DET.CASILLA"), QStringLiteral("Mes")},
        {QStringLiteral("F4170DET.i_valor"), QStringLiteral("Gasto del mes")},
        {QStringLiteral("ACTA.factor"), QStringLiteral("Coeficiente")},
        {QStringLiteral("F542OPERFIN.correl_cont"), QStringLiteral("N° de contrato")},
        {QStringLiteral("F584CREDITOS.correl_norma"), QStringLiteral("N°")},
        {QStringLiteral("F584CREDITOS.tipo"), QStringLiteral("Tipo")},
        {QStringLiteral("F542OTRAS.correl_norma"), QStringLiteral("N°")},
        {QStringLiteral("F542OTRAS.tipo"), QStringLiteral("Tipo")},
        {QStringLiteral("F564ADMINH.nro_anexo"), QStringLiteral("N° de anexo")},
        {QStringLiteral("F564ADMINH.num_conc_lote"), QStringLiteral("Concesión o lote")},
        {QStringLiteral("F564DEMINH.nro_anexo"), QStringLiteral("N° de anexo")},
        {QStringLiteral("F564DEMINH.num_conc_lote"), QStringLiteral("Concesión o lote")},
        {QStringLiteral("F564MINERIA.nro_anexo"), QStringLiteral("N° de anexo")},
        {QStringLiteral("F540HIDROCAR.nro_anexo"), QStringLiteral("N° de anexo")},
        {QStringLiteral("F582COLDET.cod_contrato"), QStringLiteral("Contrato")},
        {QStringLiteral("F582COLCAB.cod_contrato"), QStringLiteral("Contrato")},
        {QStringLiteral("F582COLCAB.des_contrato"), QStringLiteral("Descripción del contrato")},
        {QStringLiteral("F582ALQUILER.tip_zona"), QStringLiteral("Tipo de zona")},
        {QStringLiteral("F582ALQUILER.des_zona"), QStringLiteral("Zona")},
        {QStringLiteral("F582ALQUILER.tip_via"), QStringLiteral("Tipo de vía")},
        {QStringLiteral("F582ALQUILER.des_via"), QStringLiteral("Vía")},
        {QStringLiteral("F582NODOMIC.tip_zona"), QStringLiteral("Tipo de zona")},
        {QStringLiteral("F582NODOMIC.des_zona"), QStringLiteral("Zona")},
        {QStringLiteral("F582NODOMIC.tip_via"), QStringLiteral("Tipo de vía")},
        {QStringLiteral("F582NODOMIC.des_via"), QStringLiteral("Vía")},
    };
    return table;
}

QString trimmedCaption(QString label) {
    label.remove(QLatin1Char('&'));
    label = label.simplified();
    while (label.endsWith(QLatin1Char(':'))) {
        label.chop(1);
        label = label.trimmed();
    }
    return label;
}

QString monthName(const QString& period) {
    static const QStringList months = {
        QStringLiteral("ENERO"),   QStringLiteral("FEBRERO"),   QStringLiteral("MARZO"),
        QStringLiteral("ABRIL"),   QStringLiteral("MAYO"),      QStringLiteral("JUNIO"),
        QStringLiteral("JULIO"),   QStringLiteral("AGOSTO"),    QStringLiteral("SETIEMBRE"),
        QStringLiteral("OCTUBRE"), QStringLiteral("NOVIEMBRE"), QStringLiteral("DICIEMBRE")};
    const int month = period.trimmed().right(2).toInt();
    return month >= 1 && month <= 12 ? months.at(month - 1) : period.trimmed();
}

QString cellText(const QVariant& value, ColumnType type, const QString& column) {
    if (value.isNull()) {
        return {};
    }
    const QString text = value.toString().trimmed();
    if (column.compare(QLatin1String("PER_PAG"), Qt::CaseInsensitive) == 0 ||
        column.compare(QLatin1String("per_mes"), Qt::CaseInsensitive) == 0) {
        return monthName(text);
    }
    switch (type) {
    case ColumnType::Currency:
        return app::formatNumber(app::val(text), app::masks::kSigned);
    case ColumnType::Date: {
        const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
        return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : text;
    }
    case ColumnType::Double:
        return app::numberText(value.toDouble());
    default:
        return text;
    }
}

// What the catalogues know of a table's columns: the caption of the field, grid or assistant
// that shows each one (its heading) and, for coded fields, the description of a code.
class ColumnDescriber {
public:
    ColumnDescriber(store::Database& db, const QString& table, const QString& group, QString periodo)
        : m_params(db), m_table(table), m_group(group), m_periodo(std::move(periodo)) {
        const QString working = QStringLiteral("TMP") + table;
        // Every window over the table (a vehicle and its substitute, say) names some of its columns.
        for (const annexes::AnnexDef& def : annexes::AnnexCatalog::instance().windows()) {
            if (def.table.compare(working, Qt::CaseInsensitive) == 0) {
                m_defs.append(&def);
            }
        }
        for (const annexes::MovementAssistantKind& kind : annexes::MovementAssistantKind::all()) {
            if (kind.table.compare(working, Qt::CaseInsensitive) == 0) {
                m_movement = &kind;
            }
        }
        for (const annexes::MonthAssistantKind& kind : annexes::MonthAssistantKind::all()) {
            if (table == QLatin1String("ACTA") && kind.type == group) {
                m_month = &kind;
            }
        }
    }

    QString heading(const QString& column) const {
        QString label;
        if (const annexes::AnnexField* field = fieldOf(column)) {
            label = trimmedCaption(field->label);
        }
        if (label.isEmpty() && m_month != nullptr) {
            const qsizetype at = m_month->columns.indexOf(column);
            label = column.compare(QLatin1String("PER_PAG"), Qt::CaseInsensitive) == 0 ? m_month->monthCaption
                    : at >= 0                                                          ? m_month->captions.value(at)
                                                                                       : QString();
        }
        if (label.isEmpty() && m_movement != nullptr) {
            for (qsizetype c = 0; c < m_movement->columns.size(); ++c) {
                if (m_movement->columns.at(c).column.compare(column, Qt::CaseInsensitive) == 0) {
                    label = m_movement->heading(static_cast<int>(c), m_periodo);
                }
            }
        }
        const QString working = QStringLiteral("TMP") + m_table;
        for (const annexes::CasillaListDef& list : annexes::CasillaListCatalog::lists()) {
            if (label.isEmpty() && list.table.compare(working, Qt::CaseInsensitive) == 0) {
                for (const annexes::AnnexGridColumn& grid : list.columns) {
                    if (grid.field.compare(column, Qt::CaseInsensitive) == 0) {
                        label = trimmedCaption(grid.heading);
                    }
                }
            }
        }
        for (const declaration::ControlDef& control : declaration::FormControls::instance().all()) {
            if (label.isEmpty() && control.kind == declaration::ControlKind::Grid &&
                control.table.compare(working, Qt::CaseInsensitive) == 0) {
                for (const declaration::GridColumn& grid : control.columns) {
                    if (grid.field.compare(column, Qt::CaseInsensitive) == 0) {
                        label = trimmedCaption(grid.heading);
                    }
                }
            }
        }
        if (label.isEmpty()) {
            for (auto it = ownHeadings().cbegin(); it != ownHeadings().cend(); ++it) {
                if (it.key().compare(m_table + QLatin1Char('.') + column, Qt::CaseInsensitive) == 0) {
                    label = it.value();
                }
            }
        }
        label.replace(QStringLiteral("{periodo}"), m_periodo);
        return label;
    }

    // Whether the column holds codes that print as descriptions.
    bool coded(const QString& column) const {
        const annexes::AnnexField* field = fieldOf(column);
        return (field != nullptr &&
                (field->kind == annexes::FieldKind::DocType || field->kind == annexes::FieldKind::Option ||
                 field->kind == annexes::FieldKind::Check || !field->param.isEmpty() || !field->items.isEmpty())) ||
               (m_movement != nullptr && column.compare(QLatin1String("num_fila"), Qt::CaseInsensitive) == 0);
    }

    // The description of a coded value, or the value itself.
    QString describe(const QString& column, const QString& value) {
        if (m_movement != nullptr && column.compare(QLatin1String("num_fila"), Qt::CaseInsensitive) == 0) {
            const int line = value.toInt();
            const QStringList& labels = annexes::MovementAssistantKind::lineLabels();
            return line >= 1 && line <= labels.size() ? labels.at(line - 1) : value;
        }
        const annexes::AnnexField* field = fieldOf(column);
        if (field == nullptr || value.isEmpty()) {
            return value;
        }
        const QString key = column + QLatin1Char('|') + value;
        if (const auto cached = m_cache.constFind(key); cached != m_cache.constEnd()) {
            return *cached;
        }
        QString text = value;
        if (field->kind == annexes::FieldKind::DocType) {
            text = m_params.DocTypeName(value, false).trimmed();
        } else if (field->kind == annexes::FieldKind::Option || field->kind == annexes::FieldKind::Check) {
            text = value == QLatin1String("1") ? QStringLiteral("Sí") : QStringLiteral("No");
        } else if (!field->param.isEmpty()) {
            text = m_params.ParamSlice(field->param, value, field->paramStart, field->paramLength).trimmed();
        } else {
            for (const auto& [code, description] : field->items) {
                if (code == value) {
                    text = description;
                }
            }
        }
        text = text.isEmpty() ? value : text;
        m_cache.insert(key, text);
        return text;
    }

private:
    const annexes::AnnexField* fieldOf(const QString& column) const {
        for (const annexes::AnnexDef* def : m_defs) {
            for (const annexes::AnnexField& field : def->fields) {
                if (field.column.compare(column, Qt::CaseInsensitive) == 0) {
                    return &field;
                }
            }
        }
        return nullptr;
    }

    store::ParamLookups m_params;
    QString m_table;
    QString m_group;
    QString m_periodo;
    QList<const annexes::AnnexDef*> m_defs;
    const annexes::MovementAssistantKind* m_movement = nullptr;
    const annexes::MonthAssistantKind* m_month = nullptr;
    QHash<QString, QString> m_cache;
};

// Narrows the widest text column (its cells then wrap) until the line fits the sheet; numbers
// are never narrowed.
int longestWord(const QString& text);

void fit(AnnexSection& section, int available) {
    // The least a text column may take: its heading's longest word, its values' longest word
    // (up to 20) and 8.
    QList<int> least;
    for (qsizetype c = 0; c < section.widths.size(); ++c) {
        int longestValue = 0;
        for (const QStringList& row : section.rows) {
            longestValue = std::max(longestValue, longestWord(row.value(c)));
            if (longestValue >= 20) {
                break;
            }
        }
        least.append(std::max({8, longestWord(section.headings.value(c)), std::min(longestValue, 20)}));
    }
    while (section.lineWidth() > available) {
        int widest = -1;
        for (int c = 0; c < section.widths.size(); ++c) {
            if (!section.numeric.at(c) && section.widths.at(c) > least.at(c) &&
                (widest < 0 || section.widths.at(c) > section.widths.at(widest))) {
                widest = c;
            }
        }
        if (widest < 0) {
            break;
        }
        --section.widths[widest];
    }
}

// Columns left blank in every row (amounts at zero in every row) print nothing but their
// heading: they are left out.
void dropEmptyColumns(QStringList& columns, QList<ColumnType>& types, QList<QStringList>& rows) {
    for (qsizetype c = columns.size() - 1; c >= 0; --c) {
        const bool amount = types.at(c) == ColumnType::Currency;
        const bool empty = std::all_of(rows.cbegin(), rows.cend(), [c, amount](const QStringList& row) {
            const QString cell = row.at(c).trimmed();
            return cell.isEmpty() || (amount && cell == QLatin1String("0"));
        });
        if (empty && columns.size() > 1) {
            columns.removeAt(c);
            types.removeAt(c);
            for (QStringList& row : rows) {
                row.removeAt(c);
            }
        }
    }
}

int longestWord(const QString& text) {
    int longest = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        longest = std::max(longest, static_cast<int>(word.size()));
    }
    return longest;
}

// The width of a column: its widest value, and room for its heading in at most three lines.
int columnWidth(const QString& heading, int valueWidth) {
    const int headingRoom = std::max({longestWord(heading), static_cast<int>((heading.size() + 2) / 3),
                                      std::min(static_cast<int>(heading.size()), 12)});
    return std::max(valueWidth, headingRoom);
}

QString sectionTitle(const store::TableDef& def, const QString& group) {
    const QString key = def.name + (group.isEmpty() ? QString() : QLatin1Char(':') + group);
    QString title = titles().value(key, titles().value(def.name));
    if (!title.isEmpty()) {
        return title;
    }
    if (def.name == QLatin1String("F572DETBAS")) {
        // The monthly detail of an addition: the assistant that keeps it names it.
        const QString addition = group.section(QLatin1Char('-'), 0, 0);
        const QString detail = group.section(QLatin1Char('-'), 1);
        for (const annexes::AssistantDef& assistant : annexes::AssistantCatalog::instance().all()) {
            if (assistant.months.casAdi == addition && assistant.months.casDet == detail) {
                return QStringLiteral("DETALLE DE LA CASILLA %1 - %2")
                    .arg(addition, assistant.caption.arg(detail).toUpper());
            }
        }
        return QStringLiteral("DETALLE DE LA CASILLA %1 - CASILLA %2").arg(addition, detail);
    }
    if (!group.isEmpty() && groupColumn(def) == QLatin1String("CASILLA")) {
        // Rows a casilla's list window keeps: the window's caption for that casilla names them.
        for (const annexes::CasillaListDef& list : annexes::CasillaListCatalog::lists()) {
            if (list.table.compare(QStringLiteral("TMP") + def.name, Qt::CaseInsensitive) == 0 &&
                list.captions.contains(group.toInt())) {
                const QString caption = trimmedCaption(list.captionFor(group.toInt()));
                if (caption.startsWith(QLatin1String("Asistente"), Qt::CaseInsensitive)) {
                    break; // says no more than the casilla's own label below
                }
                if (!caption.isEmpty()) {
                    return caption.contains(group) ? caption.toUpper()
                                                   : QStringLiteral("DETALLE DE LA CASILLA ") + group +
                                                         QStringLiteral(" - ") + caption.toUpper();
                }
            }
        }
        const declaration::CasillaDef* casilla = declaration::CasillaCatalog::instance().find(group.toInt());
        const QString label = casilla != nullptr ? trimmedCaption(casilla->label).toUpper() : QString();
        return QStringLiteral("ASISTENTE DE LA CASILLA ") + group +
               (label.isEmpty() ? QString() : QStringLiteral(" (") + label + QLatin1Char(')'));
    }
    const QString working = QStringLiteral("TMP") + def.name;
    for (const annexes::AnnexDef& window : annexes::AnnexCatalog::instance().windows()) {
        if (window.table.compare(working, Qt::CaseInsensitive) == 0 && !window.caption.isEmpty()) {
            return window.caption.simplified().toUpper();
        }
    }
    return QStringLiteral("DETALLE DEL ANEXO");
}

AnnexSection makeSection(const store::TableLayout& layout, const QString& group, QStringList columns,
                         QList<ColumnType> types, QList<QStringList> rows, const ColumnDescriber& describer) {
    dropEmptyColumns(columns, types, rows);
    const QString key = layout.def->name + (group.isEmpty() ? QString() : QLatin1Char(':') + group);
    AnnexSection section;
    section.table = layout.def->name;
    section.group = group;
    section.title = sectionTitle(*layout.def, group);
    for (const QString& column : columns) {
        QString heading = describer.heading(column);
        if (heading.isEmpty()) { // a column no catalogue names (a test keeps this from happening)
            heading = column.toUpper();
            heading.replace(QLatin1Char('_'), QLatin1Char(' '));
        }
        section.headings.append(heading);
    }
    section.rows = rows;
    bool anyAmount = false;
    QList<double> sums(columns.size(), 0.0);
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const bool amount = types.at(c) == ColumnType::Currency;
        anyAmount = anyAmount || amount;
        // Numbers and dates align right and are never wrapped.
        section.numeric.append(!describer.coded(columns.at(c)) &&
                               (amount || types.at(c) == ColumnType::Double || types.at(c) == ColumnType::Integer ||
                                types.at(c) == ColumnType::Date));
        int width = 0;
        for (const QStringList& row : rows) {
            width = std::max(width, static_cast<int>(row.at(c).size()));
            if (amount) {
                sums[c] += app::readAmount(row.at(c));
            }
        }
        width = columnWidth(section.headings.at(c), width);
        section.widths.append(section.numeric.last() ? width : std::min(width, AnnexSections::kMaxColumnWidth));
    }
    if (anyAmount) {
        section.totalLabel = totalLabels().value(key, QStringLiteral("TOTAL"));
        for (qsizetype c = 0; c < columns.size(); ++c) {
            section.totals.append(
                types.at(c) == ColumnType::Currency ? app::formatNumber(sums.at(c), app::masks::kSigned) : QString());
            section.widths[c] = std::max(section.widths.at(c), static_cast<int>(section.totals.last().size()));
        }
    }
    section.landscape =
        layout.def->name == QLatin1String("F582ALQUILER") || section.lineWidth() > AnnexSections::kPortraitWidth;
    fit(section, section.landscape ? AnnexSections::kLandscapeWidth : AnnexSections::kPortraitWidth);
    return section;
}

// A section too wide for the sheet across prints in bands: each band repeats the first two
// columns (what identifies the row) and takes as many of the others as fit.
QList<AnnexSection> bands(const AnnexSection& section) {
    if (section.lineWidth() <= AnnexSections::kLandscapeWidth || section.widths.size() <= 3) {
        return {section};
    }
    const qsizetype kept = 2;
    QList<QList<qsizetype>> groups;
    QList<qsizetype> current;
    int width = 0;
    for (qsizetype c = 0; c < kept; ++c) {
        width += section.widths.at(c) + 1;
    }
    const int identity = width;
    for (qsizetype c = kept; c < section.widths.size(); ++c) {
        if (!current.isEmpty() && width + section.widths.at(c) > AnnexSections::kLandscapeWidth) {
            groups.append(current);
            current.clear();
            width = identity;
        }
        current.append(c);
        width += section.widths.at(c) + 1;
    }
    groups.append(current);
    QList<AnnexSection> result;
    for (qsizetype g = 0; g < groups.size(); ++g) {
        QList<qsizetype> columns = {0, 1};
        columns.append(groups.at(g));
        AnnexSection band = section;
        band.title = section.title + QStringLiteral(" (%1 de %2)").arg(g + 1).arg(groups.size());
        const auto pick = [&columns](const QStringList& all) {
            QStringList picked;
            for (qsizetype c : columns) {
                picked.append(all.value(c));
            }
            return picked;
        };
        band.headings = pick(section.headings);
        band.spans = section.spans.isEmpty() ? QStringList() : pick(section.spans);
        band.totals = section.totals.isEmpty() ? QStringList() : pick(section.totals);
        band.widths.clear();
        band.numeric.clear();
        for (qsizetype c : columns) {
            band.widths.append(section.widths.at(c));
            band.numeric.append(section.numeric.at(c));
        }
        band.rows.clear();
        for (const QStringList& row : section.rows) {
            band.rows.append(pick(row));
        }
        band.landscape = true;
        result.append(band);
    }
    return result;
}

QString stored(const store::SqlFilter& filter, store::Database& db, const QString& table, int casilla) {
    QVariantList values = filter.values;
    values.append(QString::number(casilla));
    return db
        .scalar(QStringLiteral("SELECT i_valor FROM ") + table + filter.text + QStringLiteral(" AND CASILLA=?"), values)
        .toString()
        .trimmed();
}

// The loss compensation of casilla 108, kept as box-less casillas of its assistant: one line per
// system and year with an amount.
std::optional<AnnexSection> lossCompensation(store::Database& db, const store::DeclarationKey& key,
                                             const std::optional<QString>& correl) {
    const annexes::AssistantDef* assistant =
        annexes::AssistantCatalog::instance().find(QStringLiteral("frmAnexo108"), 108);
    if (assistant == nullptr) {
        return std::nullopt;
    }
    const store::SqlFilter filter = correl ? key.versionFilter(*correl) : key.filter();
    const QString table = correl ? QStringLiteral("HDET") : QStringLiteral("DET");
    AnnexSection section;
    section.table = QStringLiteral("DET");
    section.group = QStringLiteral("108");
    section.title = titles().value(QStringLiteral("frmAnexo108"));
    section.headings = {QStringLiteral("Sistema"), QStringLiteral("Concepto"), QStringLiteral("Importe")};
    section.numeric = {false, false, true};
    for (const annexes::AssistantField& field : assistant->fields) {
        if (field.casilla <= 0 || !field.stored) {
            continue;
        }
        const QString value = stored(filter, db, table, field.casilla);
        if (app::val(value) != 0) {
            section.rows.append({field.group, field.label, app::formatNumber(app::val(value), app::masks::kSigned)});
        }
    }
    if (section.rows.isEmpty()) {
        return std::nullopt;
    }
    section.widths = {0, 0, 0};
    for (const QStringList& row : section.rows) {
        for (int c = 0; c < 3; ++c) {
            section.widths[c] = std::max(section.widths.at(c), static_cast<int>(row.at(c).size()));
        }
    }
    for (int c = 0; c < 3; ++c) {
        section.widths[c] = columnWidth(section.headings.at(c), section.widths.at(c));
    }
    section.rows.append({QString(), QStringLiteral("Casilla 108"), [&] {
                             const QString total = stored(filter, db, table, 108);
                             return app::formatNumber(app::val(total), app::masks::kSigned);
                         }()});
    fit(section, AnnexSections::kPortraitWidth);
    return section;
}

// The trial balance: the accounts with an amount in code order, with their full code and
// description and the sixteen columns in two bands across the sheet (the balances and
// movements, then the transfers, adjustments and results), each band with its totals.
QList<AnnexSection> trialBalance(store::Database& db, const store::DeclarationKey& key,
                                 const std::optional<QString>& correl) {
    const auto& catalog = store::TableCatalog::instance();
    const store::TableLayout layout =
        catalog.layout(QStringLiteral("F582BALANCE"), correl ? store::Copy::History : store::Copy::Permanent);
    const store::SqlFilter filter = correl ? key.versionFilter(*correl) : key.filter();
    QStringList amounts;
    for (const store::ColumnDef& column : layout.columns) {
        if (column.type == ColumnType::Currency) {
            amounts.append(column.name);
        }
    }
    QSqlQuery query = db.run(QStringLiteral("SELECT Codigo, Descrip, ") + amounts.join(QLatin1Char(',')) +
                                 QStringLiteral(" FROM ") + layout.name + filter.text,
                             filter.values);
    QList<QStringList> rows;
    QList<QList<double>> values;
    while (query.next()) {
        QList<double> row;
        bool any = false;
        for (int c = 0; c < amounts.size(); ++c) {
            row.append(app::val(query.value(c + 2).toString()));
            any = any || row.last() != 0;
        }
        if (any) {
            rows.append({query.value(0).toString().trimmed(), query.value(1).toString().simplified()});
            values.append(row);
        }
    }
    if (rows.isEmpty()) {
        return {};
    }
    QList<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&rows](int a, int b) { return rows.at(a).at(0) < rows.at(b).at(0); });

    // The headings of the trial balance grid: "Saldos Iniciales Debe" is the pair's heading and
    // its side.
    const declaration::ControlDef* grid =
        declaration::FormControls::instance().find(declaration::controls::kTrialBalanceGrid);
    const auto captionOf = [grid, &key](const QString& column) {
        QString caption;
        if (grid != nullptr) {
            for (const declaration::GridColumn& c : grid->columns) {
                if (c.field.compare(column, Qt::CaseInsensitive) == 0) {
                    caption = trimmedCaption(c.heading);
                }
            }
        }
        caption.replace(QStringLiteral("{periodo}"), key.periodo);
        return caption;
    };
    const int band = static_cast<int>(amounts.size() + 1) / 2;
    QList<AnnexSection> sections;
    for (int part = 0; part * band < amounts.size(); ++part) {
        AnnexSection section;
        section.table = QStringLiteral("F582BALANCE");
        section.group = QString::number(part + 1);
        section.title = titles().value(QStringLiteral("F582BALANCE")) + QStringLiteral(" HISTORICO AL 31/12/") +
                        key.periodo + QStringLiteral(" (%1 de 2)").arg(part + 1);
        section.headings = {trimmedCaption(captionOf(QStringLiteral("Codigo"))),
                            trimmedCaption(captionOf(QStringLiteral("Descrip")))};
        section.spans = {QString(), QString()};
        section.numeric = {false, false};
        const int first = part * band;
        const int last = std::min(static_cast<int>(amounts.size()), first + band);
        QList<double> sums(last - first, 0.0);
        for (int index : order) {
            QStringList row = rows.at(index);
            for (int c = first; c < last; ++c) {
                row.append(app::formatNumber(values.at(index).at(c), app::masks::kSigned));
                sums[c - first] += values.at(index).at(c);
            }
            section.rows.append(row);
        }
        section.totalLabel = QStringLiteral("TOTALES");
        section.totals = {QString(), QString()};
        for (int c = first; c < last; ++c) {
            const QString caption = captionOf(amounts.at(c));
            const qsizetype space = caption.lastIndexOf(QLatin1Char(' '));
            section.spans.append(space > 0 ? caption.left(space) : QString());
            section.headings.append(space > 0 ? caption.mid(space + 1) : caption);
            section.numeric.append(true);
            section.totals.append(app::formatNumber(sums.at(c - first), app::masks::kSigned));
        }
        for (qsizetype c = 0; c < section.headings.size(); ++c) {
            int width = static_cast<int>(section.headings.at(c).size());
            for (const QStringList& row : section.rows) {
                width = std::max(width, static_cast<int>(row.at(c).size()));
            }
            width = std::max(width, static_cast<int>(section.totals.at(c).size()));
            section.widths.append(c >= 2 ? std::max(width, 11) : width);
        }
        // The description takes what the amounts leave of the sheet.
        const int others = section.lineWidth() - section.widths.at(1);
        section.widths[1] = std::min(section.widths.at(1), std::max(20, AnnexSections::kLandscapeWidth - others));
        section.landscape = true;
        fit(section, AnnexSections::kLandscapeWidth);
        sections.append(section);
    }
    return sections;
}

} // namespace

int AnnexSection::lineWidth() const {
    int total = 0;
    for (int width : widths) {
        total += width;
    }
    return total + std::max(0, static_cast<int>(widths.size()) - 1);
}

QList<QStringList> AnnexSection::wrapCells(const QStringList& cells) const {
    QList<QStringList> lines;
    for (qsizetype c = 0; c < widths.size(); ++c) {
        const QString cell = cells.value(c);
        QStringList wrapped;
        if (numeric.value(c) || cell.size() <= widths.at(c)) {
            wrapped.append(cell);
        } else {
            QString line;
            for (QString word : cell.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                while (word.size() > widths.at(c)) {
                    if (!line.isEmpty()) {
                        wrapped.append(line);
                        line.clear();
                    }
                    wrapped.append(word.left(widths.at(c)));
                    word = word.mid(widths.at(c));
                }
                if (line.isEmpty()) {
                    line = word;
                } else if (line.size() + 1 + word.size() <= widths.at(c)) {
                    line += QLatin1Char(' ') + word;
                } else {
                    wrapped.append(line);
                    line = word;
                }
            }
            if (!line.isEmpty()) {
                wrapped.append(line);
            }
        }
        for (qsizetype l = 0; l < wrapped.size(); ++l) {
            while (lines.size() <= l) {
                lines.append(QStringList(widths.size(), QString()));
            }
            lines[l][c] = wrapped.at(l);
        }
    }
    if (lines.isEmpty()) {
        lines.append(QStringList(widths.size(), QString()));
    }
    return lines;
}

QStringList AnnexSection::formatLines(const QStringList& cells) const {
    QStringList lines;
    for (const QStringList& line : wrapCells(cells)) {
        lines.append(formatRow(line));
    }
    return lines;
}

QStringList AnnexSection::headingLines() const {
    QStringList lines;
    if (std::any_of(spans.cbegin(), spans.cend(), [](const QString& span) { return !span.isEmpty(); })) {
        // A heading over each run of columns that share it, centred over them and wrapped.
        QList<std::pair<int, QStringList>> runs; // the run's room and its heading's lines
        qsizetype most = 1;
        for (qsizetype c = 0; c < widths.size();) {
            qsizetype end = c + 1;
            int room = widths.at(c);
            while (end < widths.size() && !spans.value(c).isEmpty() && spans.value(end) == spans.value(c)) {
                room += 1 + widths.at(end);
                ++end;
            }
            AnnexSection one;
            one.widths = {room};
            one.numeric = {false};
            QStringList spanLines;
            for (const QStringList& line : one.wrapCells({spans.value(c)})) {
                spanLines.append(line.value(0));
            }
            most = std::max(most, spanLines.size());
            runs.append({room, spanLines});
            c = end;
        }
        for (qsizetype l = 0; l < most; ++l) {
            QStringList parts;
            for (const auto& [room, spanLines] : runs) {
                const QString span = spanLines.value(l);
                const int before = (room - static_cast<int>(span.size())) / 2;
                parts.append((QString(before, QLatin1Char(' ')) + span).leftJustified(room));
            }
            lines.append(parts.join(QLatin1Char(' ')));
        }
    }
    AnnexSection words = *this;
    std::fill(words.numeric.begin(), words.numeric.end(), false); // headings wrap in every column
    const QList<QStringList> wrapped = words.wrapCells(headings);
    for (const QStringList& line : wrapped) {
        QStringList aligned;
        for (qsizetype c = 0; c < widths.size(); ++c) {
            aligned.append(numeric.value(c) ? line.value(c).rightJustified(widths.at(c)) : line.value(c));
        }
        lines.append(formatRow(aligned));
    }
    return lines;
}

QString AnnexSection::formatRow(const QStringList& cells) const {
    QStringList parts;
    for (qsizetype c = 0; c < widths.size(); ++c) {
        const QString cell = cells.value(c).left(widths.at(c));
        parts.append(numeric.value(c) ? cell.rightJustified(widths.at(c)) : cell.leftJustified(widths.at(c)));
    }
    return parts.join(QLatin1Char(' '));
}

QList<AnnexSection> AnnexSections::read(store::Database& db, const store::DeclarationKey& key,
                                        const std::optional<QString>& correl) {
    const auto& catalog = store::TableCatalog::instance();
    const store::Copy copy = correl ? store::Copy::History : store::Copy::Permanent;
    const store::SqlFilter filter = correl ? key.versionFilter(*correl) : key.filter();
    QList<AnnexSection> sections;
    for (const store::TableDef* def : printOrder()) {
        if (def->name == QLatin1String("F582BALANCE")) {
            sections.append(trialBalance(db, key, correl));
            continue;
        }
        if (def->name == QLatin1String("F540DISLEG")) { // the 108 assistant prints between V and VI
            if (std::optional<AnnexSection> losses = lossCompensation(db, key, correl)) {
                sections.append(*losses);
            }
        }
        const store::TableLayout layout = catalog.layout(def->name, copy);
        const QString group = groupColumn(*def);
        ColumnDescriber describer(db, def->name, {}, key.periodo);
        QStringList columns;
        QList<ColumnType> types;
        for (const store::ColumnDef& column : layout.columns) {
            if (!hidden(def->name, column.name, group)) {
                columns.append(column.name);
                types.append(column.type);
            }
        }
        QString sql = QStringLiteral("SELECT ") + (group.isEmpty() ? QStringLiteral("''") : group) + QLatin1Char(',') +
                      columns.join(QLatin1Char(',')) + QStringLiteral(" FROM ") + layout.name + filter.text +
                      QStringLiteral(" ORDER BY rowid");
        QSqlQuery query = db.run(sql, filter.values);
        std::map<QString, QList<QStringList>> groups; // ordered by the group's text
        QStringList groupOrder;
        while (query.next()) {
            const QString groupValue = query.value(0).toString().trimmed();
            QStringList row;
            for (qsizetype c = 0; c < columns.size(); ++c) {
                row.append(describer.describe(
                    columns.at(c), cellText(query.value(static_cast<int>(c) + 1), types.at(c), columns.at(c))));
            }
            if (!groups.contains(groupValue)) {
                groupOrder.append(groupValue);
            }
            groups[groupValue].append(row);
        }
        std::sort(groupOrder.begin(), groupOrder.end(), [](const QString& a, const QString& b) {
            return a.toInt() != b.toInt() ? a.toInt() < b.toInt() : a < b;
        });
        for (const QString& groupValue : groupOrder) {
            const ColumnDescriber headings(db, def->name, groupValue, key.periodo);
            sections.append(bands(makeSection(layout, groupValue, columns, types, groups[groupValue], headings)));
        }
    }
    return sections;
}

} // namespace qel::printing
