#pragma once

#include "catalogue/AnnexCatalog.h"
#include "store/ColumnType.h"
#include "store/DeclarationKey.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariantMap>
#include <memory>
#include <optional>
#include <utility>

namespace qel::app {
class FormOpener;
class Prompter;
} // namespace qel::app

namespace qel::store {
class Database;
class PreparedRows;
} // namespace qel::store

namespace qel::annexes {

// The rows of an annex grid: a statement over a working table, shown as the grid shows them
// (codes as their PARAM descriptions, amounts with thousands separators, dates dd/mm/yyyy),
// the selected row, a refresh that keeps the position, and the grid's commands (add, modify,
// delete with the annex's question) with the empty-grid and no-selection messages. The form's
// grids, the grids inside detail windows and the batch mode share it.
class AnnexGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `sql` with `values`: the statement that lists the rows (the grid's own, or one built by
    // rowsOf()); `table`: the working table whose column types format the values.
    AnnexGridModel(store::Database& db, QString table, QString sql, QVariantList values, QList<AnnexGridColumn> columns,
                   QObject* parent = nullptr);
    ~AnnexGridModel() override;

    // "SELECT * FROM table" for the declaration, narrowed by the grid's condition.
    static std::pair<QString, QVariantList> rowsOf(const AnnexGridDef& grid, const store::DeclarationKey& key);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Reads the rows again; the selected position is kept where it still exists (else the
    // last row). Throws store::DatabaseError.
    void refresh();
    void setStatement(const QString& sql, const QVariantList& values);

    // The row as shown, column by column.
    QStringList rowTexts(int row) const;
    // Every column of the row, by name (any case), as stored.
    QVariantMap rowValues(int row) const;
    QVariant rowValue(int row, const QString& column) const;

    int current() const { return m_current; } // -1 none
    void select(int row);                     // -1 clears

    // A value as a grid shows it, by its column type.
    static QString display(const QVariant& value, std::optional<store::ColumnType> type);

    // --- The grid's commands --------------------------------------------------------------
    static const QString kSelectToModify; // "Tiene que seleccionar el registro a modificar."
    static const QString kSelectToDelete; // "Tiene que seleccionar registro a eliminar."
    // The key values of the selected row for action 2, or nothing after the empty-grid or
    // no-selection message.
    std::optional<QStringList> keyForModify(const AnnexGridDef& grid, app::Prompter& prompter) const;
    // Deletes the selected row (and its dependants) after the annex's question, No being the
    // default, in one transaction. True when a row was deleted.
    bool removeSelected(const AnnexGridDef& grid, const store::DeclarationKey& key, app::Prompter& prompter,
                        const QString& title);

signals:
    void currentChanged(int row);

private:
    void loadDescriptions();
    QString cellText(int row, int column) const;

    store::Database& m_db;
    QString m_table;
    QString m_sql;
    QVariantList m_values;
    QList<AnnexGridColumn> m_columns;
    QStringList m_names;                           // the statement's column names
    std::unique_ptr<store::PreparedRows> m_reader; // the statement, prepared at the first read
    QList<QVariantList> m_rows;
    QHash<QString, std::optional<store::ColumnType>> m_types; // by lower-case column name
    QHash<QString, QHash<QString, QString>> m_descriptions;   // param -> code -> description
    int m_current = -1;
};

} // namespace qel::annexes
