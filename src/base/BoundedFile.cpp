#include "base/BoundedFile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qel::app {

namespace {

BoundedRead refused(BoundedRead::Status status, qint64 size = 0) {
    BoundedRead read;
    read.status = status;
    read.size = size;
    return read;
}

} // namespace

BoundedRead readBoundedFile(const QString& path, qint64 limit) {
    if (path.isEmpty()) {
        return refused(BoundedRead::Status::Missing);
    }
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so that opening a FIFO does not wait for a writer; the file is looked at
    // through the descriptor, so what is read is what was checked.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return refused(errno == ENOENT || errno == ENOTDIR ? BoundedRead::Status::Missing
                                                           : BoundedRead::Status::Unreadable);
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return refused(BoundedRead::Status::Unreadable);
    }
    if (S_ISDIR(info.st_mode)) {
        return refused(BoundedRead::Status::Folder);
    }
    if (!S_ISREG(info.st_mode)) {
        return refused(BoundedRead::Status::NotRegular);
    }
    if (info.st_size > limit) {
        return refused(BoundedRead::Status::TooLarge, info.st_size);
    }
    BoundedRead read;
    read.bytes.reserve(static_cast<qsizetype>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return refused(BoundedRead::Status::Unreadable);
        }
        if (got == 0) {
            break;
        }
        // A file that grows while it is read stops at the limit as well.
        if (read.bytes.size() + got > limit) {
            return refused(BoundedRead::Status::TooLarge, read.bytes.size() + got);
        }
        read.bytes.append(buffer, got);
    }
    read.status = BoundedRead::Status::Read;
    return read;
}

QString sizeText(qint64 bytes) {
    constexpr qint64 kKilo = 1024;
    if (bytes >= kKilo * kKilo && bytes % (kKilo * kKilo) == 0) {
        return QStringLiteral("%1 MB").arg(bytes / (kKilo * kKilo));
    }
    if (bytes >= kKilo * kKilo) {
        return QStringLiteral("%1 MB").arg(static_cast<double>(bytes) / static_cast<double>(kKilo * kKilo), 0, 'f', 1);
    }
    if (bytes >= kKilo) {
        return QStringLiteral("%1 KB").arg((bytes + kKilo - 1) / kKilo);
    }
    return QStringLiteral("%1 bytes").arg(bytes);
}

QString BoundedRead::problem(const QString& what, const QString& path, qint64 limit) const {
    switch (status) {
    case Status::Read:
        return {};
    case Status::Missing:
        return QStringLiteral("No se encuentra %1 %2.").arg(what, path);
    case Status::Folder:
        return QStringLiteral("%1 es una carpeta, no %2.").arg(path, what);
    case Status::NotRegular:
        return QStringLiteral("%1 no es un archivo regular (es una tubería, un dispositivo o un socket): no se lee "
                              "como %2.")
            .arg(path, what);
    case Status::TooLarge:
        return QStringLiteral("%1 %2 tiene %3; no puede pasar de %4.")
            .arg(what.left(1).toUpper() + what.mid(1), path, sizeText(size), sizeText(limit));
    case Status::Unreadable:
        break;
    }
    return QStringLiteral("No se puede leer %1 %2.").arg(what, path);
}

} // namespace qel::app
