// A save killed at any moment leaves the declaration as it was before that save or as it is
// after it, never a mixture, and the database file sound. A helper process saves a declaration
// over and over, alternating two versions; the test kills it (SIGKILL) at random moments and
// looks at the database after each kill.
//
// The same holds for the recovery of a sent version and for the delete of a version: killed at
// any moment, the declaration and its versions are wholly as before or wholly as after.
//
// QEL_CRASH_KILLS sets the number of kills of a save (50 by default, about 20 seconds); the
// recovery and the version delete are killed half as often.

#include "SaveFixture.h"
#include "management/SentVersionsFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#ifndef QEL_SAVE_VICTIM
#error "QEL_SAVE_VICTIM names the helper program"
#endif

namespace qel::declaration::testing {
namespace {

constexpr int kAnnexRows = 1500;

int crashKills() {
    return qEnvironmentVariableIsSet("QEL_CRASH_KILLS") ? qEnvironmentVariableIntValue("QEL_CRASH_KILLS") : 50;
}

class SaveCrashTest : public ::testing::Test {
protected:
    static inline const QString kRuc = QStringLiteral("20100113610");

    store::DeclarationKey key() const { return test::demoKey(kRuc); }

    // The stored declaration the helper opens: its taxpayer, header and annex rows.
    void SetUp() override {
        store::Database& db = database.db();
        test::registerTaxpayer(db, kRuc, QStringLiteral("VICTIMA S.A."));
        test::insertRow(db, QStringLiteral("CAB"), key(), fields("SEMANA=0; ESTADO=9"));
        db.run(QStringLiteral("BEGIN")).finish();
        for (int i = 1; i <= kAnnexRows / 3; ++i) {
            const QString n = QString::number(i);
            const auto insert = [&](const char* table, const QString& values) {
                test::insertRow(db, QString::fromLatin1(table), key(), fields(values));
            };
            insert("F535SOCIOS",
                   QStringLiteral("tipo_socio=01; tipo_doc_socio=1; nro_doc_socio=%1; des_nom_razon=SOCIO; "
                                  "Porcentaje=0.1")
                       .arg(n.rightJustified(8, u'0')));
            insert(
                "F535CASEF",
                QStringLiteral("SEMANA=0; CASILLA=301; tipo_doc=6; nro_doc=%1; des_razon=CLIENTE; saldo=5000").arg(n));
            insert("F544ADICDEDUC",
                   QStringLiteral("CASILLA=103; num_correl=%1; des_concepto=GASTO; MTO_ADIC_DEDUC=10").arg(n));
        }
        db.run(QStringLiteral("COMMIT")).finish();
    }

    // Runs the helper to its end.
    void saveOnce(const char* version) {
        QProcess victim;
        victim.start(QStringLiteral(QEL_SAVE_VICTIM), {database.path(), kRuc, QString::fromLatin1(version)});
        ASSERT_TRUE(victim.waitForFinished(60000));
        ASSERT_EQ(victim.exitCode(), 0) << victim.readAllStandardError().toStdString();
        database.reopen();
    }

    QByteArray digest() { return declarationDigest(database.db(), key()); }

    test::TempDatabase database;
};

TEST_F(SaveCrashTest, KilledSavesLeaveOneVersionOrTheOther) {
    const int kills = crashKills();

    // The two versions as the helper stores them over each other.
    saveOnce("a");
    saveOnce("b");
    const QByteArray versionB = digest();
    saveOnce("a");
    const QByteArray versionA = digest();
    ASSERT_NE(versionA, versionB);
    saveOnce("b");
    ASSERT_EQ(digest(), versionB) << "a save of the same version must store the same rows";

    // How long one run of the helper takes, to spread the kills over whole saves.
    QElapsedTimer timer;
    timer.start();
    saveOnce("a");
    const qint64 oneRun = std::max<qint64>(timer.elapsed(), 50);
    ASSERT_EQ(digest(), versionA);

    int sawA = 0;
    int sawB = 0;
    QRandomGenerator random(20190315);
    for (int kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE(kill);
        QProcess victim;
        victim.setProcessChannelMode(QProcess::SeparateChannels);
        victim.start(QStringLiteral(QEL_SAVE_VICTIM), {database.path(), kRuc, QStringLiteral("loop")});
        ASSERT_TRUE(victim.waitForStarted(10000));
        while (!victim.canReadLine()) {
            ASSERT_TRUE(victim.waitForReadyRead(30000)) << victim.readAllStandardError().toStdString();
        }
        QThread::msleep(static_cast<unsigned long>(random.bounded(static_cast<int>(oneRun * 3))));
        ASSERT_EQ(victim.state(), QProcess::Running) << victim.readAllStandardError().toStdString();
        victim.kill();
        ASSERT_TRUE(victim.waitForFinished(10000));

        database.reopen();
        EXPECT_EQ(database.db().scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        const QByteArray now = digest();
        EXPECT_TRUE(now == versionA || now == versionB) << "a mixture of two saves";
        sawA += now == versionA ? 1 : 0;
        sawB += now == versionB ? 1 : 0;
    }
    std::printf("[ crash    ] %d kills: %d before a save of version b or after one of a, %d the other way\n", kills,
                sawA, sawB);
}

// A declaration with two large sent versions and an active declaration of its own, kept as a
// file that each run of the helper starts from.
class VersionCrashTest : public ::testing::Test {
protected:
    static inline const QString kRuc = QStringLiteral("20100113610");

    void SetUp() override {
        store::Database& db = pristine.db();
        test::registerTaxpayer(db, kRuc, QStringLiteral("VICTIMA S.A."));
        const store::DeclarationKey key = test::demoKey(kRuc);
        db.run(QStringLiteral("BEGIN")).finish();
        test::addSentVersion(db, key, QStringLiteral("1"), QStringLiteral("V1"), 100);
        test::addSentVersion(db, key, QStringLiteral("2"), QStringLiteral("V2"), 100);
        test::addActiveDeclaration(db, key, QStringLiteral("ACTIVA"), 60);
        db.run(QStringLiteral("COMMIT")).finish();
        db.run(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")).finish();
        before = test::sentTablesDigest(db);
    }

    // A copy of the pristine file for one run.
    QString freshCopy() {
        const QString path = QStringLiteral("%1/run%2.db").arg(pristine.folder()).arg(++m_runs);
        EXPECT_TRUE(QFile::copy(pristine.path(), path));
        return path;
    }

    // The digest of the copy's sent tables, after checking that the file is sound.
    static QByteArray inspect(const QString& path) {
        auto opened = store::Database::open(path);
        EXPECT_NE(opened.database, nullptr) << opened.errorText.toStdString();
        if (!opened.database) {
            return {};
        }
        EXPECT_EQ(opened.database->scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        return test::sentTablesDigest(*opened.database);
    }

    void start(QProcess& victim, const QString& path, const char* command) {
        victim.start(QStringLiteral(QEL_SAVE_VICTIM), {path, kRuc, QString::fromLatin1(command), QStringLiteral("1")});
        ASSERT_TRUE(victim.waitForStarted(10000));
    }

    // Kills the helper at random moments of the command and finds each copy before or after it.
    void killAtRandom(const char* command) {
        // The whole command once: what "after" looks like and how long it takes.
        const QString whole = freshCopy();
        QElapsedTimer timer;
        QProcess complete;
        start(complete, whole, command);
        timer.start();
        ASSERT_TRUE(complete.waitForFinished(60000));
        ASSERT_EQ(complete.exitCode(), 0) << complete.readAllStandardError().toStdString();
        const qint64 oneRun = std::max<qint64>(timer.elapsed(), 50);
        const QByteArray after = inspect(whole);
        ASSERT_NE(after, before);

        int sawBefore = 0;
        int sawAfter = 0;
        // Half the kills of the save test: each run starts a process and reads two copies.
        const int kills = std::max(crashKills() / 2, 1);
        QRandomGenerator random(20190402);
        for (int kill = 0; kill < kills; ++kill) {
            SCOPED_TRACE(kill);
            const QString path = freshCopy();
            QProcess victim;
            start(victim, path, command);
            while (!victim.canReadLine()) {
                ASSERT_TRUE(victim.waitForReadyRead(30000)) << victim.readAllStandardError().toStdString();
            }
            QThread::msleep(static_cast<unsigned long>(random.bounded(static_cast<int>(oneRun + oneRun / 2))));
            victim.kill();
            ASSERT_TRUE(victim.waitForFinished(10000));

            const QByteArray now = inspect(path);
            EXPECT_TRUE(now == before || now == after) << "a half-done " << command;
            sawBefore += now == before ? 1 : 0;
            sawAfter += now == after ? 1 : 0;
            QFile::remove(path);
        }
        std::printf("[ crash    ] %s: %d kills, %d before, %d after\n", command, kills, sawBefore, sawAfter);
    }

    test::TempDatabase pristine;
    QByteArray before;
    int m_runs = 0;
};

TEST_F(VersionCrashTest, KilledRecoveryLeavesTheOldDeclarationOrTheRecoveredOne) {
    killAtRandom("recover");
}

TEST_F(VersionCrashTest, KilledVersionDeleteLeavesTheVersionWholeOrGone) {
    killAtRandom("delete");
}

} // namespace
} // namespace qel::declaration::testing
