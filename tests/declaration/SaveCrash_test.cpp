// A save, the recovery of a sent version or the delete of a version killed (SIGKILL) at any
// moment leaves the declaration as it was before or as it is after, never a mixture, and the
// database file sound.
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
#include <functional>
#include <string_view>

#ifndef QEL_SAVE_VICTIM
#error "QEL_SAVE_VICTIM names the helper program"
#endif

namespace qel::declaration::testing {
namespace {

using namespace Qt::StringLiterals;

constexpr int kAnnexRows = 1500;
const QString kRuc = u"20100113610"_s;

int crashKills() {
    return qEnvironmentVariableIsSet("QEL_CRASH_KILLS") ? qEnvironmentVariableIntValue("QEL_CRASH_KILLS") : 50;
}

// Runs the helper to its end; how long it took, in milliseconds (at least 50).
qint64 runToEnd(const QStringList& arguments) {
    QElapsedTimer timer;
    timer.start();
    QProcess victim;
    victim.start(QStringLiteral(QEL_SAVE_VICTIM), arguments);
    EXPECT_TRUE(victim.waitForFinished(60000));
    EXPECT_EQ(victim.exitCode(), 0) << victim.readAllStandardError().toStdString();
    return std::max<qint64>(timer.elapsed(), 50);
}

// Starts the helper `kills` times with the arguments of each run and kills it (SIGKILL) at a
// random moment up to `window` milliseconds after it is ready; then `inspect` reads what the
// run left, which must be `before` or `after`.
void killAtRandom(const char* what, qint64 window, const std::function<QStringList()>& arguments,
                  const std::function<QByteArray()>& inspect, const QByteArray& before, const QByteArray& after) {
    const int kills = std::string_view(what) == "save" ? crashKills() : std::max(crashKills() / 2, 1);
    int sawBefore = 0;
    int sawAfter = 0;
    QRandomGenerator random(20190315);
    for (int kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE(kill);
        QProcess victim;
        victim.start(QStringLiteral(QEL_SAVE_VICTIM), arguments());
        ASSERT_TRUE(victim.waitForStarted(10000));
        while (!victim.canReadLine()) {
            ASSERT_TRUE(victim.waitForReadyRead(30000)) << victim.readAllStandardError().toStdString();
        }
        QThread::msleep(static_cast<unsigned long>(random.bounded(static_cast<int>(window))));
        victim.kill();
        ASSERT_TRUE(victim.waitForFinished(10000));
        ASSERT_TRUE(victim.exitStatus() == QProcess::CrashExit || victim.exitCode() == 0)
            << victim.readAllStandardError().toStdString();

        const QByteArray now = inspect();
        EXPECT_TRUE(now == before || now == after) << "a half-done " << what;
        sawBefore += now == before ? 1 : 0;
        sawAfter += now == after ? 1 : 0;
    }
    std::printf("[ crash    ] %s: %d kills, %d before, %d after\n", what, kills, sawBefore, sawAfter);
}

void expectSound(store::Database& db) {
    EXPECT_EQ(db.scalar(u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
}

// A helper process saves a declaration with large annexes over and over, alternating two
// versions ("a" and "b"); each kill must leave one of them.
TEST(SaveCrashTest, KilledSavesLeaveOneVersionOrTheOther) {
    test::TempDatabase database;
    const store::DeclarationKey key = test::demoKey(kRuc);
    store::Database& db = database.db();
    test::registerTaxpayer(db, kRuc, u"VICTIMA S.A."_s);
    test::insertRow(db, u"CAB"_s, key, fields("SEMANA=0; ESTADO=9"));
    db.run(u"BEGIN"_s).finish();
    for (int i = 1; i <= kAnnexRows / 3; ++i) {
        const QString n = QString::number(i);
        const auto insert = [&](const char* table, const QString& values) {
            test::insertRow(db, QString::fromLatin1(table), key, fields(values));
        };
        insert("F535SOCIOS", u"tipo_socio=01; tipo_doc_socio=1; nro_doc_socio=%1; "
                             "des_nom_razon=SOCIO; Porcentaje=0.1"_s.arg(n.rightJustified(8, u'0')));
        insert("F535CASEF", u"SEMANA=0; CASILLA=301; tipo_doc=6; nro_doc=%1; des_razon=CLIENTE; saldo=5000"_s.arg(n));
        insert("F544ADICDEDUC", u"CASILLA=103; num_correl=%1; des_concepto=GASTO; MTO_ADIC_DEDUC=10"_s.arg(n));
    }
    db.run(u"COMMIT"_s).finish();

    const auto save = [&](const char* version) {
        const qint64 took = runToEnd({database.path(), kRuc, QString::fromLatin1(version)});
        database.reopen();
        return took;
    };
    const auto digest = [&] { return declarationDigest(database.db(), key); };
    // The two versions as the helper stores them over each other.
    save("a");
    save("b");
    const QByteArray versionB = digest();
    const qint64 oneRun = save("a");
    const QByteArray versionA = digest();
    ASSERT_NE(versionA, versionB);
    save("b");
    ASSERT_EQ(digest(), versionB) << "a save of the same version must store the same rows";
    save("a");

    killAtRandom(
        "save", oneRun * 3,
        [&] {
            return QStringList{database.path(), kRuc, u"loop"_s};
        },
        [&] {
            database.reopen();
            expectSound(database.db());
            return digest();
        },
        versionA, versionB);
}

// A declaration with two large sent versions and an active declaration of its own, kept as a
// file that each run of the helper starts from: a recovery or a version delete killed at any
// moment leaves the declaration and its versions wholly as before or wholly as after.
class VersionCrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::Database& db = pristine.db();
        test::registerTaxpayer(db, kRuc, u"VICTIMA S.A."_s);
        const store::DeclarationKey key = test::demoKey(kRuc);
        db.run(u"BEGIN"_s).finish();
        test::addSentVersion(db, key, u"1"_s, u"V1"_s, 100);
        test::addSentVersion(db, key, u"2"_s, u"V2"_s, 100);
        test::addActiveDeclaration(db, key, u"ACTIVA"_s, 60);
        db.run(u"COMMIT"_s).finish();
        db.run(u"PRAGMA wal_checkpoint(TRUNCATE)"_s).finish();
    }

    // The helper on a fresh copy of the pristine file, for each run.
    QStringList freshRun(const char* command) {
        path = u"%1/run%2.db"_s.arg(pristine.folder()).arg(++m_runs);
        EXPECT_TRUE(QFile::copy(pristine.path(), path));
        return {path, kRuc, QString::fromLatin1(command), u"1"_s};
    }

    // The digest of the last copy's sent tables, after checking that the file is sound.
    QByteArray inspect() {
        auto opened = store::Database::open(path);
        EXPECT_NE(opened.database, nullptr) << opened.errorText.toStdString();
        if (!opened.database) {
            return {};
        }
        expectSound(*opened.database);
        return test::sentTablesDigest(*opened.database);
    }

    test::TempDatabase pristine;
    QString path;
    int m_runs = 0;
};

TEST_F(VersionCrashTest, KilledRecoveryOrVersionDeleteLeavesTheVersionsAsBeforeOrAsAfter) {
    for (const char* command : {"recover", "delete"}) {
        SCOPED_TRACE(command);
        const QByteArray before = test::sentTablesDigest(pristine.db());
        // The whole command once: what "after" looks like and how long it takes.
        const qint64 oneRun = runToEnd(freshRun(command));
        const QByteArray after = inspect();
        ASSERT_NE(after, before);
        testing::killAtRandom(
            command, oneRun + oneRun / 2, [&] { return freshRun(command); },
            [&] {
                const QByteArray now = inspect();
                QFile::remove(path);
                return now;
            },
            before, after);
    }
}

} // namespace
} // namespace qel::declaration::testing
