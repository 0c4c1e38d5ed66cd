#include "store/PreparedRows.h"

#include "store/Database.h"

#include <QSqlRecord>
#include <sqlite3.h>

namespace qel::store {

namespace {

// The statement's cursor goes back to its start whatever happens while reading.
class ResetOnExit {
public:
    explicit ResetOnExit(sqlite3_stmt* statement) : m_statement(statement) {}
    ~ResetOnExit() {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    ResetOnExit(const ResetOnExit&) = delete;
    ResetOnExit& operator=(const ResetOnExit&) = delete;

private:
    sqlite3_stmt* m_statement;
};

QVariant columnValue(sqlite3_stmt* statement, int i) {
    switch (sqlite3_column_type(statement, i)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, i));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(statement, i)));
    }
    }
}

} // namespace

PreparedRows::PreparedRows(Database& db, QString sql) : m_db(db), m_sql(std::move(sql)) {}

PreparedRows::~PreparedRows() {
    sqlite3_finalize(m_statement);
}

void PreparedRows::fail(int code) const {
    sqlite3* handle = m_db.handle();
    const QString text = handle != nullptr ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::number(code);
    throw DatabaseError(code, text, m_sql);
}

void PreparedRows::prepare() {
    if (m_statement != nullptr) {
        return;
    }
    const QByteArray sql = m_sql.toUtf8();
    const int code =
        sqlite3_prepare_v2(m_db.handle(), sql.constData(), static_cast<int>(sql.size()), &m_statement, nullptr);
    if (code != SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        fail(code);
    }
    m_names.clear();
    for (int i = 0; i < sqlite3_column_count(m_statement); ++i) {
        m_names.append(QString::fromUtf8(sqlite3_column_name(m_statement, i)));
    }
}

void PreparedRows::bind(const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values.at(i);
        const int position = i + 1;
        int code = SQLITE_OK;
        if (value.isNull()) {
            code = sqlite3_bind_null(m_statement, position);
        } else {
            switch (value.metaType().id()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Bool:
                code = sqlite3_bind_int64(m_statement, position, value.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                code = sqlite3_bind_double(m_statement, position, value.toDouble());
                break;
            default: {
                const QByteArray text = value.toString().toUtf8();
                code = sqlite3_bind_text(m_statement, position, text.constData(), static_cast<int>(text.size()),
                                         SQLITE_TRANSIENT);
                break;
            }
            }
        }
        if (code != SQLITE_OK) {
            fail(code);
        }
    }
}

void PreparedRows::read(const QVariantList& values) {
    if (m_db.engine() == Engine::PostgreSQL) {
        // The office server's driver reads the rows.
        QSqlQuery query = m_db.run(m_sql, values);
        const QSqlRecord record = query.record();
        m_names.clear();
        for (int i = 0; i < record.count(); ++i) {
            m_names.append(record.fieldName(i));
        }
        QList<QVariantList> rows;
        while (query.next()) {
            QVariantList row;
            row.reserve(record.count());
            for (int i = 0; i < record.count(); ++i) {
                row.append(query.value(i));
            }
            rows.append(std::move(row));
        }
        m_rows = std::move(rows);
        return;
    }
    if (m_db.handle() == nullptr) {
        throw DatabaseError(SQLITE_MISUSE, QStringLiteral("no database"), m_sql);
    }
    prepare();
    ResetOnExit reset(m_statement);
    bind(values);
    QList<QVariantList> rows;
    const int columns = static_cast<int>(m_names.size());
    for (;;) {
        const int code = sqlite3_step(m_statement);
        if (code == SQLITE_DONE) {
            break;
        }
        if (code != SQLITE_ROW) {
            fail(code);
        }
        QVariantList row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i) {
            row.append(columnValue(m_statement, i));
        }
        rows.append(std::move(row));
    }
    m_rows = std::move(rows);
}

} // namespace qel::store
