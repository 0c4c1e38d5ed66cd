#pragma once

#include <QString>

namespace qel::store {

class Database;

// One atomic command. The outermost guard opens a write transaction at once (so that two
// writers never deadlock half-way), inner guards are savepoints. A guard that is destroyed
// without commit() rolls back its part.
class TransactionGuard {
public:
    explicit TransactionGuard(Database& db);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    // Throws DatabaseError when the commit fails; the guard has then rolled back.
    void commit();
    void rollback();

private:
    Database& m_db;
    QString m_savepoint; // empty for the outermost guard
    bool m_open = true;
};

} // namespace qel::store
