#include "store/StatementCache.h"

#include "store/Database.h"

#include <QDateTime>
#include <sqlite3.h>

namespace qel::store {

namespace {

// Resets a statement on every way out of a run, so that it keeps no read open.
class ResetOnExit {
public:
    ResetOnExit(sqlite3_stmt* statement, std::vector<QByteArray>& held) : m_statement(statement), m_held(held) {}
    ~ResetOnExit() {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
        m_held.clear();
    }
    ResetOnExit(const ResetOnExit&) = delete;
    ResetOnExit& operator=(const ResetOnExit&) = delete;

private:
    sqlite3_stmt* m_statement;
    std::vector<QByteArray>& m_held;
};

// A column as the connection's queries read it: a NULL is a null text.
QVariant columnValue(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                                   sqlite3_column_bytes(statement, column)));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default:
        return QVariant(QString(static_cast<const QChar*>(sqlite3_column_text16(statement, column)),
                                sqlite3_column_bytes16(statement, column) / static_cast<int>(sizeof(QChar))));
    }
}

// Text goes to the engine in its own encoding (UTF-8), kept in `held` until the statement has
// run, so that the engine reads it in place instead of copying it.
int bindText(sqlite3_stmt* statement, int position, const QString& text, std::vector<QByteArray>& held) {
    if (text.isEmpty()) {
        return sqlite3_bind_text(statement, position, "", 0, SQLITE_STATIC);
    }
    held.push_back(text.toUtf8());
    const QByteArray& utf8 = held.back();
    return sqlite3_bind_text(statement, position, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_STATIC);
}

} // namespace

StatementCache::StatementCache(Database& db)
    : m_handle(db.handle()), m_server(db.engine() == Engine::PostgreSQL ? &db : nullptr) {}

StatementCache::~StatementCache() {
    for (sqlite3_stmt* statement : std::as_const(m_statements)) {
        sqlite3_finalize(statement);
    }
}

QVariant StatementCache::scalar(const QString& sql, const QVariantList& values) {
    if (m_server != nullptr) {
        return m_server->scalar(sql, values);
    }
    sqlite3_stmt* statement = prepared(sql);
    const ResetOnExit reset(statement, m_held);
    bind(statement, values, sql);
    return step(statement, sql) ? columnValue(statement, 0) : QVariant();
}

qint64 StatementCache::run(const QString& sql, const QVariantList& values) {
    if (m_server != nullptr) {
        QSqlQuery query = m_server->run(sql, values);
        const qint64 changed = query.numRowsAffected();
        query.finish();
        return changed;
    }
    sqlite3_stmt* statement = prepared(sql);
    const ResetOnExit reset(statement, m_held);
    bind(statement, values, sql);
    while (step(statement, sql)) {
    }
    return sqlite3_changes64(sqlite3_db_handle(statement));
}

qint64 StatementCache::lastInsertRowid() const {
    if (m_server != nullptr) {
        // The rowid column's sequence, as this session last drew from it.
        return m_server->scalar(QStringLiteral("SELECT lastval()")).toLongLong();
    }
    return sqlite3_last_insert_rowid(m_handle);
}

sqlite3_stmt* StatementCache::prepared(const QString& sql) {
    // A loop sends the same text object again and again: while m_lastText shares its storage,
    // that storage can be neither freed nor changed, so the same storage is the same text, found
    // without hashing it.
    if (m_lastStatement != nullptr && sql.constData() == m_lastText.constData() && sql.size() == m_lastText.size()) {
        return m_lastStatement;
    }
    const auto found = m_statements.constFind(sql);
    if (found != m_statements.cend()) {
        m_lastText = sql;
        m_lastStatement = *found;
        return *found;
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare16_v3(m_handle, sql.constData(), static_cast<int>(sql.size() * sizeof(QChar)),
                             SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        throw error(sql);
    }
    m_statements.insert(sql, statement);
    m_lastText = sql;
    m_lastStatement = statement;
    return statement;
}

void StatementCache::bind(sqlite3_stmt* statement, const QVariantList& values, const QString& sql) {
    if (values.size() != sqlite3_bind_parameter_count(statement)) {
        throw DatabaseError(SQLITE_RANGE, QStringLiteral("Parameter count mismatch"), sql);
    }
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values.at(i);
        const int position = i + 1;
        int result = SQLITE_OK;
        switch (value.typeId()) {
        case QMetaType::UnknownType:
        case QMetaType::Nullptr:
            result = sqlite3_bind_null(statement, position);
            break;
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::Char:
            result = value.isNull() ? sqlite3_bind_null(statement, position)
                                    : sqlite3_bind_int64(statement, position, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            result = value.isNull() ? sqlite3_bind_null(statement, position)
                                    : sqlite3_bind_double(statement, position, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            m_held.push_back(value.toByteArray());
            result = sqlite3_bind_blob(statement, position, m_held.back().constData(),
                                       static_cast<int>(m_held.back().size()), SQLITE_STATIC);
            break;
        }
        case QMetaType::QString: {
            // Most values of a record are texts: read in place, without a conversion.
            const QString& text = *static_cast<const QString*>(value.constData());
            result =
                text.isNull() ? sqlite3_bind_null(statement, position) : bindText(statement, position, text, m_held);
            break;
        }
        default: {
            const QString text = value.typeId() == QMetaType::QDateTime ? value.toDateTime().toString(Qt::ISODateWithMs)
                                                                        : value.toString();
            result =
                text.isNull() ? sqlite3_bind_null(statement, position) : bindText(statement, position, text, m_held);
            break;
        }
        }
        if (result != SQLITE_OK) {
            throw error(sql);
        }
    }
}

bool StatementCache::step(sqlite3_stmt* statement, const QString& sql) {
    const int result = sqlite3_step(statement);
    if (result == SQLITE_ROW) {
        return true;
    }
    if (result != SQLITE_DONE) {
        throw error(sql);
    }
    return false;
}

DatabaseError StatementCache::error(const QString& sql) const {
    return DatabaseError(sqlite3_errcode(m_handle), QString::fromUtf8(sqlite3_errmsg(m_handle)), sql);
}

} // namespace qel::store
