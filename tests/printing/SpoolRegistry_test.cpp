#include "printing/SpoolRegistry.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace qel::printing {
namespace {

const QDate kToday(2019, 3, 15);

TEST(SpoolRegistry, NumbersGrowPerReportCodeAndFileNamesOverAll) {
    test::TempDatabase database;
    SpoolRegistry spool(database.db(), database.folder() + QStringLiteral("/RPT"));
    const struct {
        const char* code;
        const char* secuencia;
        const char* archivo;
    } steps[] = {
        {"RPJ096", "000001", "00000001.PRN"}, {"RPJ096", "000002", "00000002.PRN"},
        {"RPJ098", "000001", "00000003.PRN"}, {"RPJ099", "000001", "00000004.PRN"},
        {"RPJ098", "000002", "00000005.PRN"},
    };
    for (const auto& step : steps) {
        const SpoolEntry entry = spool.allocate(QString::fromUtf8(step.code), QStringLiteral("SUPERVISOR"),
                                                QStringLiteral("20100070970"), kToday);
        EXPECT_EQ(entry.secuencia, QString::fromUtf8(step.secuencia)) << step.code;
        EXPECT_EQ(entry.archivo, QString::fromUtf8(step.archivo)) << step.code;
        EXPECT_EQ(entry.path, database.folder() + QStringLiteral("/RPT/") + entry.archivo);
    }
    QSqlQuery row = database.db().run(QStringLiteral("SELECT CodRep, Secuencia, Fecha, usuario, TIP_DOC_D, Doc_id_d "
                                                     "FROM SPOOL WHERE Archivo='00000003.PRN'"));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), QStringLiteral("RPJ098"));
    EXPECT_EQ(row.value(2).toString(), QStringLiteral("2019-03-15"));
    EXPECT_EQ(row.value(3).toString(), QStringLiteral("SUPERVISOR"));
    EXPECT_EQ(row.value(4).toInt(), 6);
    EXPECT_EQ(row.value(5).toString(), QStringLiteral("20100070970"));
}

TEST(SpoolRegistry, NumbersFollowTheRowsAlreadyThereAndTheFileIsWritten) {
    test::TempDatabase database;
    database.db().run(QStringLiteral("INSERT INTO SPOOL (CodRep, Secuencia, Archivo) VALUES "
                                     "('RPJ096','000041','00000099.PRN')"));
    SpoolRegistry spool(database.db(), database.folder() + QStringLiteral("/new/RPT"));
    const SpoolEntry entry = spool.allocate(QStringLiteral("RPJ096"), {}, {}, kToday);
    EXPECT_EQ(entry.secuencia, QStringLiteral("000042"));
    EXPECT_EQ(entry.archivo, QStringLiteral("00000100.PRN"));
    ASSERT_TRUE(SpoolRegistry::save(entry, QStringLiteral("pNuevaHoja\n")));
    QFile file(entry.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("pNuevaHoja\n"));
}

TEST(SpoolRegistry, AReportWhoseFileCannotBeWrittenKeepsNoRow) {
    test::TempDatabase database;
    QFile blocker(database.folder() + QStringLiteral("/RPT"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the spool folder should be
    SpoolRegistry spool(database.db(), blocker.fileName());
    EXPECT_FALSE(spool.publish(QStringLiteral("RPJ096"), {}, {}, kToday, QStringLiteral("pNuevaHoja\n")));
    EXPECT_EQ(test::rowCount(database.db(), QStringLiteral("SPOOL")), 0);

    SpoolRegistry good(database.db(), database.folder() + QStringLiteral("/spool"));
    const auto entry = good.publish(QStringLiteral("RPJ096"), {}, {}, kToday, QStringLiteral("pNuevaHoja\n"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->archivo, QStringLiteral("00000001.PRN")) << "the failed report used no number";
    EXPECT_TRUE(QFile::exists(entry->path));
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A link planted at the next report's name, before the number is taken or between taking it and
// writing: the file it points to keeps its bytes, and the report goes elsewhere or nowhere.
TEST(SpoolRegistry, ALinkAtTheNextNameIsNeverWrittenThrough) {
    test::TempDatabase database;
    const QString folder = database.folder() + QStringLiteral("/RPT");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString victim = database.folder() + QStringLiteral("/victim.txt");
    QFile seed(victim);
    ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
    seed.write("precious");
    seed.close();
    ASSERT_TRUE(QFile::link(victim, folder + QStringLiteral("/00000001.PRN")));
    ASSERT_TRUE(QFile::link(database.folder() + QStringLiteral("/nowhere"), folder + QStringLiteral("/00000002.PRN")));

    SpoolRegistry spool(database.db(), folder);
    QString why;
    const auto entry = spool.publish(QStringLiteral("RPJ096"), {}, {}, kToday, QStringLiteral("pNuevaHoja\n"), &why);
    ASSERT_TRUE(entry) << why.toStdString();
    EXPECT_EQ(entry->archivo, QStringLiteral("00000003.PRN")) << "both links are passed over";
    EXPECT_EQ(contents(entry->path), QByteArray("pNuevaHoja\n"));
    EXPECT_EQ(contents(victim), QByteArray("precious"));
    EXPECT_FALSE(QFile::exists(database.folder() + QStringLiteral("/nowhere")));

    // The link appears after the name was allocated (the imports allocate, then write).
    const SpoolEntry next = spool.allocate(QStringLiteral("RPJ099"), {}, {}, kToday);
    ASSERT_TRUE(QFile::link(victim, next.path));
    EXPECT_FALSE(SpoolRegistry::save(next, QStringLiteral("pNuevaHoja\n"), &why));
    EXPECT_TRUE(why.contains(QStringLiteral("no se reemplaza"))) << why.toStdString();
    EXPECT_EQ(contents(victim), QByteArray("precious"));
}

TEST(SpoolRegistry, AFolderOthersCanWriteIntoIsRefusedWithItsMessage) {
    test::TempDatabase database;
    const QString folder = database.folder() + QStringLiteral("/shared");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
    SpoolRegistry spool(database.db(), folder);
    QString why;
    EXPECT_FALSE(spool.publish(QStringLiteral("RPJ096"), {}, {}, kToday, QStringLiteral("pNuevaHoja\n"), &why));
    EXPECT_TRUE(why.startsWith(QStringLiteral("La carpeta de reportes ") + folder +
                               QStringLiteral(" puede ser modificada por cualquier usuario")))
        << why.toStdString();
    EXPECT_EQ(test::rowCount(database.db(), QStringLiteral("SPOOL")), 0);
    EXPECT_TRUE(QDir(folder).isEmpty());

    const SpoolEntry entry = spool.allocate(QStringLiteral("RPJ099"), {}, {}, kToday);
    EXPECT_FALSE(SpoolRegistry::save(entry, QStringLiteral("pNuevaHoja\n")));
    EXPECT_FALSE(QFile::exists(entry.path));
}

} // namespace
} // namespace qel::printing
