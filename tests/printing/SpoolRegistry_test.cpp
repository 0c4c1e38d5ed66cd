#include "batch/BatchFixture.h"
#include "printing/SpoolRegistry.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::printing {
namespace {

const QDate kToday(2019, 3, 15);

TEST(SpoolRegistry, NumbersGrowPerReportCodeAndFileNamesOverAllAfterTheRowsThere) {
    test::TempDatabase database;
    SpoolRegistry spool(database.db(), database.folder() + u"/new/RPT"_s); // made with the first file
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
        const SpoolEntry entry =
            spool.allocate(QString::fromUtf8(step.code), u"SUPERVISOR"_s, u"20100070970"_s, kToday);
        EXPECT_EQ(entry.secuencia, QString::fromUtf8(step.secuencia)) << step.code;
        EXPECT_EQ(entry.archivo, QString::fromUtf8(step.archivo)) << step.code;
        EXPECT_EQ(entry.path, database.folder() + u"/new/RPT/"_s + entry.archivo);
    }
    EXPECT_EQ(database.db()
                  .scalar(u"SELECT CodRep || '|' || Fecha || '|' || usuario || '|' || TIP_DOC_D || '|' || Doc_id_d "
                          "FROM SPOOL WHERE Archivo='00000003.PRN'"_s)
                  .toString(),
              u"RPJ098|2019-03-15|SUPERVISOR|6|20100070970"_s);

    // The numbers follow the rows already there, whatever made them; the file is written.
    database.db().run(u"INSERT INTO SPOOL (CodRep, Secuencia, Archivo) VALUES ('RPJ096','000041','00000099.PRN')"_s);
    const SpoolEntry entry = spool.allocate(u"RPJ096"_s, {}, {}, kToday);
    EXPECT_EQ(entry.secuencia, u"000042"_s);
    EXPECT_EQ(entry.archivo, u"00000100.PRN"_s);
    ASSERT_TRUE(SpoolRegistry::save(entry, u"pNuevaHoja\n"_s));
    EXPECT_EQ(test::readFile(entry.path), QByteArray("pNuevaHoja\n"));
}

TEST(SpoolRegistry, AReportWhoseFileCannotBeWrittenKeepsNoRow) {
    test::TempDatabase database;
    QFile blocker(database.folder() + u"/RPT"_s);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the spool folder should be
    SpoolRegistry spool(database.db(), blocker.fileName());
    EXPECT_FALSE(spool.publish(u"RPJ096"_s, {}, {}, kToday, u"pNuevaHoja\n"_s));
    EXPECT_EQ(test::rowCount(database.db(), u"SPOOL"_s), 0);

    SpoolRegistry good(database.db(), database.folder() + u"/spool"_s);
    const auto entry = good.publish(u"RPJ096"_s, {}, {}, kToday, u"pNuevaHoja\n"_s);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->archivo, u"00000001.PRN"_s) << "the failed report used no number";
    EXPECT_TRUE(QFile::exists(entry->path));
}

// A link planted at the next report's name, before the number is taken or between taking it and
// writing: the file it points to keeps its bytes, and the report goes elsewhere or nowhere.
TEST(SpoolRegistry, ALinkAtTheNextNameIsNeverWrittenThrough) {
    test::TempDatabase database;
    const QString folder = database.folder() + u"/RPT"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString victim = database.folder() + u"/victim.txt"_s;
    test::writeFile(victim, "precious");
    ASSERT_TRUE(QFile::link(victim, folder + u"/00000001.PRN"_s));
    ASSERT_TRUE(QFile::link(database.folder() + u"/nowhere"_s, folder + u"/00000002.PRN"_s));

    SpoolRegistry spool(database.db(), folder);
    QString why;
    const auto entry = spool.publish(u"RPJ096"_s, {}, {}, kToday, u"pNuevaHoja\n"_s, &why);
    ASSERT_TRUE(entry) << why.toStdString();
    EXPECT_EQ(entry->archivo, u"00000003.PRN"_s) << "both links are passed over";
    EXPECT_EQ(test::readFile(entry->path), QByteArray("pNuevaHoja\n"));
    EXPECT_EQ(test::readFile(victim), QByteArray("precious"));
    EXPECT_FALSE(QFile::exists(database.folder() + u"/nowhere"_s));

    // The link appears after the name was allocated (the imports allocate, then write).
    const SpoolEntry next = spool.allocate(u"RPJ099"_s, {}, {}, kToday);
    ASSERT_TRUE(QFile::link(victim, next.path));
    EXPECT_FALSE(SpoolRegistry::save(next, u"pNuevaHoja\n"_s, &why));
    EXPECT_TRUE(why.contains(u"no se reemplaza"_s)) << why.toStdString();
    EXPECT_EQ(test::readFile(victim), QByteArray("precious"));
}

TEST(SpoolRegistry, AFolderOthersCanWriteIntoIsRefusedWithItsMessage) {
    test::TempDatabase database;
    const QString folder = database.folder() + u"/shared"_s;
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
    SpoolRegistry spool(database.db(), folder);
    QString why;
    EXPECT_FALSE(spool.publish(u"RPJ096"_s, {}, {}, kToday, u"pNuevaHoja\n"_s, &why));
    EXPECT_TRUE(
        why.startsWith(u"La carpeta de reportes "_s + folder + u" puede ser modificada por cualquier usuario"_s))
        << why.toStdString();
    EXPECT_EQ(test::rowCount(database.db(), u"SPOOL"_s), 0);
    EXPECT_TRUE(QDir(folder).isEmpty());

    const SpoolEntry entry = spool.allocate(u"RPJ099"_s, {}, {}, kToday);
    EXPECT_FALSE(SpoolRegistry::save(entry, u"pNuevaHoja\n"_s));
    EXPECT_FALSE(QFile::exists(entry.path));
}

} // namespace
} // namespace qel::printing
