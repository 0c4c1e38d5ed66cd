// A save on the office server killed at any moment leaves the declaration as it was before
// that save or as it is after it, every row with its right check code. A helper process saves
// one declaration over and over, alternating two versions; the test kills it (SIGKILL) at random
// moments, so that the server sees the connection drop in the middle of the transaction.
//
// QEL_CRASH_KILLS sets the number of kills (20 by default here: each run of the helper starts a
// process and opens a declaration of 1,500 annex rows on the server).

#include "office/OfficeFixture.h"
#include "support/FormServices.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#ifndef QEL_SAVE_VICTIM
#error "QEL_SAVE_VICTIM names the helper program"
#endif

using namespace qel;

namespace {

constexpr int kAnnexRows = 1500;
const QString kRuc = QStringLiteral("20100113610");

class ServerSaveCrashTest : public ::testing::TestWithParam<const char*> {
protected:
    // The stored declaration the helper opens: its taxpayer, header and annex rows.
    void fill(store::Database& db) {
        test::registerTaxpayer(db, kRuc, QStringLiteral("VICTIMA S.A."));
        test::insertRow(db, QStringLiteral("CAB"), key, {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 9}});
        db.run(db.dialect().beginWrite()).finish();
        for (int i = 0; i < kAnnexRows / 3; ++i) {
            const QString number = QString::number(i + 1);
            test::insertRow(db, QStringLiteral("F535SOCIOS"), key,
                            {{QStringLiteral("tipo_socio"), QStringLiteral("01")},
                             {QStringLiteral("tipo_doc_socio"), 1},
                             {QStringLiteral("nro_doc_socio"), number.rightJustified(8, u'0')},
                             {QStringLiteral("des_nom_razon"), QStringLiteral("SOCIO")},
                             {QStringLiteral("Porcentaje"), 0.1}});
            test::insertRow(db, QStringLiteral("F535CASEF"), key,
                            {{QStringLiteral("SEMANA"), 0},
                             {QStringLiteral("CASILLA"), QStringLiteral("301")},
                             {QStringLiteral("tipo_doc"), 6},
                             {QStringLiteral("nro_doc"), number},
                             {QStringLiteral("des_razon"), QStringLiteral("CLIENTE")},
                             {QStringLiteral("saldo"), 5000}});
            test::insertRow(db, QStringLiteral("F544ADICDEDUC"), key,
                            {{QStringLiteral("CASILLA"), QStringLiteral("103")},
                             {QStringLiteral("num_correl"), i + 1},
                             {QStringLiteral("des_concepto"), QStringLiteral("GASTO")},
                             {QStringLiteral("MTO_ADIC_DEDUC"), 10}});
        }
        db.run(QStringLiteral("COMMIT")).finish();
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
    const int kills =
        qEnvironmentVariableIsSet("QEL_CRASH_KILLS") ? qEnvironmentVariableIntValue("QEL_CRASH_KILLS") : 20;
    QStringList wrongCodes;
    // Read in one snapshot: on the server a killed client's backend may still be committing its
    // save, and tables read one by one would straddle that commit.
    const bool server = office->onServer();
    auto digest = [&] {
        if (server) {
            office->db().run(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ")).finish();
        }
        const QStringList read = test::declarationRows(office->db(), key);
        wrongCodes += test::wrongCheckCodes(office->db(), key);
        if (server) {
            office->db().run(QStringLiteral("COMMIT")).finish();
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
        QProcess victim;
        victim.start(QStringLiteral(QEL_SAVE_VICTIM), {address, kRuc, QStringLiteral("loop")});
        ASSERT_TRUE(victim.waitForStarted(10000));
        while (!victim.canReadLine()) {
            ASSERT_TRUE(victim.waitForReadyRead(60000)) << victim.readAllStandardError().toStdString();
        }
        QThread::msleep(static_cast<unsigned long>(random.bounded(static_cast<int>(oneRun * 3))));
        ASSERT_EQ(victim.state(), QProcess::Running) << victim.readAllStandardError().toStdString();
        victim.kill();
        ASSERT_TRUE(victim.waitForFinished(10000));

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
