#include "printing/SpoolRegistry.h"
#include "support/TestSupport.h"

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

} // namespace
} // namespace qel::printing
