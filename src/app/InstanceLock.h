#pragma once

#include "app/SingleInstance.h"

#include <QLockFile>
#include <QString>

namespace qel::app {

// The single-instance lock of the module: a lock file in the user's runtime folder, held from
// start-up to the end of the process. A lock left behind by a process that died is taken over.
// The batch mode takes the same lock, so that it never runs beside the module.
class InstanceLock : public SingleInstance {
public:
    static const QString kModuleName; // "pm0588"

    // $XDG_RUNTIME_DIR/qel/<name>.lock, else <temp>/qel-<uid>/<name>.lock.
    static QString defaultPath(const QString& name);
    static QString defaultPath() { return defaultPath(kModuleName); }

    InstanceLock() : InstanceLock(defaultPath()) {}
    explicit InstanceLock(const QString& path);

    bool acquire() override;
    bool isHeld() const { return m_lock.isLocked(); }
    void release();
    // Whether another live process holds the lock now; leaves the lock as it found it.
    bool heldElsewhere();
    const QString& path() const { return m_path; }

private:
    QString m_path;
    QLockFile m_lock;
};

} // namespace qel::app
