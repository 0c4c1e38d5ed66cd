#include "declaration/ui/GridRows.h"

#include "app/NumberFormat.h"
#include "store/TableCatalog.h"

#include <QDate>
#include <QSqlRecord>

namespace qel::declaration {

GridRows::GridRows(const QString& table, QObject* parent) : QSqlQueryModel(parent) {
    if (const auto layout = store::TableCatalog::instance().resolve(table)) {
        for (const store::ColumnDef& column : layout->columns) {
            m_types.insert(column.name.toLower(), column.type);
        }
    }
}

std::optional<store::ColumnType> GridRows::typeOf(int column) const {
    const auto found = m_types.constFind(record().fieldName(column).toLower());
    if (found == m_types.cend()) {
        return std::nullopt;
    }
    return *found;
}

QVariant GridRows::data(const QModelIndex& index, int role) const {
    const QVariant value = QSqlQueryModel::data(index, role == Qt::TextAlignmentRole ? Qt::DisplayRole : role);
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole) {
        return value;
    }
    const std::optional<store::ColumnType> type = typeOf(index.column());
    const bool number =
        type == store::ColumnType::Currency || type == store::ColumnType::Double || type == store::ColumnType::Integer;
    if (role == Qt::TextAlignmentRole) {
        return number ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    }
    const QString text = value.toString().trimmed();
    if (value.isNull() || text.isEmpty()) {
        return value;
    }
    switch (type.value_or(store::ColumnType::Text)) {
    case store::ColumnType::Currency:
        return app::formatNumber(app::val(text), app::masks::kAmount);
    case store::ColumnType::Double:
        return app::formatNumber(app::val(text), QStringLiteral("###,###,##0.00"));
    case store::ColumnType::Date: {
        const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
        return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : value;
    }
    case store::ColumnType::Integer:
    case store::ColumnType::Text:
        break;
    }
    return value;
}

} // namespace qel::declaration
