#pragma once

#include "store/ColumnType.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace qel::store {

class SqlDialect;

// The three places a declaration lives: permanent, working (prefix TMP, the open
// declaration only) and history (prefix H, sent versions numbered by CORREL).
enum class Copy { Permanent, Working, History };

struct ColumnDef {
    QString name;
    ColumnType type = ColumnType::Text;
};

// One table of the shared database as the catalogue knows it.
struct TableDef {
    QString name;                   // base name, as the permanent copy is called
    QList<ColumnDef> columns;       // in physical order; cNumero last when the table is checked
    int keyCount = 0;               // leading key columns = split index of the row check code
    bool declaration = false;       // begins with TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO
    bool checked = false;           // ends with cNumero
    bool permanent = true;          // the permanent copy exists
    bool working = false;           // a TMP copy exists
    bool history = false;           // an H copy exists
    QList<ColumnDef> historyExtras; // columns only the H copy has, placed before cNumero
    QStringList uniqueColumns;      // unique index of the permanent copy; the H copy adds CORREL
    QString note;                   // how columns not shown by any window were completed
};

// One physical table: a copy of a catalogue table with its actual columns.
struct TableLayout {
    QString name;
    const TableDef* def = nullptr;
    Copy copy = Copy::Permanent;
    QList<ColumnDef> columns;
    int keyCount = 0; // split index for this copy (the H copy counts CORREL among its keys)

    QStringList columnNames() const;
    QList<ColumnType> columnTypes() const;
    int indexOf(const QString& column) const; // case-insensitive; -1 when absent
    bool hasColumn(const QString& column) const { return indexOf(column) >= 0; }
    bool checked() const { return def != nullptr && def->checked; }
};

class TableCatalog {
public:
    static const TableCatalog& instance();

    const QList<TableDef>& tables() const { return m_tables; }
    const TableDef* find(const QString& baseName) const; // case-insensitive
    // The table of a base name; an unknown name is a programming error (std::out_of_range).
    const TableDef& table(const QString& baseName) const;

    static QString physicalName(const QString& baseName, Copy copy);
    TableLayout layout(const QString& baseName, Copy copy) const;
    // "TMPF535SOCIOS", "HDET", "CAB" ... -> its layout; nothing for a name the catalogue lacks.
    std::optional<TableLayout> resolve(const QString& physicalName) const;
    QList<TableLayout> physicalTables() const;

    // The functions the SQL calls (on a server), then the CREATE TABLE and CREATE INDEX
    // statements of the whole database, in the engine's words.
    QStringList ddl(const SqlDialect& dialect) const;
    // The working (TMP) tables again as tables of one connection alone, with their indexes: made
    // on a connection, they hide the shared working tables of the same names from it, so that
    // the rows a session works on are its own and go with it.
    QStringList sessionWorkingDdl(const SqlDialect& dialect) const;

    static const QString kCheckColumn;  // "cNumero"
    static const QString kCorrelColumn; // "CORREL"

private:
    TableCatalog();
    QList<TableDef> m_tables;
};

} // namespace qel::store
