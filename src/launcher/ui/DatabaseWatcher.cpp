#include "launcher/ui/DatabaseWatcher.h"

#include <QFileInfo>

namespace qel::launcher {

DatabaseWatcher::DatabaseWatcher(const QString& databasePath, QObject* parent)
    : QObject(parent), m_path(QFileInfo(databasePath).absoluteFilePath()) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &DatabaseWatcher::changed);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
        watchFiles(); // a file replaced or recreated is watched again
        m_settle.start();
    });
    // The journal comes and goes with the connections: its folder tells when it appears.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        watchFiles();
        m_settle.start();
    });
    if (!m_path.isEmpty()) {
        m_watcher.addPath(QFileInfo(m_path).absolutePath());
        watchFiles();
    }
}

void DatabaseWatcher::watchFiles() {
    for (const QString& file : {m_path, m_path + QStringLiteral("-wal")}) {
        if (QFileInfo::exists(file) && !m_watcher.files().contains(file)) {
            m_watcher.addPath(file);
        }
    }
}

} // namespace qel::launcher
