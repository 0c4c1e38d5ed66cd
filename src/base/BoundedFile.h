#pragma once

#include <QByteArray>
#include <QString>

namespace qel::app {

// A file read whole, but only when it is a regular file of at most `limit` bytes. A FIFO, a
// device (/dev/zero) or a folder where a file is expected is refused at once: nothing waits
// for a writer and nothing grows without end.
struct BoundedRead {
    enum class Status { Read, Missing, Folder, NotRegular, TooLarge, Unreadable };
    Status status = Status::Unreadable;
    QByteArray bytes;
    qint64 size = 0; // the file's size when it was refused as too large

    bool ok() const { return status == Status::Read; }
    // Why the file was not read, in Spanish, naming `what` ("el guion", "el archivo de
    // configuración") and the path; empty when it was read.
    QString problem(const QString& what, const QString& path, qint64 limit) const;
};

BoundedRead readBoundedFile(const QString& path, qint64 limit);

// The size shown to the user: "64 MB", "1 MB", "512 KB", "900 bytes".
QString sizeText(qint64 bytes);

} // namespace qel::app
