#pragma once

#include "store/ColumnType.h"

#include <QHash>
#include <QSqlQueryModel>

namespace qel::declaration {

// The rows of an annex grid of the form: the grid's query over the working table, shown the
// way the form shows values (amounts with thousands separators and right-aligned, dates as
// dd/mm/yyyy), by the column types the table catalogue gives.
class GridRows : public QSqlQueryModel {
    Q_OBJECT
public:
    // `table`: the working table the grid shows ("TMPF535SOCIOS").
    GridRows(const QString& table, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::optional<store::ColumnType> typeOf(int column) const;

    QHash<QString, store::ColumnType> m_types; // by lower-case column name
};

} // namespace qel::declaration
