#include "launcher/ModuleStarter.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using qel::launcher::ModuleStarter;

TEST(ModuleStarter, StartsTheModuleBesideTheLauncherWithTheSameEnvironment) {
    QTemporaryDir programs;
    QTemporaryDir work;
    const ModuleStarter starter(programs.path());
    EXPECT_EQ(starter.start("0588"), "No se encontró el módulo 0588.");

    // A stand-in module that writes down where it runs and which configuration it sees.
    QFile module(programs.path() + "/pm0588");
    ASSERT_TRUE(module.open(QIODevice::WriteOnly));
    module.write("#!/bin/sh\nprintf '%s|%s' \"$(pwd)\" \"$QEL_CONFIG_DIR\" > started.tmp && mv started.tmp started\n");
    module.close();
    EXPECT_EQ(starter.start("0588"),
              "No se encontró el módulo 0588."); // not executable
    module.setPermissions(module.permissions() | QFileDevice::ExeOwner);

    const QByteArray previous = qgetenv("QEL_CONFIG_DIR");
    qputenv("QEL_CONFIG_DIR", "/tmp/configuracion-qel");
    const QString refused = starter.start("0588", work.path());
    qputenv("QEL_CONFIG_DIR", previous);
    ASSERT_EQ(refused, QString());

    QFile started(work.path() + "/started");
    QDeadlineTimer deadline(5000);
    while (!started.exists() && !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLocal8Bit(started.readAll()), work.path() + "|/tmp/configuracion-qel");
}
