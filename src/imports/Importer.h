#pragma once

#include "imports/ImportKind.h"
#include "imports/RecordRules.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace qel::store {
class StatementCache;
}

namespace qel::imports {

// What one record of the file did.
struct ImportOutcome {
    enum class Action { Added, Modified, Rejected };
    int line = 0;
    Action action = Action::Added;
    QString identity; // the record's identifying fields as the report shows them
    QString message;  // why it was rejected, or the note of a modified row
};

// What an import did (or, in a dry run, would do).
struct ImportResult {
    QString stop;      // a structural fault of the file: nothing was written
    QString limitStop; // partners: the 101st new partner; the rows before it stay
    QList<ImportOutcome> outcomes;
    int added = 0;
    int modified = 0;
    int rejected = 0;

    // Nothing rejected, nothing replaced: the load needs no report.
    bool clean() const { return stop.isEmpty() && rejected == 0 && modified == 0; }
    // The lines of the error report: the rejected and the modified records.
    QStringList reportLines() const;
    // "3  Registros Adicionados." and its two companions, as the window's labels show them.
    QStringList counters() const;
};

// The loader every import kind shares: reads the file's records, checks each with the kind's
// rules, adds or replaces rows of the working tables, and counts. The whole import is one
// transaction: a failure in the middle leaves the working tables as they were, and a dry run
// rolls back what it wrote once it has seen what the file would do.
class Importer {
public:
    static const QString kPartnerLimit; // "Solo deben registrarse los 100 principales socios"
    static const QString kAdded;        // "  Registros Adicionados."
    static const QString kRejected;     // "  Registros Rechazados."
    static const QString kModified;     // "  Registros Modificados."

    Importer(ImportContext context, const ImportKind& kind);

    // `write` false: a dry run. Throws store::DatabaseError when the database fails; nothing
    // is then written.
    ImportResult run(const QByteArray& fileBytes, bool write);

private:
    // Adds or replaces the record's rows; whether the first exists was asked already.
    void writeRows(RecordRules& rules, const QList<TableRow>& rows, bool firstExists);
    void update(const TableRow& row);
    void insert(const TableRow& row);
    bool exists(const RecordRules& rules, const TableRow& row);
    store::StatementCache& statements(); // the run's prepared statements
    // The statements that find, replace and add the rows of one table with the same columns.
    struct RowSql {
        QString table;
        QStringList columns; // the row's key columns, then its value columns
        QString exists;
        QString update;
        QString insert;
    };
    const RowSql& sqlFor(const TableRow& row);
    QVariantList keyValues(const TableRow& row) const;
    int rowCount();

    ImportContext m_context;
    const ImportKind& m_kind;
    QList<RowSql> m_sql;
    QVariantList m_declarationColumns; // the declaration key's columns that every added row begins with
};

} // namespace qel::imports
