#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace qel::test {

// Calls `visit(relativePath, text)` for every file under `root` whose name matches `patterns`.
template <class Visit> void forEachFile(const QString& root, const QStringList& patterns, Visit visit) {
    const QDir dir(root);
    QDirIterator files(root, patterns, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        visit(dir.relativeFilePath(path), QString::fromUtf8(file.readAll()));
    }
}

} // namespace qel::test
