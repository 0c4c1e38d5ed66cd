#include "app/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <csignal>
#include <sys/stat.h>

namespace qel::app {

void restrictNewFilesToOwner() {
    ::umask(S_IRWXG | S_IRWXO);
}

void failWritesPastTheSizeLimit() {
    std::signal(SIGXFSZ, SIG_IGN);
}

bool makePrivateFolder(const QString& folder) {
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    QStringList missing;
    while (!path.isEmpty() && !QFileInfo::exists(path)) {
        missing.prepend(path);
        const QString parent = QFileInfo(path).absolutePath();
        if (parent == path) {
            break;
        }
        path = parent;
    }
    for (const QString& created : missing) {
        if (!QDir().mkdir(created, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)) {
            return QFileInfo(created).isDir();
        }
    }
    return QFileInfo(folder).isDir();
}

bool makePrivateFile(const QString& path) {
    return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace qel::app
