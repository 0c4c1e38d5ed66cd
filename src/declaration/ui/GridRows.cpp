#include "declaration/ui/GridRows.h"

#include "annexes/AnnexGridModel.h"
#include "store/TableCatalog.h"

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
    if (value.isNull() || value.toString().trimmed().isEmpty()) {
        return value;
    }
    // The form's grids show values as every annex grid does.
    return annexes::AnnexGridModel::display(value, type);
}

} // namespace qel::declaration
