#include "app/DatabaseLock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qel::app {

DatabaseLock::DatabaseLock(QString databaseFile) : m_file(std::move(databaseFile)) {}

DatabaseLock::~DatabaseLock() {
    release();
}

bool DatabaseLock::acquire() {
    if (isHeld()) {
        return true;
    }
    if (m_file.isEmpty()) {
        return true;
    }
    const QByteArray path = QFile::encodeName(m_file);
    const int descriptor = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); // a FIFO does not wait
    if (descriptor < 0) {
        return true; // missing or unreadable: the database open says which
    }
    int locked = -1;
    do {
        locked = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(descriptor);
        return !heldElsewhere; // a file system without locks cannot refuse anyone
    }
    m_descriptor = descriptor;
    return true;
}

void DatabaseLock::release() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor); // closing the descriptor drops the lock
        m_descriptor = -1;
    }
}

} // namespace qel::app
