#pragma once

// The crash tests: a helper process repeats a command until the test kills it (SIGKILL) at a
// random moment of its loop.

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

namespace qel::test {

// The number of kills of a crash test: QEL_CRASH_KILLS, else `byDefault`.
inline int crashKills(int byDefault) {
    return qEnvironmentVariableIsSet("QEL_CRASH_KILLS") ? qEnvironmentVariableIntValue("QEL_CRASH_KILLS") : byDefault;
}

// Starts the helper, waits for its first line (its loop has begun), lets it run a random time
// below `maxMs` and kills it.
inline void killAtRandom(const QString& program, const QStringList& arguments, QRandomGenerator& random, qint64 maxMs) {
    QProcess victim;
    victim.start(program, arguments);
    ASSERT_TRUE(victim.waitForStarted(10000));
    while (!victim.canReadLine()) {
        ASSERT_TRUE(victim.waitForReadyRead(60000)) << victim.readAllStandardError().toStdString();
    }
    QThread::msleep(static_cast<unsigned long>(random.bounded(static_cast<int>(maxMs))));
    ASSERT_EQ(victim.state(), QProcess::Running) << victim.readAllStandardError().toStdString();
    victim.kill();
    ASSERT_TRUE(victim.waitForFinished(10000));
}

} // namespace qel::test
