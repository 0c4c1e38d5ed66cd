#include "store/TransactionGuard.h"

#include "store/Database.h"

#include <sqlite3.h>

namespace qel::store {

TransactionGuard::TransactionGuard(Database& db) : m_db(db) {
    if (m_db.m_transactionDepth == 0) {
        m_db.run(m_db.dialect().beginWrite()).finish();
    } else {
        m_savepoint = QStringLiteral("qel_sp%1").arg(++m_db.m_savepointCounter);
        m_db.run(QStringLiteral("SAVEPOINT ") + m_savepoint).finish();
    }
    ++m_db.m_transactionDepth;
}

TransactionGuard::~TransactionGuard() {
    if (m_open) {
        try {
            rollback();
        } catch (...) {
            // A failed rollback leaves nothing more to do: SQLite undoes the journal itself.
        }
    }
}

void TransactionGuard::commit() {
    if (!m_open) {
        return;
    }
    try {
        if (m_savepoint.isEmpty()) {
            m_db.run(QStringLiteral("COMMIT")).finish();
        } else {
            m_db.run(QStringLiteral("RELEASE ") + m_savepoint).finish();
        }
    } catch (const DatabaseError&) {
        // The user is told why the commit failed (a full disk, a lost lock), never why the
        // rollback after it could not run.
        try {
            rollback();
        } catch (const DatabaseError&) {
        }
        throw;
    }
    m_open = false;
    --m_db.m_transactionDepth;
}

void TransactionGuard::rollback() {
    if (!m_open) {
        return;
    }
    m_open = false;
    --m_db.m_transactionDepth;
    if (m_savepoint.isEmpty()) {
        // A failed COMMIT (or an I/O error) may have ended the transaction already.
        if (m_db.handle() == nullptr || sqlite3_get_autocommit(m_db.handle()) == 0) {
            m_db.run(QStringLiteral("ROLLBACK")).finish();
        }
    } else {
        m_db.run(QStringLiteral("ROLLBACK TO ") + m_savepoint).finish();
        m_db.run(QStringLiteral("RELEASE ") + m_savepoint).finish();
    }
}

} // namespace qel::store
