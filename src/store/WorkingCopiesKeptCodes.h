#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

struct sqlite3;
struct sqlite3_context;
struct sqlite3_value;

namespace qel::store {

class Database;

// Which working rows still hold the check code their permanent row had when the declaration
// was opened, so that the save copies that code instead of computing it again. A working row
// keeps its code while it is exactly as the opening copied it: the connection's update hook
// takes every row that any statement inserts or updates in a working table out of the kept
// ones. Anything the hook cannot follow forgets them all: a rollback (whole or to a savepoint,
// which may bring back rows as they were before the copy) and a commit by another connection.
// Rows copied from a sent version, or through an expression that changed a value, keep nothing.
// One per SQLite connection, made by the first opening and ended with the connection.
class KeptCheckCodes {
public:
    // The connection's record; made when `create` (nullptr without an SQLite connection).
    static KeptCheckCodes* of(Database& db, bool create);

    // Around the INSERT that fills `workingTable` from its permanent table: the rows it inserts
    // keep their codes when `trusted` and the rowids came in one run.
    void beginCopy(Database& db, const QString& workingTable);
    void endCopy(Database& db, bool trusted);
    // The table whose rows the SQL function qel_kept_code(rowid) answers for, until done();
    // false (and nothing selected) when none of its rows keeps its code.
    bool select(Database& db, const QString& workingTable);
    void done();
    // Nothing is kept any more.
    void forgetAll();

private:
    struct Copied {
        qint64 first = 0;
        qint64 last = -1;
        QSet<qint64> changed; // rowids of the run written since the copy
        qint64 dataVersion = 0;
    };

    explicit KeptCheckCodes(sqlite3* handle);
    static void changedRow(void* self, int operation, const char* database, const char* table, qint64 rowid);
    static void rolledBack(void* self);
    static int statementStarts(unsigned kind, void* self, void* statement, void* text);
    static void keptCode(sqlite3_context* context, int argc, sqlite3_value** argv);
    static void destroy(void* self);
    static qint64 dataVersion(Database& db);
    Copied* recordOf(const char* table);

    sqlite3* m_handle;
    QHash<QByteArray, Copied> m_tables; // by the working table's name in upper case
    QByteArray m_copying;               // the table a copy is filling now
    qint64 m_copyAfter = 0;             // the largest rowid of that table before the copy
    const Copied* m_selected = nullptr;
    QByteArray m_lastTable; // the working table the hook saw last, in upper case
};

} // namespace qel::store
