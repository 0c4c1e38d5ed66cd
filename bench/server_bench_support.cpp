#include "server_bench_support.h"

#include "bench_support.h"
#include "store/ReferenceData.h"
#include "store/Schema.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"

#include <QFile>
#include <QSqlDriver>
#include <QUuid>
#include <cstdio>
#include <cstdlib>
#include <libpq-fe.h>
#include <unistd.h>

namespace qel::bench {

QString benchServer() {
    return qEnvironmentVariable("QEL_BENCH_SERVER");
}

bool serverMissing(const char* program) {
    if (!benchServer().isEmpty()) {
        return false;
    }
    std::printf("SKIP %s: no server (QEL_BENCH_SERVER names none; bench/server_bench.sh starts one)\n", program);
    return true;
}

ServerBenchDatabase::ServerBenchDatabase() {
    store::Database::OpenResult opened = store::Database::openServer(benchServer());
    if (!opened.database) {
        std::fprintf(stderr, "cannot reach the server: %s\n", qPrintable(opened.errorText));
        std::exit(1);
    }
    m_db = std::move(opened.database);
    m_schema = QStringLiteral("qel_bench_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    try {
        m_db->run(QStringLiteral("CREATE SCHEMA ") + m_schema).finish();
        m_db->run(QStringLiteral("SET search_path TO ") + m_schema).finish();
        store::TransactionGuard transaction(*m_db);
        store::createSchema(*m_db);
        store::loadReferenceData(*m_db);
        store::loadDemoUsers(*m_db);
        transaction.commit();
    } catch (const store::DatabaseError& error) {
        std::fprintf(stderr, "cannot create the schema: %s\n", qPrintable(error.text()));
        std::exit(1);
    }
}

ServerBenchDatabase::~ServerBenchDatabase() {
    try {
        m_db->run(QStringLiteral("DROP SCHEMA ") + m_schema + QStringLiteral(" CASCADE")).finish();
    } catch (const store::DatabaseError&) {
        // A throwaway cluster takes the schema with it.
    }
}

PGconn* ServerBenchDatabase::handle() {
    const QVariant handle = m_db->connection().driver()->handle();
    // The driver names the type by its typedef or by the struct behind it.
    const char* type = handle.typeName();
    if (!handle.isValid() || (qstrcmp(type, "PGconn*") != 0 && qstrcmp(type, "pg_conn*") != 0)) {
        std::fprintf(stderr, "the connection has no libpq handle\n");
        std::abort();
    }
    return *static_cast<PGconn* const*>(handle.constData());
}

QString ServerBenchDatabase::schemaUri() const {
    const QString base = benchServer();
    return base + (base.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?')) +
           QStringLiteral("options=-csearch_path%3D") + m_schema;
}

ServerBenchDatabase& serverAnnexDatabase() {
    static ServerBenchDatabase database;
    [[maybe_unused]] static const bool filled = [] {
        fillAnnexRows(database.db(), benchKey(), annexTables(), annexRows());
        return true;
    }();
    return database;
}

namespace {

quint64 bareStatements = 0;

} // namespace

quint64 bareStatementCount() {
    return bareStatements;
}

long long execBarePg(PGconn* connection, const BareStatement& statement) {
    ++bareStatements;
    std::vector<const char*> values;
    values.reserve(statement.values.size());
    for (const QByteArray& value : statement.values) {
        values.push_back(value.isNull() ? nullptr : value.constData());
    }
    PGresult* result = PQexecParams(connection, statement.sql.constData(), static_cast<int>(values.size()), nullptr,
                                    values.data(), nullptr, nullptr, 0);
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        std::fprintf(stderr, "%s: %s\n", statement.sql.constData(), PQresultErrorMessage(result));
        std::abort();
    }
    long long bytes = 0;
    for (int row = 0; row < PQntuples(result); ++row) {
        for (int column = 0; column < PQnfields(result); ++column) {
            bytes += PQgetlength(result, row, column);
        }
    }
    PQclear(result);
    return bytes;
}

long long execBarePg(PGconn* connection, const QString& sql, const QStringList& values) {
    BareStatement statement{sql.toUtf8(), {}};
    for (const QString& value : values) {
        statement.values.push_back(value.toUtf8());
    }
    return execBarePg(connection, statement);
}

void execBarePrepared(PGconn* connection, const char* name, const std::vector<QByteArray>& values) {
    ++bareStatements;
    std::vector<const char*> texts;
    texts.reserve(values.size());
    for (const QByteArray& value : values) {
        texts.push_back(value.isNull() ? nullptr : value.constData());
    }
    PGresult* result =
        PQexecPrepared(connection, name, static_cast<int>(texts.size()), texts.data(), nullptr, nullptr, 0);
    if (PQresultStatus(result) != PGRES_COMMAND_OK) {
        std::fprintf(stderr, "%s: %s\n", name, PQresultErrorMessage(result));
        std::abort();
    }
    PQclear(result);
}

QString bareServerFilter() {
    return QStringLiteral(" WHERE TIP_DOC_D=6 AND DOC_ID_D=$1 AND PERIODO=$2 AND FORMULARIO=$3");
}

QStringList bareServerKey(const store::DeclarationKey& key) {
    return {key.ruc, key.periodo, key.formulario};
}

QString bareCopyToWorking(const QString& table) {
    const store::TableLayout working = store::TableCatalog::instance().layout(table, store::Copy::Working);
    const QString columns = working.columnNames().join(QLatin1Char(','));
    const QString source = store::TableCatalog::physicalName(table, store::Copy::Permanent);
    return QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3").arg(working.name, columns, source) +
           bareServerFilter();
}

QString bareCopyToPermanent(const QString& table, bool checkCodes) {
    const store::TableLayout permanent = store::TableCatalog::instance().layout(table, store::Copy::Permanent);
    const QStringList columns = permanent.columnNames();
    QStringList selected = columns;
    if (checkCodes && permanent.checked()) {
        const int covered = static_cast<int>(columns.size()) - 1;
        QString letters;
        for (int c = 0; c < covered; ++c) {
            letters.append(QLatin1Char(store::typeLetter(permanent.columns.at(c).type)));
        }
        selected.last() =
            store::SqlDialect::postgresql().checkCode(letters, permanent.keyCount, columns.mid(0, covered));
    }
    const QString source = store::TableCatalog::physicalName(table, store::Copy::Working);
    return QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4")
               .arg(permanent.name, columns.join(QLatin1Char(',')), selected.join(QLatin1Char(',')), source) +
           bareServerFilter();
}

double serverProcessCpuSeconds(PGconn* connection) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(PQbackendPID(connection)));
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    // The fields after the command's closing parenthesis, from the state (the third) on;
    // user and system time are the 14th and 15th.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) {
        return 0;
    }
    const double ticks = static_cast<double>(fields.at(11).toLongLong() + fields.at(12).toLongLong());
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double sessionCpuSeconds(PGconn* connection) {
    return threadCpuSeconds() + serverProcessCpuSeconds(connection);
}

quint64 SessionCpu::statements() const {
    return m_db != nullptr ? m_db->statementCount() : bareStatementCount();
}

void SessionCpu::start() {
    m_startStatements = statements();
    m_startThread = threadCpuSeconds();
    m_startServer = serverProcessCpuSeconds(m_connection);
}

void SessionCpu::stop() {
    m_statements += statements() - m_startStatements;
    m_thread += threadCpuSeconds() - m_startThread;
    m_server += serverProcessCpuSeconds(m_connection) - m_startServer;
}

void SessionCpu::report(benchmark::State& state) const {
    const double iterations = static_cast<double>(state.iterations());
    if (iterations > 0) {
        state.counters[kTimedCpuCounter] = (m_thread + m_server) * 1000 / iterations;
        state.counters["server_cpu_ms"] = m_server * 1000 / iterations;
        state.counters["statements"] = static_cast<double>(m_statements) / iterations;
    }
}

} // namespace qel::bench
