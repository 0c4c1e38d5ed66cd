#pragma once

// What the office-server benchmarks share: the server of the run, a database of their own on
// it, the bare libpq connection under the module's and the CPU time of both ends.

#include "store/Database.h"
#include "store/DeclarationKey.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

struct pg_conn;
using PGconn = pg_conn;

namespace qel::bench {

// The server the benchmarks run against: QEL_BENCH_SERVER holds a libpq connection URI
// ("postgresql://" inside pg_virtualenv, whose environment fills in host, port and user).
QString benchServer();

// True, after saying so, when the run names no server: the benchmark then ends with code 0,
// so that a run of every benchmark passes over it.
bool serverMissing(const char* program);

// A database on the server for one run: a schema of its own, first in the search path, with
// the module's tables, functions, reference data and demo users; dropped when the run ends.
class ServerBenchDatabase {
public:
    ServerBenchDatabase();
    ~ServerBenchDatabase();
    ServerBenchDatabase(const ServerBenchDatabase&) = delete;
    ServerBenchDatabase& operator=(const ServerBenchDatabase&) = delete;

    store::Database& db() { return *m_db; }
    // The libpq connection under db(): the bare statements run on the same session.
    PGconn* handle();
    // The server's URI with this schema first in the search path, for the module's processes.
    QString schemaUri() const;

private:
    std::unique_ptr<store::Database> m_db;
    QString m_schema;
};

// The run's server database with annexRows() annex rows of benchKey() spread over
// annexTables(), filled on first use.
ServerBenchDatabase& serverAnnexDatabase();

// A statement for the bare connection, its values bound as text ($1, $2, ...).
struct BareStatement {
    QByteArray sql;
    std::vector<QByteArray> values; // a null array binds NULL
};

// Runs statements on the bare connection; a failure ends the run. Returns the number of
// bytes of every value of the rows read, so that a read cannot be left out.
long long execBarePg(PGconn* connection, const BareStatement& statement);
long long execBarePg(PGconn* connection, const QString& sql, const QStringList& values = {});
// Runs a statement prepared on the bare connection with its values (a null array binds NULL).
void execBarePrepared(PGconn* connection, const char* name, const std::vector<QByteArray>& values);
// How many statements the bare connection has run, to set beside the module's
// (store::Database::statementCount): each is a round trip to the server.
quint64 bareStatementCount();

// The declaration key's condition on the bare connection, its three values as $1, $2, $3
// (bareServerKey()).
QString bareServerFilter();
QStringList bareServerKey(const store::DeclarationKey& key);

// The bare statements that copy one table's rows of the declaration (bareServerKey()) into its
// working copy and back, column by column (the server's rowid is its own on each side). With
// `checkCodes` the copy back computes each row's check code with the server's function, as a
// save does; without, the rows keep the codes they carry.
QString bareCopyToWorking(const QString& table);
QString bareCopyToPermanent(const QString& table, bool checkCodes);

// CPU seconds used so far by the calling thread and by the server process of `connection`
// (read from /proc; the server runs on this machine).
double sessionCpuSeconds(PGconn* connection);
// CPU seconds used so far by the server process of `connection` alone (0 when unreadable).
double serverProcessCpuSeconds(PGconn* connection);

// Adds up the CPU time of the timed part of each iteration at both ends of the connection, and
// reports it per iteration in kTimedCpuCounter (which the ratios use) and, the server's share
// alone, in "server_cpu_ms".
//
// With the module's database, "statements" counts what it sent to the server per iteration;
// without, what the bare connection sent.
class SessionCpu {
public:
    explicit SessionCpu(PGconn* connection, const store::Database* db = nullptr) : m_connection(connection), m_db(db) {}
    void start();
    void stop();
    void report(benchmark::State& state) const;

private:
    quint64 statements() const;

    PGconn* m_connection;
    const store::Database* m_db;
    quint64 m_startStatements = 0;
    quint64 m_statements = 0;
    double m_startThread = 0;
    double m_startServer = 0;
    double m_thread = 0;
    double m_server = 0;
};

} // namespace qel::bench
