// A save on the office server killed at any moment leaves the declaration as it was before
// that save or as it is after it, every row with its right check code. A helper process saves
// one declaration over and over, alternating two versions; the test kills it (SIGKILL) at random
// moments, so that the server sees the connection drop in the middle of the transaction.
//
// QEL_CRASH_KILLS sets the number of kills (20 by default here: each run of the helper starts a
// process and opens a declaration of 1,500 annex rows on the server).

#include "management/SentVersionsFixture.h"
#include "office/OfficeFixture.h"
#include "support/CrashRun.h"
#include "support/FormServices.h"

#include <QElapsedTimer>
#include <QProcess>

#ifndef QEL_SAVE_VICTIM
#error "QEL_SAVE_VICTIM names the helper program"
#endif

using namespace Qt::StringLiterals;

using namespace qel;

namespace {

constexpr int kAnnexRows = 1500;
const QString kRuc = u"20100113610"_s;

class ServerSaveCrashTest : public ::testing::TestWithParam<const char*> {
protected:
    // The stored declaration the helper opens: its taxpayer, header and annex rows.
    void fill(store::Database& db) {
        test::registerTaxpayer(db, kRuc, u"VICTIMA S.A."_s);
        test::addStoredDeclaration(db, key, {}, 9);
        db.run(db.dialect().beginWrite()).finish();
        for (int i = 0; i < kAnnexRows / 3; ++i) {
            const QString number = QString::number(i + 1);
            test::insertRow(db, u"F535SOCIOS"_s, key, test::partnerRow(number.rightJustified(8, u'0'), 0.1));
            test::insertRow(db, u"F535CASEF"_s, key,
                            {{u"SEMANA"_s, 0},
                             {u"CASILLA"_s, u"301"_s},
                             {u"tipo_doc"_s, 6},
                             {u"nro_doc"_s, number},
                             {u"des_razon"_s, u"CLIENTE"_s},
                             {u"saldo"_s, 5000}});
            test::insertRow(db, u"F544ADICDEDUC"_s, key,
                            {{u"CASILLA"_s, u"103"_s},
                             {u"num_correl"_s, i + 1},
                             {u"des_concepto"_s, u"GASTO"_s},
                             {u"MTO_ADIC_DEDUC"_s, 10}});
        }
        db.run(u"COMMIT"_s).finish();
    }

    void saveOnce(const QString& address, const char* version) {
        QProcess victim;
        victim.start(QStringLiteral(QEL_SAVE_VICTIM), {address, kRuc, QString::fromLatin1(version)});
        ASSERT_TRUE(victim.waitForFinished(120000));
        ASSERT_EQ(victim.exitCode(), 0) << victim.readAllStandardError().toStdString();
    }

    const store::DeclarationKey key = test::demoKey(kRuc);
};

TEST_P(ServerSaveCrashTest, KilledSavesLeaveOneVersionOrTheOtherWithTheirCheckCodes) {
    QEL_OFFICE_DATABASE(office);
    fill(office->db());
    const QString address = office->address();
    const int kills = test::crashKills(20);
    QStringList wrongCodes;
    // Read in one snapshot: on the server a killed client's backend may still be committing its
    // save, and tables read one by one would straddle that commit.
    const bool server = office->onServer();
    auto digest = [&] {
        if (server) {
            office->db().run(u"BEGIN ISOLATION LEVEL REPEATABLE READ"_s).finish();
        }
        const QStringList read = test::declarationRows(office->db(), key);
        wrongCodes += test::wrongCheckCodes(office->db(), key);
        if (server) {
            office->db().run(u"COMMIT"_s).finish();
        }
        return read;
    };

    saveOnce(address, "b");
    const QStringList versionB = digest();
    QElapsedTimer timer;
    timer.start();
    saveOnce(address, "a");
    const qint64 oneRun = std::max<qint64>(timer.elapsed(), 50);
    const QStringList versionA = digest();
    ASSERT_NE(versionA, versionB);
    saveOnce(address, "b");
    ASSERT_EQ(digest(), versionB) << "a save of the same version must store the same rows";
    ASSERT_EQ(wrongCodes, QStringList());

    int sawA = 0;
    int sawB = 0;
    QRandomGenerator random(20190315);
    for (int kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE(kill);
        test::killAtRandom(QStringLiteral(QEL_SAVE_VICTIM), {address, kRuc, u"loop"_s}, random, oneRun * 3);

        const QStringList now = digest();
        EXPECT_TRUE(now == versionA || now == versionB) << "a mixture of two saves";
        EXPECT_EQ(wrongCodes, QStringList()) << "rows whose check code does not match them";
        sawA += now == versionA ? 1 : 0;
        sawB += now == versionB ? 1 : 0;
    }
    std::printf("[ crash    ] %s: %d kills, %d as version a, %d as version b\n", GetParam(), kills, sawA, sawB);
}

// The file has its own crash tests; the server is what this one is for.
INSTANTIATE_TEST_SUITE_P(Office, ServerSaveCrashTest, ::testing::Values(test::OfficeDatabase::kServer),
                         test::officeEngineName);

} // namespace
