#include "launcher/EarlyModuleStart.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using qel::launcher::EarlyModuleStart;
using qel::launcher::ModuleStarter;

namespace {

bool waitFor(const QString& path, int ms) {
    QDeadlineTimer deadline(ms);
    while (!QFile::exists(path) && !deadline.hasExpired()) {
        QThread::msleep(10);
    }
    return QFile::exists(path);
}

} // namespace

// A stand-in module says it waits, then writes what came through the launcher's pipe: the
// byte of a shown window, or nothing when the pipe closed.
TEST(EarlyModuleStart, TheModuleGoesOnWhenTheWindowIsShownAndEndsWhenItNeverIs) {
    QTemporaryDir programs;
    QFile module(programs.path() + "/pm0588");
    ASSERT_TRUE(module.open(QIODevice::WriteOnly));
    module.write("#!/bin/bash\n: > waiting\nc=$(head -c1 <&\"$QEL_LAUNCHER_PIPE\")\n"
                 "printf 'got[%s]' \"$c\" > heard.tmp && mv heard.tmp heard\n");
    module.close();
    module.setPermissions(module.permissions() | QFileDevice::ExeOwner);
    const ModuleStarter starter(programs.path());

    for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown ? "window shown" : "launcher ended first");
        QTemporaryDir work;
        {
            EarlyModuleStart start(starter, "0588", work.path());
            ASSERT_TRUE(start.started());
            ASSERT_TRUE(waitFor(work.filePath("waiting"), 5000));
            EXPECT_FALSE(QFile::exists(work.filePath("heard"))) << "nothing before the window";
            if (shown) {
                start.windowShown();
            }
        }
        if (shown) {
            ASSERT_TRUE(waitFor(work.filePath("heard"), 5000));
            QFile heard(work.filePath("heard"));
            ASSERT_TRUE(heard.open(QIODevice::ReadOnly));
            EXPECT_EQ(heard.readAll(), QByteArray("got[1]"));
        } else {
            EXPECT_FALSE(waitFor(work.filePath("heard"), 300)) << "the module was ended";
        }
    }

    // A module that cannot be started leaves the start to the launcher's window.
    const EarlyModuleStart missing(ModuleStarter("/nonexistent"), "0588", QString());
    EXPECT_FALSE(missing.started());
}
