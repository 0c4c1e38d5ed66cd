#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace qel::launcher {

// Tells when the shared database file changes on disk: a module saving or deleting a
// declaration writes its journal (the -wal file) and, at a checkpoint, the file itself. The
// system's file notifications are used, not polling; a burst of writes (one save) gives one
// signal shortly after its last write.
class DatabaseWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int kSettleMs = 300;

    DatabaseWatcher(const QString& databasePath, QObject* parent = nullptr);

signals:
    void changed();

private:
    void watchFiles();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};

} // namespace qel::launcher
