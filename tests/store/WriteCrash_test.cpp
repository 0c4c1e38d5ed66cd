// A delete or a working-copy refresh killed at any moment leaves the declaration whole or
// gone, and its working rows all there or none, never part of them; the file stays sound.
// A helper process repeats the command until the test kills it (SIGKILL) at a random moment.
//
// QEL_CRASH_KILLS sets the number of kills of each command (30 by default).

#include "store/Database.h"
#include "store/TableCatalog.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

#ifndef QEL_WRITE_VICTIM
#error "QEL_WRITE_VICTIM names the helper program"
#endif

using namespace qel;

namespace {

const QString kRuc = QStringLiteral("20100113610");

int killCount() {
    return qEnvironmentVariableIsSet("QEL_CRASH_KILLS") ? qEnvironmentVariableIntValue("QEL_CRASH_KILLS") : 30;
}

// Starts the helper, lets it run for a random time up to three of its loops and kills it.
void killOnce(const QString& database, const QString& mode, QRandomGenerator& random, qint64 loop) {
    QProcess victim;
    victim.start(QStringLiteral(QEL_WRITE_VICTIM), {database, kRuc, mode});
    ASSERT_TRUE(victim.waitForStarted(10000));
    while (!victim.canReadLine()) {
        ASSERT_TRUE(victim.waitForReadyRead(30000)) << victim.readAllStandardError().toStdString();
    }
    QThread::msleep(static_cast<unsigned long>(random.bounded(static_cast<int>(loop * 3))));
    ASSERT_EQ(victim.state(), QProcess::Running) << victim.readAllStandardError().toStdString();
    victim.kill();
    ASSERT_TRUE(victim.waitForFinished(10000));
}

// How long one loop of the helper takes: the time to its second step line.
qint64 loopTime(const QString& database, const QString& mode) {
    QProcess victim;
    victim.start(QStringLiteral(QEL_WRITE_VICTIM), {database, kRuc, mode});
    victim.waitForStarted(10000);
    QElapsedTimer timer;
    int lines = 0;
    while (lines < 3 && victim.waitForReadyRead(30000)) {
        if (lines == 0) {
            timer.start();
        }
        while (victim.canReadLine()) {
            victim.readLine();
            ++lines;
        }
    }
    const qint64 elapsed = timer.elapsed();
    victim.kill();
    victim.waitForFinished(10000);
    return std::max<qint64>(elapsed, 20);
}

QList<int> counts(store::Database& db, const QStringList& tables) {
    QList<int> result;
    for (const QString& table : tables) {
        result.append(test::rowCount(db, table, test::demoKey(kRuc)));
    }
    return result;
}

TEST(WriteCrash, KilledDeletesLeaveTheDeclarationWholeOrGone) {
    test::TempDatabase database;
    const QStringList tables = {QStringLiteral("CAB"), QStringLiteral("DET"), QStringLiteral("F535SOCIOS"),
                                QStringLiteral("F535CASEF")};
    const qint64 loop = loopTime(database.path(), QStringLiteral("delete"));
    database.reopen();
    const QList<int> whole = {1, 60, 400, 400};
    const QList<int> gone = {0, 0, 0, 0};
    QRandomGenerator random(20190402);
    int sawWhole = 0;
    for (int kill = 0; kill < killCount(); ++kill) {
        SCOPED_TRACE(kill);
        killOnce(database.path(), QStringLiteral("delete"), random, loop);
        database.reopen();
        ASSERT_EQ(database.db().scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        const QList<int> now = counts(database.db(), tables);
        ASSERT_TRUE(now == whole || now == gone)
            << "part of a declaration: " << now.at(0) << " " << now.at(1) << " " << now.at(2) << " " << now.at(3);
        if (now == whole) {
            ++sawWhole; // removed here, so that the helper can store it again
            for (const QString& table : tables) {
                database.db().run(QStringLiteral("DELETE FROM ") + table).finish();
            }
        }
    }
    std::printf("[ crash    ] %d kills of a delete: %d left the declaration whole, %d gone\n", killCount(), sawWhole,
                killCount() - sawWhole);
}

TEST(WriteCrash, KilledRefreshesLeaveAllTheWorkingRowsOrNone) {
    test::TempDatabase database;
    // The stored declaration whose working copies the helper fills and empties.
    {
        QProcess store;
        store.start(QStringLiteral(QEL_WRITE_VICTIM), {database.path(), kRuc, QStringLiteral("store")});
        ASSERT_TRUE(store.waitForFinished(30000));
        ASSERT_EQ(store.exitCode(), 0) << store.readAllStandardError().toStdString();
    }
    database.reopen();
    QList<int> permanent = counts(database.db(), {QStringLiteral("F535SOCIOS"), QStringLiteral("F535CASEF")});
    ASSERT_EQ(permanent, (QList<int>{400, 400}));
    const QStringList working = {QStringLiteral("TMPF535SOCIOS"), QStringLiteral("TMPF535CASEF")};
    const qint64 loop = loopTime(database.path(), QStringLiteral("refresh"));
    QRandomGenerator random(20190403);
    int sawFilled = 0;
    for (int kill = 0; kill < killCount(); ++kill) {
        SCOPED_TRACE(kill);
        killOnce(database.path(), QStringLiteral("refresh"), random, loop);
        database.reopen();
        ASSERT_EQ(database.db().scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        ASSERT_EQ(counts(database.db(), {QStringLiteral("F535SOCIOS"), QStringLiteral("F535CASEF")}), permanent);
        const QList<int> now = counts(database.db(), working);
        const bool allOrNone = now == permanent || now == QList<int>{0, 0};
        ASSERT_TRUE(allOrNone) << "part of the working rows";
        sawFilled += now == permanent ? 1 : 0;
    }
    std::printf("[ crash    ] %d kills of a working-copy refresh: %d filled, %d empty\n", killCount(), sawFilled,
                killCount() - sawFilled);
}

} // namespace
