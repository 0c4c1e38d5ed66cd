// The module's SQL runs on a SQLite file and on the office server. Words only SQLite knows
// (ifnull, total, CAST ... AS REAL, INSERT OR, printf, the pragmas and its catalogue table) are
// spelled by the store's dialect; this test fails the day one comes back elsewhere.

#include "SourceFiles.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Where the engine's own words belong: the store's connection, its SQLite functions, the
// dialect and the file checks of a SQLite database.
const QSet<QString> kEngineFiles = {
    u"store/Database.cpp"_s,     u"store/DatabaseCheck.cpp"_s,
    u"store/SqlDialect.cpp"_s,   u"store/SqlFunctions.cpp"_s,
    u"store/RowCheckCode.cpp"_s, u"store/StatementCache.cpp"_s,
    u"store/PreparedRows.cpp"_s, u"store/ResourceFault.cpp"_s,
    u"store/ServerCopy.cpp"_s,   u"store/WorkingCopiesKeptCodes.cpp"_s,
};

} // namespace

TEST(PortableSql, EngineWordsOnlyInTheStore) {
    static const QRegularExpression engineWords(
        u"\\bifnull\\(|\"[^\"\\n]*[ (,]total\\((?!\\))|AS REAL\\b|INSERT OR |\\bprintf\\('|PRAGMA |sqlite_master|"
        "BEGIN IMMEDIATE|qel_check_code\\("_s);
    QStringList offenders;
    qel::test::forEachFile(QStringLiteral(QEL_SOURCE_DIR "/src"), {u"*.cpp"_s},
                           [&](const QString& relative, const QString& text) {
                               if (!kEngineFiles.contains(relative) && engineWords.match(text).hasMatch()) {
                                   offenders.append(relative);
                               }
                           });
    EXPECT_TRUE(offenders.isEmpty()) << "SQL that only SQLite reads, outside the dialect: "
                                     << offenders.join(u", "_s).toStdString();
}
