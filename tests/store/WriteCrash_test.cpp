// A delete or a working-copy refresh killed at any moment leaves the declaration whole or
// gone, and its working rows all there or none, never part of them; the file stays sound.
// A helper process repeats the command until the test kills it (SIGKILL) at a random moment.
//
// QEL_CRASH_KILLS sets the number of kills of each command (30 by default).

#include "store/Database.h"
#include "store/TableCatalog.h"
#include "support/CrashRun.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

#ifndef QEL_WRITE_VICTIM
#error "QEL_WRITE_VICTIM names the helper program"
#endif

using namespace Qt::StringLiterals;

using namespace qel;

namespace {

const QString kRuc = u"20100113610"_s;

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

// Kills the helper in `mode` at random moments of its first three loops; after each kill the
// file is sound and `check` sees what the kill left.
void killRepeatedly(test::TempDatabase& database, const QString& mode, quint32 seed,
                    const std::function<void()>& check) {
    const qint64 loop = loopTime(database.path(), mode);
    QRandomGenerator random(seed);
    for (int kill = 0; kill < test::crashKills(30); ++kill) {
        SCOPED_TRACE(kill);
        test::killAtRandom(QStringLiteral(QEL_WRITE_VICTIM), {database.path(), kRuc, mode}, random, loop * 3);
        database.reopen();
        ASSERT_EQ(database.db().scalar(u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
        check();
    }
}

TEST(WriteCrash, KilledDeletesLeaveTheDeclarationWholeOrGone) {
    test::TempDatabase database;
    const QStringList tables = {u"CAB"_s, u"DET"_s, u"F535SOCIOS"_s, u"F535CASEF"_s};
    const QList<int> whole = {1, 60, 400, 400};
    int sawWhole = 0;
    killRepeatedly(database, u"delete"_s, 20190402, [&] {
        const QList<int> now = counts(database.db(), tables);
        ASSERT_TRUE(now == whole || now == QList<int>({0, 0, 0, 0}))
            << "part of a declaration: " << now.at(0) << " " << now.at(1) << " " << now.at(2) << " " << now.at(3);
        if (now == whole) {
            ++sawWhole; // removed here, so that the helper can store it again
            for (const QString& table : tables) {
                database.db().run(u"DELETE FROM "_s + table).finish();
            }
        }
    });
    std::printf("[ crash    ] %d kills of a delete: %d left the declaration whole\n", test::crashKills(30), sawWhole);
}

TEST(WriteCrash, KilledRefreshesLeaveAllTheWorkingRowsOrNone) {
    test::TempDatabase database;
    // The stored declaration whose working copies the helper fills and empties.
    {
        QProcess store;
        store.start(QStringLiteral(QEL_WRITE_VICTIM), {database.path(), kRuc, u"store"_s});
        ASSERT_TRUE(store.waitForFinished(30000));
        ASSERT_EQ(store.exitCode(), 0) << store.readAllStandardError().toStdString();
    }
    database.reopen();
    const QStringList permanent = {u"F535SOCIOS"_s, u"F535CASEF"_s};
    ASSERT_EQ(counts(database.db(), permanent), (QList<int>{400, 400}));
    int sawFilled = 0;
    killRepeatedly(database, u"refresh"_s, 20190403, [&] {
        ASSERT_EQ(counts(database.db(), permanent), (QList<int>{400, 400}));
        const QList<int> now = counts(database.db(), {u"TMPF535SOCIOS"_s, u"TMPF535CASEF"_s});
        ASSERT_TRUE(now == QList<int>({400, 400}) || now == QList<int>({0, 0})) << "part of the working rows";
        sawFilled += now.first() == 400 ? 1 : 0;
    });
    std::printf("[ crash    ] %d kills of a working-copy refresh: %d filled\n", test::crashKills(30), sawFilled);
}

} // namespace
