#include "printing/AnnexSections.h"

#include "annexes/AnnexCatalog.h"
#include "base/NumberFormat.h"
#include "store/Database.h"
#include "store/ParamLookups.h"
#include "store/TableCatalog.h"

#include <QDate>
#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <map>

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
        {QStringLiteral("ACTA:4"),
         QStringLiteral("XII.-  ASISTENTE DE LA CASILLA 128 (Pagos a cuenta mensuales del Ejercicio)")},
        {QStringLiteral("ACTA:7"), QStringLiteral("ASISTENTE DE LA CASILLA 126")},
        {QStringLiteral("ACTA:8"), QStringLiteral("ASISTENTE DE LA CASILLA 130")},
        {QStringLiteral("ACTA:9"), QStringLiteral("ASISTENTE DE LA CASILLA 131")},
        {QStringLiteral("F535MOV_IME:317"),
         QStringLiteral("IX.-  ASISTENTE DE LA CASILLA 317 (MOVIMIENTO DE INMUEBLES, MAQUINARIA Y  EQUIPO)")},
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
        return QStringLiteral("CAS_ADI");
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

bool hidden(const QString& column, const QString& group) {
    static const QStringList names = {QStringLiteral("TIP_DOC_D"),       QStringLiteral("DOC_ID_D"),
                                      QStringLiteral("PERIODO"),         QStringLiteral("FORMULARIO"),
                                      QStringLiteral("SEMANA"),          store::TableCatalog::kCheckColumn,
                                      store::TableCatalog::kCorrelColumn};
    return names.contains(column, Qt::CaseInsensitive) || column.compare(group, Qt::CaseInsensitive) == 0;
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
    if (column.compare(QLatin1String("PER_PAG"), Qt::CaseInsensitive) == 0) {
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

// What the annex catalogue knows of a table's columns: the caption of the field that writes
// each one (its heading) and, for coded fields, the description of a code.
class ColumnDescriber {
public:
    ColumnDescriber(store::Database& db, const QString& table) : m_params(db) {
        const QString working = QStringLiteral("TMP") + table;
        for (const annexes::AnnexDef& def : annexes::AnnexCatalog::instance().windows()) {
            if (def.table.compare(working, Qt::CaseInsensitive) == 0) {
                m_def = &def;
                break;
            }
        }
    }

    QString heading(const QString& column) const {
        const annexes::AnnexField* field = fieldOf(column);
        QString label = field != nullptr ? field->label.trimmed() : QString();
        while (label.endsWith(QLatin1Char(':'))) {
            label.chop(1);
            label = label.trimmed();
        }
        if (!label.isEmpty()) {
            return label;
        }
        label = column.toUpper();
        label.replace(QLatin1Char('_'), QLatin1Char(' '));
        return label.trimmed();
    }

    // Whether the column holds codes that print as descriptions.
    bool coded(const QString& column) const {
        const annexes::AnnexField* field = fieldOf(column);
        return field != nullptr &&
               (field->kind == annexes::FieldKind::DocType || field->kind == annexes::FieldKind::Option ||
                !field->param.isEmpty() || !field->items.isEmpty());
    }

    // The description of a coded value, or the value itself.
    QString describe(const QString& column, const QString& value) {
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
        } else if (field->kind == annexes::FieldKind::Option) {
            text = value == QLatin1String("1") ? QStringLiteral("Si") : QStringLiteral("No");
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
        if (m_def == nullptr) {
            return nullptr;
        }
        for (const annexes::AnnexField& field : m_def->fields) {
            if (field.column.compare(column, Qt::CaseInsensitive) == 0) {
                return &field;
            }
        }
        return nullptr;
    }

    store::ParamLookups m_params;
    const annexes::AnnexDef* m_def = nullptr;
    QHash<QString, QString> m_cache;
};

// Cuts the widest text column until the line fits the sheet; numbers are never cut.
void fit(AnnexSection& section, int available) {
    while (section.lineWidth() > available) {
        int widest = -1;
        for (int c = 0; c < section.widths.size(); ++c) {
            if (!section.numeric.at(c) && (widest < 0 || section.widths.at(c) > section.widths.at(widest))) {
                widest = c;
            }
        }
        if (widest < 0 || section.widths.at(widest) <= 4) {
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

AnnexSection makeSection(const store::TableLayout& layout, const QString& group, QStringList columns,
                         QList<ColumnType> types, QList<QStringList> rows, const ColumnDescriber& describer) {
    dropEmptyColumns(columns, types, rows);
    const QString key = layout.def->name + (group.isEmpty() ? QString() : QLatin1Char(':') + group);
    AnnexSection section;
    section.table = layout.def->name;
    section.group = group;
    section.title = titles().value(key, titles().value(layout.def->name));
    if (section.title.isEmpty()) {
        section.title = group.isEmpty() || groupColumn(*layout.def) != QLatin1String("CASILLA")
                            ? QStringLiteral("DETALLE DEL ANEXO ") + layout.def->name
                            : QStringLiteral("ASISTENTE DE LA CASILLA ") + group;
    }
    for (const QString& column : columns) {
        section.headings.append(describer.heading(column));
    }
    section.rows = rows;
    bool anyAmount = false;
    QList<double> sums(columns.size(), 0.0);
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const bool amount = types.at(c) == ColumnType::Currency;
        anyAmount = anyAmount || amount;
        section.numeric.append(!describer.coded(columns.at(c)) &&
                               (amount || types.at(c) == ColumnType::Double || types.at(c) == ColumnType::Integer));
        int width = 0;
        for (const QStringList& row : rows) {
            width = std::max(width, static_cast<int>(row.at(c).size()));
            if (amount) {
                sums[c] += app::readAmount(row.at(c));
            }
        }
        // A long caption takes no more room than the values need, or a dozen characters.
        width = std::max(width, std::min(static_cast<int>(section.headings.at(c).size()), std::max(width, 12)));
        section.widths.append(std::min(width, AnnexSections::kMaxColumnWidth));
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

} // namespace

int AnnexSection::lineWidth() const {
    int total = 0;
    for (int width : widths) {
        total += width;
    }
    return total + std::max(0, static_cast<int>(widths.size()) - 1);
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
        const store::TableLayout layout = catalog.layout(def->name, copy);
        const QString group = groupColumn(*def);
        ColumnDescriber describer(db, def->name);
        QStringList columns;
        QList<ColumnType> types;
        for (const store::ColumnDef& column : layout.columns) {
            if (!hidden(column.name, group)) {
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
            sections.append(makeSection(layout, groupValue, columns, types, groups[groupValue], describer));
        }
    }
    return sections;
}

} // namespace qel::printing
