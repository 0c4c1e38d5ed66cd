#include "store/Database.h"

#include "store/ConnectionStatements.h"
#include "store/DatabaseCheck.h"
#include "store/ResourceFault.h"
#include "store/ServerAddress.h"
#include "store/SqlFunctions.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUuid>
#include <sqlite3.h>

namespace qel::store {

namespace {

sqlite3* sqliteHandle(const QVariant& v) {
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) {
        return *static_cast<sqlite3* const*>(v.constData());
    }
    return nullptr;
}

sqlite3* sqliteHandle(const QSqlDatabase& db) {
    return sqliteHandle(db.driver()->handle());
}

int errorNumber(const QSqlError& error) {
    bool ok = false;
    const int n = error.nativeErrorCode().toInt(&ok);
    return ok ? n : -1;
}

bool isLockError(int number) {
    const int primary = number & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

bool isReadOnlyError(int number) {
    return (number & 0xff) == SQLITE_READONLY;
}

} // namespace

Database::Database(QSqlDatabase db, QString path, sqlite3* handle, Engine engine)
    : m_db(std::move(db)), m_path(std::move(path)), m_handle(handle), m_engine(engine) {}

Database::~Database() {
    releaseConnectionStatements(this); // a statement left unfinalized would keep the file open
    const QString name = m_db.connectionName();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

Database::OpenResult Database::open(const QString& path, bool createIfMissing, int busyTimeoutMs) {
    if (isServerUri(path)) {
        // PM000.INI names the office server instead of a file.
        return openServer(path);
    }
    OpenResult result;
    const bool existed = QFileInfo::exists(path);
    if (!createIfMissing && !existed) {
        result.errorNumber = SQLITE_CANTOPEN;
        result.errorText = QStringLiteral("No se encuentra el archivo '%1'.").arg(path);
        return result;
    }
    // Read before the engine touches the file: an empty, foreign, cut or unwritable file is
    // refused as it lies, never switched to WAL or given journal files.
    if (const std::optional<DatabaseFault> fault = database_check::inspectFile(path)) {
        return failed(*fault);
    }
    const QString name = QStringLiteral("qel-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (!db.open()) {
        result.errorNumber = errorNumber(db.lastError());
        result.errorText = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        return result;
    }
    std::unique_ptr<Database> database(new Database(db, path, sqliteHandle(db)));
    // The connection lives in the Database alone: a copy left here would still use it when a
    // refused file closes it ("removeDatabase ... still in use").
    db = QSqlDatabase();
    try {
        registerSqlFunctions(database->m_handle);
        // The first read: a file held locked by another process fails here, at start-up.
        database->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        if (existed) {
            if (const std::optional<DatabaseFault> fault = database_check::inspectSchema(*database)) {
                return failed(*fault);
            }
        }
        if (const std::optional<DatabaseFault> fault = database->probeWriting()) {
            return failed(*fault);
        }
        const QString mode = database->scalar(QStringLiteral("PRAGMA journal_mode")).toString();
        if (mode.compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0) {
            database->scalar(QStringLiteral("PRAGMA journal_mode=WAL"));
        }
        database->runScript(QStringLiteral("PRAGMA foreign_keys=OFF; PRAGMA synchronous=NORMAL;"));
    } catch (const DatabaseError& e) {
        result.errorNumber = e.number();
        result.errorText = e.text();
        // A full disk (the shared-memory file cannot grow, a journal cannot be written) is
        // named as such, not as the engine's "disk I/O error".
        const int systemErrno = database->m_handle != nullptr ? sqlite3_system_errno(database->m_handle) : 0;
        if (const std::optional<QString> fault = resourceFaultText(e.number(), systemErrno, path)) {
            result.errorText = *fault;
        }
        result.locked = isLockError(e.number());
        result.readOnly = isReadOnlyError(e.number());
        return result;
    }
    result.database = std::move(database);
    return result;
}

Database::OpenResult Database::openServer(const QString& uri) {
    OpenResult result;
    const std::optional<ServerAddress> address = parseServerUri(uri, &result.errorText);
    if (!address) {
        result.errorNumber = -1;
        return result;
    }
    const QString name = QStringLiteral("qel-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    if (!db.isValid()) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        result.errorNumber = -1;
        result.errorText =
            QStringLiteral("Falta el controlador del servidor de base de datos (paquete libqt6sql6-psql).");
        return result;
    }
    address->applyTo(db);
    if (!db.open()) {
        result.errorNumber = errorNumber(db.lastError());
        result.errorText = QStringLiteral("No se pudo conectar con el servidor %1: %2")
                               .arg(address->display(), db.lastError().databaseText().trimmed());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        return result;
    }
    std::unique_ptr<Database> database(new Database(db, address->display(), nullptr, Engine::PostgreSQL));
    db = QSqlDatabase();
    try {
        // Notices (a function replaced, a table already there) are no news to the user.
        database->run(QStringLiteral("SET client_min_messages = warning")).finish();
    } catch (const DatabaseError& e) {
        result.errorNumber = e.number();
        result.errorText = e.text();
        return result;
    }
    result.database = std::move(database);
    return result;
}

Database::OpenResult Database::failed(const DatabaseFault& fault) {
    OpenResult result;
    result.errorNumber = fault.number;
    result.errorText = fault.text;
    result.readOnly = fault.readOnly;
    return result;
}

// Whether a write could go through now: the engine may have opened the file read-only, and
// another process may hold the write lock beyond the busy wait. Nothing is written.
std::optional<DatabaseFault> Database::probeWriting() {
    if (m_handle != nullptr && sqlite3_db_readonly(m_handle, "main") == 1) {
        return DatabaseFault{SQLITE_READONLY,
                             QStringLiteral("No se puede escribir en la base de datos %1: el motor la abrió de solo "
                                            "lectura y no se podría grabar ninguna declaración.")
                                 .arg(m_path),
                             true};
    }
    run(QStringLiteral("BEGIN IMMEDIATE")).finish();
    run(QStringLiteral("ROLLBACK")).finish();
    return std::nullopt;
}

DatabaseError Database::errorOf(const QSqlQuery& query, const QString& sql) {
    const QSqlError error = query.lastError();
    QString text = error.databaseText();
    if (text.isEmpty()) {
        text = error.text();
    }
    const int number = errorNumber(error);
    if (sqlite3* handle = query.driver() != nullptr ? sqliteHandle(query.driver()->handle()) : nullptr) {
        if (const std::optional<QString> fault = resourceFaultText(
                number, sqlite3_system_errno(handle), QString::fromUtf8(sqlite3_db_filename(handle, "main")))) {
            text = *fault;
        }
    }
    return DatabaseError(number, text, sql);
}

QSqlQuery Database::run(const QString& sql, const QVariantList& values) {
    ++m_statementCount;
    QSqlQuery query(m_db);
    // The server's driver streams a forward-only result row by row, and a second statement on
    // the connection while the first is read would drop its rows: there the whole result is
    // fetched at once, as callers read one query while they run others.
    query.setForwardOnly(m_engine == Engine::SQLite);
    if (m_engine == Engine::PostgreSQL && values.isEmpty()) {
        // The server's driver prepares with PREPARE, which takes no SET, BEGIN or CREATE.
        if (!query.exec(sql)) {
            throw errorOf(query, sql);
        }
        return query;
    }
    if (!query.prepare(dialect().statement(sql))) {
        throw errorOf(query, sql);
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        throw errorOf(query, sql);
    }
    return query;
}

QVariant Database::scalar(const QString& sql, const QVariantList& values) {
    QSqlQuery query = run(sql, values);
    if (!query.next()) {
        return {};
    }
    QVariant value = query.value(0);
    query.finish();
    return value;
}

void Database::runScript(const QString& script) {
    const QStringList statements = script.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& statement : statements) {
        if (!statement.trimmed().isEmpty()) {
            run(statement.trimmed()).finish();
        }
    }
}

} // namespace qel::store
