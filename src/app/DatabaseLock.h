#pragma once

#include "app/SingleInstance.h"

#include <QString>

namespace qel::app {

// The module's single-instance lock, held with the database itself: an exclusive advisory
// lock (flock) on the database file, taken before the file is opened and kept until the
// process ends. Every process that can read the file sees it, whatever its OS user or
// desktop session, and the system drops it when the process dies, however it dies. The
// window and the batch mode take the same lock, so one module process works on a database.
//
// The descriptor stays open while the database is open: closing a descriptor of the file
// would drop the engine's own record locks of this process, so release() runs only once
// the database has been closed.
class DatabaseLock : public SingleInstance {
public:
    explicit DatabaseLock(QString databaseFile);
    ~DatabaseLock() override;
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;

    // False when another process holds the lock. A file that cannot be read is not locked
    // here: opening the database reports it with its own message.
    bool acquire() override;
    bool isHeld() const { return m_descriptor >= 0; }
    void release();
    const QString& databaseFile() const { return m_file; }

private:
    QString m_file;
    int m_descriptor = -1;
};

} // namespace qel::app
