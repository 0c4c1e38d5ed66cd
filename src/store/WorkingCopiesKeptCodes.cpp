#include "store/WorkingCopiesKeptCodes.h"

#include "store/ConnectionStatements.h"
#include "store/Database.h"
#include "store/StatementCache.h"

#include <QMutex>
#include <QMutexLocker>
#include <sqlite3.h>

namespace qel::store {

namespace {

// Never destroyed: a connection that closes while the program ends (a database held by a
// static) still finds them.
QMutex& registryMutex() {
    static auto* mutex = new QMutex;
    return *mutex;
}

QHash<sqlite3*, KeptCheckCodes*>& registry() {
    static auto* records = new QHash<sqlite3*, KeptCheckCodes*>;
    return *records;
}

bool isWorkingTable(const char* name) {
    return (name[0] == 'T' || name[0] == 't') && (name[1] == 'M' || name[1] == 'm') &&
           (name[2] == 'P' || name[2] == 'p');
}

// ROLLBACK and ROLLBACK TO, in any case, after blanks.
bool isRollback(const char* sql) {
    while (*sql == ' ' || *sql == '\t' || *sql == '\n' || *sql == '\r') {
        ++sql;
    }
    return qstrnicmp(sql, "ROLLBACK", 8) == 0;
}

} // namespace

KeptCheckCodes::KeptCheckCodes(sqlite3* handle) : m_handle(handle) {}

KeptCheckCodes* KeptCheckCodes::of(Database& db, bool create) {
    sqlite3* handle = db.handle();
    if (handle == nullptr) {
        return nullptr;
    }
    {
        QMutexLocker lock(&registryMutex());
        if (KeptCheckCodes* known = registry().value(handle)) {
            return known;
        }
    }
    if (!create) {
        return nullptr;
    }
    // The record ends with the connection, as the function's data (outside the lock: a failed
    // registration destroys it at once).
    auto* record = new KeptCheckCodes(handle);
    if (sqlite3_create_function_v2(handle, "qel_kept_code", 1, SQLITE_UTF8, record, &KeptCheckCodes::keptCode, nullptr,
                                   nullptr, &KeptCheckCodes::destroy) != SQLITE_OK) {
        return nullptr;
    }
    {
        QMutexLocker lock(&registryMutex());
        registry().insert(handle, record);
    }
    sqlite3_update_hook(handle, &KeptCheckCodes::changedRow, record);
    sqlite3_rollback_hook(handle, &KeptCheckCodes::rolledBack, record);
    sqlite3_trace_v2(handle, SQLITE_TRACE_STMT, &KeptCheckCodes::statementStarts, record);
    return record;
}

void KeptCheckCodes::destroy(void* self) {
    auto* record = static_cast<KeptCheckCodes*>(self);
    {
        QMutexLocker lock(&registryMutex());
        registry().remove(record->m_handle);
    }
    delete record;
}

void KeptCheckCodes::beginCopy(Database& db, const QString& workingTable) {
    m_copying = workingTable.toUtf8().toUpper();
    m_tables.remove(m_copying);
    // The rowids of an INSERT ... SELECT follow the largest one before it, one by one.
    m_copyAfter =
        connectionStatements(db).scalar(QStringLiteral("SELECT max(rowid) FROM ") + workingTable).toLongLong();
}

void KeptCheckCodes::endCopy(Database& db, bool trusted) {
    const QByteArray table = m_copying;
    m_copying.clear();
    // Kept only when every rowid of the run is a row of this copy.
    const qint64 count = sqlite3_changes64(m_handle);
    const qint64 last = sqlite3_last_insert_rowid(m_handle);
    if (!trusted || count <= 0 || last - m_copyAfter != count) {
        return;
    }
    Copied copied;
    copied.first = m_copyAfter + 1;
    copied.last = last;
    copied.dataVersion = dataVersion(db);
    m_tables.insert(table, copied);
}

bool KeptCheckCodes::select(Database& db, const QString& workingTable) {
    m_selected = nullptr;
    const auto found = m_tables.constFind(workingTable.toUtf8().toUpper());
    if (found == m_tables.cend()) {
        return false;
    }
    if (found->dataVersion != dataVersion(db)) {
        forgetAll(); // another connection wrote to the file: any working row may be another's now
        return false;
    }
    m_selected = &*found;
    return true;
}

void KeptCheckCodes::done() {
    m_selected = nullptr;
}

void KeptCheckCodes::forgetAll() {
    m_tables.clear();
    m_selected = nullptr;
}

qint64 KeptCheckCodes::dataVersion(Database& db) {
    return connectionStatements(db).scalar(QStringLiteral("PRAGMA data_version")).toLongLong();
}

void KeptCheckCodes::changedRow(void* self, int operation, const char*, const char* table, qint64 rowid) {
    // A deleted row is copied by nobody; a row inserted in its place comes here as an insert.
    if (operation == SQLITE_DELETE || !isWorkingTable(table)) {
        return;
    }
    auto* record = static_cast<KeptCheckCodes*>(self);
    // The rows a copy inserts are counted when it ends; its table has no record meanwhile.
    if (!record->m_copying.isEmpty() || record->m_tables.isEmpty()) {
        return;
    }
    Copied* copied = record->recordOf(table);
    if (copied != nullptr && rowid >= copied->first && rowid <= copied->last) {
        copied->changed.insert(rowid);
    }
}

KeptCheckCodes::Copied* KeptCheckCodes::recordOf(const char* table) {
    // An import writes thousands of rows into one table: its name is compared, not rebuilt.
    if (m_lastTable.isEmpty() || qstricmp(table, m_lastTable.constData()) != 0) {
        m_lastTable = QByteArray(table).toUpper();
    }
    const auto found = m_tables.find(m_lastTable);
    return found == m_tables.end() ? nullptr : &*found;
}

void KeptCheckCodes::rolledBack(void* self) {
    static_cast<KeptCheckCodes*>(self)->forgetAll();
}

int KeptCheckCodes::statementStarts(unsigned kind, void* self, void*, void* text) {
    if (kind == SQLITE_TRACE_STMT && text != nullptr && isRollback(static_cast<const char*>(text))) {
        static_cast<KeptCheckCodes*>(self)->forgetAll();
    }
    return 0;
}

void KeptCheckCodes::keptCode(sqlite3_context* context, int, sqlite3_value** argv) {
    const auto* record = static_cast<const KeptCheckCodes*>(sqlite3_user_data(context));
    const Copied* copied = record->m_selected;
    const qint64 rowid = sqlite3_value_int64(argv[0]);
    const bool kept =
        copied != nullptr && rowid >= copied->first && rowid <= copied->last && !copied->changed.contains(rowid);
    sqlite3_result_int(context, kept ? 1 : 0);
}

} // namespace qel::store
