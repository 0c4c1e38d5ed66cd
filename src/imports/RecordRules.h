#pragma once

#include "store/DeclarationKey.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <utility>

namespace qel::app {
class UtilityComponent;
}

namespace qel::store {
class Database;
}

namespace qel::imports {

class ImportLookups;

// What the checks of a record may read: the working tables of the declaration (the rows this
// import wrote so far included), the utility component's document checks and the casilla
// the import serves.
struct ImportContext {
    store::Database& db;
    store::DeclarationKey key;
    app::UtilityComponent& utility;
    QString casilla;                  // casilla kinds only
    ImportLookups* lookups = nullptr; // set by the importer for the length of an import

    // The first column of a query's first row; prepared once per import.
    QVariant scalar(const QString& sql, const QVariantList& values) const;
    bool checkDocumentNumber(int documentType, const QString& number) const;
    QString districtName(const QString& ubigeo) const; // empty when the code is unknown
};

using ColumnValues = QList<std::pair<QString, QVariant>>;

// One working-table row a record writes: found again by the declaration key and `key`.
struct TableRow {
    QString table;
    ColumnValues key;
    ColumnValues values;
};

// The particular rules of one import kind: the checks of a record in their order, the rows
// it writes and how the error report names it. The reading, the counting, the transaction
// and the report are the importer's, the same for every kind.
class RecordRules {
public:
    virtual ~RecordRules() = default;

    // Once before the first record, inside the import's transaction: rules that keep in memory
    // what they would otherwise look up in the working tables record by record read it here.
    virtual void begin(const ImportContext&) {}

    // The message of the first check the record fails; empty when it passes. A rule may
    // rewrite fields before the later checks (the consolidated partner).
    virtual QString check(QStringList& fields, const ImportContext& context) = 0;
    // The rows a valid record writes; the first decides whether it adds or modifies.
    virtual QList<TableRow> rows(const QStringList& fields, const ImportContext& context) const = 0;
    // Whether the working table already holds the row's key, when the rules keep the table's keys;
    // nothing lets the importer ask the table.
    virtual std::optional<bool> holds(const TableRow&) const { return std::nullopt; }
    // Each row the importer added or replaced, so that what the rules keep follows the table.
    virtual void written(const TableRow&, bool /*replaced*/) {}
    // The record's identifying fields as the error report shows them before the message.
    virtual QString identity(const QStringList& fields) const = 0;
    // The report line of a record that replaced an existing row.
    virtual QString modifiedMessage() const {
        return QStringLiteral("Ya existe el tipo y número de documento. Se está actualizando el existente");
    }
};

} // namespace qel::imports
