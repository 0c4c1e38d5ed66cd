#pragma once

#include <QCryptographicHash>
#include <QFile>
#include <gtest/gtest.h>

// Files the tests lay out and compare, byte for byte.
namespace qel::test {

// The bytes of a file; none when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray fileDigest(const QString& path) {
    return QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha256).toHex();
}

// Writes the file whole; its path. (Not `writeFile`: the batch fixture has one that returns nothing.)
inline QString writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
    return path;
}

} // namespace qel::test
