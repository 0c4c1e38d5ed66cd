#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>
#include <utility>

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

// Writes each (relative path, text) under `root`, making its folders.
inline void writeFiles(const QString& root, const QList<std::pair<QString, QByteArray>>& files) {
    for (const auto& [relative, text] : files) {
        const QString path = root + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(text);
    }
}

} // namespace qel::test
