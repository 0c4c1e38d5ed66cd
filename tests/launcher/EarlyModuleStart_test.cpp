#include "app/Files.h"
#include "launcher/EarlyModuleStart.h"
#include "launcher/ModuleStarter.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>

using qel::launcher::EarlyModuleStart;
using qel::launcher::ModuleStarter;

namespace {

// What a stand-in module wrote into `path`, once it is there; nothing when it never came.
std::optional<QByteArray> waitFor(const QString& path, int ms) {
    QDeadlineTimer deadline(ms);
    while (!QFile::exists(path) && !deadline.hasExpired()) {
        QThread::msleep(10);
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? std::optional(file.readAll()) : std::nullopt;
}

// A stand-in module program in its own folder.
class StandInModule : public ::testing::Test {
protected:
    void install(const QByteArray& script, bool executable = true) {
        const QString module = qel::test::writeBytes(m_programs.path() + "/pm0588", script);
        if (executable) {
            QFile::setPermissions(module, QFile::permissions(module) | QFileDevice::ExeOwner);
        }
    }

    QTemporaryDir m_programs;
    QTemporaryDir m_work;
    const ModuleStarter m_starter{m_programs.path()};
};

} // namespace

// The module runs beside the launcher, in the working folder, and sees its configuration.
TEST_F(StandInModule, StartsTheModuleBesideTheLauncherWithTheSameEnvironment) {
    const QString missing = "No se encontró el módulo 0588.";
    EXPECT_EQ(m_starter.start("0588"), missing);
    const QByteArray script =
        "#!/bin/sh\nprintf '%s|%s' \"$(pwd)\" \"$QEL_CONFIG_DIR\" > started.tmp && mv started.tmp started\n";
    install(script, false);
    EXPECT_EQ(m_starter.start("0588"), missing) << "not executable";
    install(script);

    const QByteArray previous = qgetenv("QEL_CONFIG_DIR");
    qputenv("QEL_CONFIG_DIR", "/tmp/configuracion-qel");
    const QString refused = m_starter.start("0588", m_work.path());
    qputenv("QEL_CONFIG_DIR", previous);
    ASSERT_EQ(refused, QString());
    EXPECT_EQ(waitFor(m_work.filePath("started"), 5000), (m_work.path() + "|/tmp/configuracion-qel").toLocal8Bit());
}

// The module says it waits, then writes what came through the launcher's connection: the byte
// of a verified login, or nothing when the launcher ended first. Its end closes when it ends,
// as it does once its window is shown, and the launcher waiting for that goes on.
TEST_F(StandInModule, TheModuleGoesOnWhenTheLoginVerifiesAndEndsWhenItNeverDoes) {
    install("#!/bin/bash\n: > waiting\nc=$(head -c1 <&\"$QEL_LAUNCHER_PIPE\")\n"
            "printf 'got[%s]' \"$c\" > heard.tmp && mv heard.tmp heard\n");
    for (const bool verified : {true, false}) {
        SCOPED_TRACE(verified ? "login verified" : "launcher ended first");
        QTemporaryDir work;
        {
            EarlyModuleStart start(m_starter, "0588", work.path());
            ASSERT_TRUE(start.started());
            ASSERT_TRUE(waitFor(work.filePath("waiting"), 5000));
            EXPECT_FALSE(QFile::exists(work.filePath("heard"))) << "nothing before the login";
            if (verified) {
                start.loginVerified();
                QElapsedTimer waited;
                waited.start();
                start.waitForModuleWindow(60000);
                EXPECT_LT(waited.elapsed(), 30000) << "the module's end closing, not the time limit";
                start.release();
            }
        }
        EXPECT_EQ(waitFor(work.filePath("heard"), verified ? 5000 : 300),
                  verified ? std::optional<QByteArray>("got[1]") : std::nullopt)
            << "the module was ended when the login never verified";
    }
    // A module that cannot be started is started by the launcher's window once it is shown.
    EXPECT_FALSE(EarlyModuleStart(ModuleStarter("/nonexistent"), "0588", QString()).started());
}
