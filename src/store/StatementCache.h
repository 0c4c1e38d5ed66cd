#pragma once

#include "store/DatabaseError.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace qel::store {

class Database;

// Statements prepared once and run many times on the database's connection: a loop that
// sends the same statement for every record (an import, a save) prepares it on its first use
// only. Values are bound as Database::run binds them (a null text as NULL) and a column reads
// back as it does there. Every statement is reset after its run, so that none holds a read
// open; all are finalized with the cache. The cache must not outlive the database. Texts own
// their storage (never QString::fromRawData): the last one is recognised by it.
class StatementCache {
public:
    explicit StatementCache(Database& db);
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // First column of the first row, or an invalid value when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    // Runs a statement that returns no rows (an INSERT, UPDATE or DELETE); the rows it changed.
    qint64 run(const QString& sql, const QVariantList& values = {});
    // The rowid of the last row the connection inserted.
    qint64 lastInsertRowid() const;

private:
    sqlite3_stmt* prepared(const QString& sql);
    void bind(sqlite3_stmt* statement, const QVariantList& values, const QString& sql);
    // Steps once: true when a row came, false when the statement is done.
    bool step(sqlite3_stmt* statement, const QString& sql);
    DatabaseError error(const QString& sql) const;

    sqlite3* m_handle;
    Database* m_server = nullptr; // on the office server: its driver's statements, not SQLite's
    QHash<QString, sqlite3_stmt*> m_statements;
    QString m_lastText; // the text of the statement found last, sharing the caller's storage
    sqlite3_stmt* m_lastStatement = nullptr;
    std::vector<QByteArray> m_held; // the texts bound to the statement running now
};

} // namespace qel::store
