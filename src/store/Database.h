#pragma once

#include "store/DatabaseCheck.h"
#include "store/DatabaseError.h"
#include "store/SqlDialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <memory>

struct sqlite3;

namespace qel::store {

// The one open database of the process: a SQLite file shared with the launcher, or the office
// server (several accountants, each on their own declarations).
// Every value reaches SQL as a bound parameter; table and column names come from the
// table catalogue only.
class Database {
public:
    struct OpenResult {
        std::unique_ptr<Database> database; // null on failure
        int errorNumber = 0;                // engine error number on failure
        QString errorText;
        bool locked = false;   // the file is held by another process
        bool readOnly = false; // the file, or a journal file beside it, cannot be written
    };

    // Opens (creating when allowed) the file, registers the module's SQL functions and makes
    // a first read, so that a lock held elsewhere shows now. An existing file must be a
    // database of the QEL (its tables) and writable (no read-only file, no
    // write lock held elsewhere beyond the wait) before anything is written to it; only then
    // is it switched to WAL.
    static OpenResult open(const QString& path, bool createIfMissing = false, int busyTimeoutMs = 3000);
    // Connects to the office server a connection URI names ("postgresql://host:port/database",
    // "postgresql:///qel?host=/run/postgresql"). What the URI leaves out comes from libpq's
    // environment and ~/.pgpass; a URI that carries a password is refused.
    static OpenResult openServer(const QString& uri);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return m_path; } // the file, or the server's URI
    Engine engine() const { return m_engine; }
    const SqlDialect& dialect() const { return SqlDialect::of(m_engine); }
    QSqlDatabase& connection() { return m_db; }
    sqlite3* handle() const { return m_handle; }

    // Prepares and runs a statement with its bound values; throws DatabaseError on failure.
    // The returned query is forward-only and positioned before the first row.
    QSqlQuery run(const QString& sql, const QVariantList& values = {});
    // First column of the first row, or an invalid value when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    // Runs several statements without values (DDL, pragmas); throws on the first failure.
    void runScript(const QString& script);

    bool inTransaction() const { return m_transactionDepth > 0; }
    // How many statements run() has prepared and run on this connection (scalar and
    // runScript included): the benchmarks read it to see how often a command reaches the file.
    quint64 statementCount() const { return m_statementCount; }

private:
    friend class TransactionGuard;
    Database(QSqlDatabase db, QString path, sqlite3* handle, Engine engine = Engine::SQLite);
    static OpenResult failed(const DatabaseFault& fault);
    std::optional<DatabaseFault> probeWriting();
    static DatabaseError errorOf(const QSqlQuery& query, const QString& sql);

    QSqlDatabase m_db;
    QString m_path;
    sqlite3* m_handle = nullptr;
    Engine m_engine = Engine::SQLite;
    int m_transactionDepth = 0;
    int m_savepointCounter = 0;
    quint64 m_statementCount = 0;
};

} // namespace qel::store
