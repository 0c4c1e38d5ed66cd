#pragma once

#include "store/Database.h"
#include "store/DeclarationKey.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>

namespace qel::app {
class Prompter;
}

namespace qel::store {

// Who edits a declaration: the QEL user, the machine and since when.
struct LockHolder {
    QString user;
    QString machine;
    QDateTime since;
    qint64 process = 0;

    // "ANA en oficina-3 desde el 07/12/2026 a las 10:15", as the question to the user says it.
    QString text() const;
};

// The lock of one declaration, held by the session that edits it and released with it, however
// that session ends. Two accountants edit two declarations of one database at once; the second
// to open a declaration already open is told who holds it.
//
// On the server it is an advisory lock of the session (it ends when the connection does) and a
// row of qel_declaration_locks that says who took it. On a SQLite file it is an OS file lock
// (flock) on a small file per declaration in a folder beside the database, which says who took
// it; the system drops the lock when the process dies, and a file left behind holds nothing.
class DeclarationLock {
public:
    struct Result {
        std::unique_ptr<DeclarationLock> lock; // null when another session holds it
        std::optional<LockHolder> holder;      // who, when known
        QString error;                         // a lock that could not even be asked for
    };

    static Result acquire(Database& db, const DeclarationKey& key, const QString& user);
    // The lock for a change made outside the form (deleting the declaration, recovering a sent
    // version over it), held while the change is made. When another session holds the
    // declaration the user is told who and since when, and null comes back: the change is not
    // made.
    static std::unique_ptr<DeclarationLock> forChange(Database& db, app::Prompter& prompter, const DeclarationKey& key,
                                                      const QString& user, const QString& caption);
    static QString heldText(const QString& ruc, const std::optional<LockHolder>& holder);
    ~DeclarationLock();
    DeclarationLock(const DeclarationLock&) = delete;
    DeclarationLock& operator=(const DeclarationLock&) = delete;

    // The folder of a database file's declaration locks.
    static QString lockFolder(const QString& databaseFile);

private:
    DeclarationLock() = default;
    Database* m_db = nullptr;
    qint64 m_serverKey = 0;
    int m_descriptor = -1;
};

} // namespace qel::store
