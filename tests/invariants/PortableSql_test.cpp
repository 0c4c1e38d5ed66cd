// The module's SQL runs on a SQLite file and on the office server. Words only SQLite knows
// (ifnull, total, CAST ... AS REAL, INSERT OR, printf, the pragmas and its catalogue table) are
// spelled by the store's dialect; this test fails the day one comes back elsewhere. The files
// listed are those still to route through the dialect: the list only shrinks.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// Where the engine's own words belong: the store's connection, its SQLite functions, the
// dialect and the file checks of a SQLite database.
const QSet<QString> kEngineFiles = {
    QStringLiteral("store/Database.cpp"),     QStringLiteral("store/DatabaseCheck.cpp"),
    QStringLiteral("store/SqlDialect.cpp"),   QStringLiteral("store/SqlFunctions.cpp"),
    QStringLiteral("store/RowCheckCode.cpp"), QStringLiteral("store/StatementCache.cpp"),
    QStringLiteral("store/PreparedRows.cpp"), QStringLiteral("store/ResourceFault.cpp"),
    QStringLiteral("store/ServerCopy.cpp"),   QStringLiteral("store/WorkingCopiesKeptCodes.cpp"),
};

// Still written for SQLite alone.
const QSet<QString> kStillToRoute = {};

} // namespace

TEST(PortableSql, EngineWordsOnlyInTheStore) {
    static const QRegularExpression engineWords(QStringLiteral(
        "\\bifnull\\(|\"[^\"\\n]*[ (,]total\\((?!\\))|AS REAL\\b|INSERT OR |\\bprintf\\('|PRAGMA |sqlite_master|"
        "BEGIN IMMEDIATE|qel_check_code\\("));
    const QString root = QStringLiteral(QEL_SOURCE_DIR "/src/");
    QStringList offenders;
    QSet<QString> stillNeeded;
    QDirIterator files(root, {QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString relative = path.mid(root.size());
        if (kEngineFiles.contains(relative)) {
            continue;
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        if (!engineWords.match(text).hasMatch()) {
            continue;
        }
        if (kStillToRoute.contains(relative)) {
            stillNeeded.insert(relative);
        } else {
            offenders.append(relative);
        }
    }
    EXPECT_TRUE(offenders.isEmpty()) << "SQL that only SQLite reads, outside the dialect: "
                                     << offenders.join(QStringLiteral(", ")).toStdString();
    for (const QString& file : kStillToRoute) {
        EXPECT_TRUE(stillNeeded.contains(file)) << file.toStdString() << " is routed now: take it off the list";
    }
}
