#include "app/DatabaseLock.h"
#include "app/IniFile.h"
#include "app/LauncherProbe.h"
#include "app/ProcessState.h"
#include "app/Startup.h"
#include "app/StatusDisplay.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace qel;
using app::Icon;
using app::Startup;

// Every fake writes what happens into one log, so the order of the steps can be checked.
struct Log {
    QStringList entries;
    void add(const QString& entry) { entries.append(entry); }
};

class FakeProbe : public app::LauncherProbe {
public:
    FakeProbe(Log& log, bool present) : m_log(log), m_present(present) {}
    bool CorreApp(const QString& title) override {
        m_log.add(QStringLiteral("probe:") + title);
        return m_present;
    }

private:
    Log& m_log;
    bool m_present;
};

class FakeInstance : public app::SingleInstance {
public:
    FakeInstance(Log& log, bool alone) : m_log(log), m_alone(alone) {}
    bool acquire() override {
        m_log.add(QStringLiteral("lock"));
        return m_alone;
    }

private:
    Log& m_log;
    bool m_alone;
};

class FakeStatus : public app::StatusDisplay {
public:
    explicit FakeStatus(Log& log) : m_log(log) {}
    void showStatus(const QString& ruc, const QString& name, const QString& periodo,
                    const QString& formulario) override {
        m_log.add(QStringList{QStringLiteral("status"), ruc, name, periodo, formulario}.join(QLatin1Char('|')));
    }
    void clearName() override { m_log.add(QStringLiteral("clearName")); }

private:
    Log& m_log;
};

class FakeWindow : public Startup::Window {
public:
    explicit FakeWindow(Log& log) : m_log(log), m_status(log) {}
    void showMainWindow() override { m_log.add(QStringLiteral("window")); }
    void setBusy(bool busy) override { m_log.add(busy ? QStringLiteral("busy:on") : QStringLiteral("busy:off")); }
    app::StatusDisplay* statusDisplay() override { return &m_status; }

private:
    Log& m_log;
    FakeStatus m_status;
};

// A launcher environment in a temporary folder: the INI file and the database.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedDirectory = QDir::currentPath();
        m_sysPath = m_env.path() + QLatin1Char('/');
        writeIni({{"SysPath", m_sysPath},
                  {"SysVersion", "1.0"},
                  {"DBPath", m_database.folder() + QLatin1Char('/')},
                  {"DBName", QStringLiteral("qel.db")},
                  {"SysMenu", "QELMENU.INI"},
                  {"SysUser", "CONTADOR"}});
    }
    void TearDown() override { QDir::setCurrent(m_savedDirectory); }

    void writeIni(const QList<QPair<const char*, QString>>& keys) {
        for (const auto& [key, value] : keys) {
            ini().write(app::IniFile::kOptions, QString::fromLatin1(key), value);
        }
    }
    app::IniFile ini() const { return app::IniFile(m_env.path() + QStringLiteral("/config/PM000.INI")); }

    Startup::Platform platform(app::LauncherProbe& probe, app::SingleInstance& instance, bool fakeOpen = true) {
        Startup::Platform p{*m_prompter, probe, instance, m_window, ini()};
        if (fakeOpen) {
            p.openDatabase = [this](const QString& path) {
                m_log.add(QStringLiteral("open:") + path);
                return store::Database::open(path);
            };
        }
        return p;
    }

    QTemporaryDir m_env;
    test::TempDatabase m_database;
    QString m_sysPath;
    QString m_savedDirectory;
    Log m_log;
    FakeWindow m_window{m_log};
    std::unique_ptr<app::ScriptedPrompter> m_prompter = test::makePrompter();
    app::ProcessState m_state;
};

TEST_F(StartupTest, RunsTheStepsInOrderAndNothingAfterAFailedOne) {
    struct Case {
        const char* what;
        bool launcher;
        bool alone;
        bool badDatabase;
        QStringList steps;
        Startup::Failure failure;
        Startup::Stage stage;
        QString message;
        QString title;
        Icon icon;
    };
    const QString dbFile = m_database.folder() + QStringLiteral("/qel.db");
    const QString status = QStringLiteral("status|||2018|0588");
    const QStringList all = {"probe:QEL", "lock", "window", "busy:on", "open:" + dbFile, status, "busy:off"};
    const Case cases[] = {
        {"launcher absent",
         false,
         true,
         false,
         {"probe:QEL"},
         Startup::Failure::LauncherAbsent,
         Startup::Stage::NotStarted,
         "Debe ejecutar este módulo desde el Integrador del QEL",
         "Error al ejecutar el módulo",
         Icon::Critical},
        {"second instance",
         true,
         false,
         false,
         {"probe:QEL", "lock"},
         Startup::Failure::AlreadyRunning,
         Startup::Stage::LauncherFound,
         "La Aplicación ya se encuentra en ejecución",
         "Declaración Pago Anual Impuesto a la Renta",
         Icon::Information},
        {"not a database",
         true,
         true,
         true,
         {"probe:QEL", "lock", "window", "busy:on", "open:" + dbFile, "busy:off"},
         Startup::Failure::Database,
         Startup::Stage::ConfigurationRead,
         "El archivo " + dbFile + " no es una base de datos del QEL.\n 26",
         "Error de Conección",
         Icon::None},
        {"ready", true, true, false, all, Startup::Failure::None, Startup::Stage::Ready, {}, {}, Icon::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_log.entries.clear();
        app::ProcessState state;
        state.recovering = true;
        QTemporaryDir junk;
        if (c.badDatabase) {
            QFile file(junk.path() + QStringLiteral("/qel.db"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
            file.close();
            writeIni({{"DBPath", junk.path() + QLatin1Char('/')}});
        } else {
            writeIni({{"DBPath", m_database.folder() + QLatin1Char('/')}});
        }
        if (!c.message.isEmpty()) {
            QString message = c.message;
            message.replace(dbFile, junk.path() + QStringLiteral("/qel.db"));
            m_prompter->expectMessage(message, c.icon, c.title);
        }
        FakeProbe probe(m_log, c.launcher);
        FakeInstance instance(m_log, c.alone);
        Startup startup(state, platform(probe, instance));
        QStringList expected = c.steps;
        if (c.badDatabase) {
            expected.replaceInStrings(dbFile, junk.path() + QStringLiteral("/qel.db"));
        }

        EXPECT_EQ(startup.run(), c.failure == Startup::Failure::None);
        EXPECT_EQ(m_log.entries, expected);
        EXPECT_EQ(startup.failure(), c.failure);
        EXPECT_EQ(startup.stage(), c.stage);
        EXPECT_NE(state.utility, nullptr) << "the utility component is created first";
        EXPECT_EQ(state.db != nullptr, c.failure == Startup::Failure::None);
        EXPECT_EQ(state.recovering, c.failure != Startup::Failure::None) << "cleared only at the last step";
        m_prompter->verify();
    }
}

TEST_F(StartupTest, FoldersAreJoinedToSysPathAsTheyAre) {
    writeIni({{"SysPath", "/srv/qel"}, {"VersionHost", "intranet.local"}});
    FakeProbe probe(m_log, true);
    FakeInstance instance(m_log, true);
    Startup startup(m_state, platform(probe, instance));
    ASSERT_TRUE(startup.run());

    EXPECT_EQ(m_state.sysPath, "/srv/qel");
    EXPECT_EQ(m_state.tmpFolder, "/srv/qelTMP/");
    EXPECT_EQ(m_state.tmpBase, "/srv/qelTMP");
    EXPECT_EQ(m_state.reportFolder, "/srv/qelRPT");
    EXPECT_EQ(m_state.imageFolder, "/srv/qelBMP/");
    EXPECT_EQ(m_state.menuFile, "/srv/qelQELMENU.INI");
    EXPECT_EQ(m_state.helpFile, "/srv/qel0588/Pm588.html");
    EXPECT_EQ(m_state.dbFile, m_database.folder() + "/qel.db");
    EXPECT_EQ(m_state.sysUser, "CONTADOR");
    EXPECT_EQ(m_state.versionHost, "intranet.local");
    EXPECT_EQ(ini().read(app::IniFile::kOptions, "SystemDB"), "/srv/qelPM000.MDW");
}

TEST_F(StartupTest, WithoutTheIniKeysTheDatabaseCannotBeOpened) {
    {
        QFile file(ini().path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[Options]\r\n");
    }
    m_prompter->expectMessage("No se encuentra el archivo ''.\n 14", Icon::None, "Error de Conección");
    FakeProbe probe(m_log, true);
    FakeInstance instance(m_log, true);
    Startup startup(m_state, platform(probe, instance, false));

    EXPECT_FALSE(startup.run());
    EXPECT_EQ(startup.failure(), Startup::Failure::Database);
    for (const QString& value : {m_state.sysPath, m_state.sysVersion, m_state.dbFile, m_state.sysUser}) {
        EXPECT_EQ(value, "");
    }
    EXPECT_EQ(m_state.tmpFolder, "TMP/");
    EXPECT_EQ(m_state.versionHost, "qel.kolva.gob.pe");
    EXPECT_EQ(ini().read(app::IniFile::kOptions, "SystemDB"), "PM000.MDW") << "written before the database opens";
}

// The configuration names the user and the database: one the system user does not own, or
// that others may write, ends the start-up before anything is written or opened.
TEST_F(StartupTest, AConfigurationThatIsNotTheUsersOwnEndsTheStartUp) {
    const QByteArray iniName = QFile::encodeName(ini().path());
    const struct {
        const char* what;
        mode_t mode;
        uid_t user;
        const char* part;
    } cases[] = {
        {"writable by others", 0666, ::geteuid(), "lo pueden modificar otros usuarios"},
        {"another user's", 0600, ::geteuid() + 1, "pertenece a otro usuario del sistema"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(::chmod(iniName.constData(), c.mode), 0);
        const QByteArray before = [&] {
            QFile file(ini().path());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        m_log.entries.clear();
        app::ProcessState state;
        const QString expected = ini().refusal(c.user);
        ASSERT_TRUE(expected.contains(QString::fromUtf8(c.part))) << expected.toStdString();
        m_prompter->expectMessage(expected, Icon::Critical, Startup::kConfigurationTitle);
        FakeProbe probe(m_log, true);
        FakeInstance instance(m_log, true);
        Startup::Platform p = platform(probe, instance);
        p.user = c.user;
        Startup startup(state, p);
        EXPECT_FALSE(startup.run());
        EXPECT_EQ(startup.failure(), Startup::Failure::Configuration);
        EXPECT_EQ(startup.stage(), Startup::Stage::MainWindowShown);
        EXPECT_EQ(m_log.entries, (QStringList{"probe:QEL", "lock", "window", "busy:on", "busy:off"}))
            << "no database opened";
        EXPECT_EQ(state.sysUser, QStringLiteral(" ")) << "nothing of the file believed";
        QFile file(ini().path());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before) << "SystemDB is not written into it";
        m_prompter->verify();
    }
}

TEST_F(StartupTest, ADatabaseLockedByAnotherProcessIsReportedAs3051) {
    const QString sqlite = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlite.isEmpty()) {
        GTEST_SKIP() << "sqlite3 is not installed";
    }
    // A database file of its own that no connection of this process has open: another process
    // takes it first, as at the start of the module.
    QTemporaryDir folder;
    const QString dbFile = folder.path() + QStringLiteral("/qel.db");
    ASSERT_NE(store::Database::open(dbFile, true).database, nullptr);
    writeIni({{"DBPath", folder.path() + QLatin1Char('/')}});
    QProcess holder;
    holder.start(sqlite, {dbFile});
    ASSERT_TRUE(holder.waitForStarted());
    holder.write("PRAGMA locking_mode=EXCLUSIVE;\nCREATE TABLE held (x);\nSELECT 'ready';\n");
    QByteArray output;
    while (!(output += holder.readAllStandardOutput()).contains("ready")) {
        ASSERT_TRUE(holder.waitForReadyRead(10000)) << "the other process did not take the lock";
    }

    m_prompter->expectMessage(" 3051- Base esta bloqueda", Icon::None, "Error de Conección");
    FakeProbe probe(m_log, true);
    FakeInstance instance(m_log, true);
    Startup startup(m_state, platform(probe, instance, false));
    EXPECT_FALSE(startup.run());
    EXPECT_EQ(startup.failure(), Startup::Failure::Database);

    holder.closeWriteChannel();
    holder.waitForFinished(5000);
}

TEST_F(StartupTest, ASecondInstanceOnTheSameDatabaseIsRefused) {
    const QString dbFile = m_env.path() + QStringLiteral("/qel.db");
    QFile(dbFile).open(QIODevice::WriteOnly);
    app::DatabaseLock first(dbFile);
    ASSERT_TRUE(first.acquire());

    app::DatabaseLock second(dbFile);
    m_prompter->expectMessage("La Aplicación ya se encuentra en ejecución", Icon::Information,
                              "Declaración Pago Anual Impuesto a la Renta");
    FakeProbe probe(m_log, true);
    Startup refused(m_state, platform(probe, second));
    EXPECT_FALSE(refused.run());
    EXPECT_EQ(refused.failure(), Startup::Failure::AlreadyRunning);

    app::DatabaseLock otherFile(m_env.path() + QStringLiteral("/otra.db"));
    EXPECT_TRUE(otherFile.acquire()) << "a module on another database is not this one";
    first.release();
    EXPECT_TRUE(second.acquire()) << "the lock is free once the first instance has ended";
}

TEST_F(StartupTest, ShutdownReleasesTheDatabaseAndTheUtilityComponent) {
    FakeProbe probe(m_log, true);
    FakeInstance instance(m_log, true);
    Startup startup(m_state, platform(probe, instance));
    ASSERT_TRUE(startup.run());
    startup.shutdown();
    EXPECT_EQ(m_state.db, nullptr);
    EXPECT_EQ(m_state.utility, nullptr);
    startup.shutdown(); // the close box after "Salir" does nothing more
}

TEST(StartupVersion, TheVersionRowGivesVersionAndDate) {
    struct Case {
        const char* what;
        QString funcion; // empty: no row
        QString version;
        QString date;
    };
    const Case cases[] = {
        {"no row", {}, "1.0", "01/01/2018"},
        {"row", "2.1 15/03/2019", "2.1", "15/03/2019"},
        {"row with more text", "1.0 28/02/2019 X", "1.0", "28/02/2019"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDatabase temp;
        temp.db().run("DELETE FROM PARAM WHERE Numero='856'").finish();
        if (!c.funcion.isEmpty()) {
            temp.db()
                .run("INSERT INTO PARAM (Numero, Argumento, Funcion) VALUES ('856', '0588', ?)", {c.funcion})
                .finish();
            temp.db()
                .run("INSERT INTO PARAM (Numero, Argumento, Funcion) VALUES ('856', '0599', '9.9 01/01/2001')")
                .finish();
        }
        app::ProcessState state;
        state.db = std::move(store::Database::open(temp.path()).database);
        Startup::IniciaVersion(state);
        EXPECT_EQ(state.version, c.version);
        EXPECT_EQ(state.versionDate, c.date);
    }
}

TEST(StartupSharedRoutines, DescribeErrorAndUserKind) {
    test::TempDatabase temp;
    auto& db = temp.db();
    db.run("DELETE FROM ERROR").finish();
    db.run("DELETE FROM CLAVES").finish();
    db.run("INSERT INTO ERROR (CodError, DescError) VALUES ('0007', 'Archivo no encontrado')").finish();
    db.run("INSERT INTO ERROR (CodError, DescError) VALUES ('7', 'sin ceros')").finish();
    db.run("INSERT INTO CLAVES (Usuario, Clave, tipo) VALUES ('SUPERVISOR', 'x', '0')").finish();

    EXPECT_EQ(app::DescribeError(db, 7), "Archivo no encontrado");
    EXPECT_EQ(app::DescribeError(db, 8), "");
    EXPECT_EQ(app::UserKind(db, "SUPERVISOR"), "0");
    EXPECT_EQ(app::UserKind(db, "CONTADOR"), "1") << "a user without a row is restricted";
    EXPECT_EQ(app::UserKind(db, ""), "1");
}

} // namespace
