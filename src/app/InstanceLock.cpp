#include "app/InstanceLock.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace qel::app {

const QString InstanceLock::kModuleName = QStringLiteral("pm0588");

InstanceLock::InstanceLock(const QString& path) : m_path(path), m_lock(path) {
    m_lock.setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
}

QString InstanceLock::defaultPath(const QString& name) {
    QString folder;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) {
        folder = runtime + QStringLiteral("/qel");
    } else {
#ifdef Q_OS_UNIX
        const QString user = QString::number(::getuid());
#else
        const QString user = qEnvironmentVariable("USERNAME");
#endif
        folder = QDir::tempPath() + QStringLiteral("/qel-") + user;
    }
    return folder + QLatin1Char('/') + name + QStringLiteral(".lock");
}

bool InstanceLock::acquire() {
    if (m_lock.isLocked()) {
        return true;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return m_lock.tryLock(0);
}

void InstanceLock::release() {
    if (m_lock.isLocked()) {
        m_lock.unlock();
    }
}

bool InstanceLock::heldElsewhere() {
    if (m_lock.isLocked()) {
        return false;
    }
    if (!acquire()) {
        return m_lock.error() == QLockFile::LockFailedError;
    }
    release();
    return false;
}

} // namespace qel::app
