#include "app/Files.h"
#include "app/IniFile.h"
#include "app/LauncherProbe.h"
#include "app/ProcessState.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/StatusDisplay.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace qel;
using app::Icon;
using app::Startup;

// The launcher's window (and the launcher that waits for the module's), the single instance,
// the main window and its status bar in one: each writes what is asked of it into one log, so
// the order of the steps can be checked.
class FakePlatform : public app::LauncherProbe,
                     public app::SingleInstance,
                     public app::StatusDisplay,
                     public Startup::Window {
public:
    bool CorreApp(const QString& title) override { return add("probe:" + title, launcherPresent); }
    bool acquire() override { return add("lock", alone); }
    void showStatus(const QString& ruc, const QString& name, const QString& periodo,
                    const QString& formulario) override {
        add(QStringList{"status", ruc, name, periodo, formulario}.join(u'|'));
    }
    void clearName() override { add("clearName"); }
    void showMainWindow() override { add("window"); }
    void startSettled() override { add("settled"); }
    void setBusy(bool busy) override { add(busy ? "busy:on" : "busy:off"); }
    app::StatusDisplay* statusDisplay() override { return this; }

    QStringList log;
    bool launcherPresent = true;
    bool alone = true;

private:
    bool add(const QString& entry, bool answer = true) {
        log.append(entry);
        return answer;
    }
};

// A launcher environment in a temporary folder: the INI file and the database.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedDirectory = QDir::currentPath();
        writeIni({{"SysPath", m_env.path() + '/'},
                  {"SysVersion", "1.0"},
                  {"DBPath", m_database.folder() + '/'},
                  {"DBName", "qel.db"},
                  {"SysMenu", "QELMENU.INI"},
                  {"SysUser", "CONTADOR"}});
    }
    void TearDown() override { QDir::setCurrent(m_savedDirectory); }

    void writeIni(const QList<QPair<QString, QString>>& keys) {
        for (const auto& [key, value] : keys) {
            ini().write(app::IniFile::kOptions, key, value);
        }
    }
    app::IniFile ini() const { return app::IniFile(m_env.path() + "/config/PM000.INI"); }

    // Runs the start-up into `state`; the database opens through the log unless `realOpen`.
    bool start(app::ProcessState& state, Startup::Failure expected, bool realOpen = false) {
        Startup::Platform p{*m_prompter, m_fake, m_fake, m_fake, ini()};
        if (!realOpen) {
            p.openDatabase = [this](const QString& path) {
                m_fake.log.append("open:" + path);
                return store::Database::open(path);
            };
        }
        Startup startup(state, p);
        const bool ready = startup.run();
        EXPECT_EQ(startup.failure(), expected);
        m_prompter->verify();
        return ready;
    }

    QTemporaryDir m_env;
    test::TempDatabase m_database;
    QString m_savedDirectory;
    FakePlatform m_fake;
    std::unique_ptr<app::ScriptedPrompter> m_prompter = test::makePrompter();
    app::ProcessState m_state;
};

TEST_F(StartupTest, RunsTheStepsInOrderAndNothingAfterAFailedOne) {
    const QString good = m_database.folder() + "/qel.db";
    const QString bad = m_env.path() + "/qel.db";
    test::writeBytes(bad, QByteArray(4096, 'x'));
    const struct {
        const char* what;
        bool launcher;
        bool alone;
        QString database;
        QString steps; // the log, one word a step
        Startup::Failure failure;
        QString message; // with its title and icon; none when the start-up is ready
        QString title;
        Icon icon;
    } cases[] = {
        {"launcher absent", false, true, good, "probe:QEL settled", Startup::Failure::LauncherAbsent,
         "Debe ejecutar este módulo desde el Integrador del QEL", "Error al ejecutar el módulo", Icon::Critical},
        {"second instance", true, false, good, "probe:QEL lock settled", Startup::Failure::AlreadyRunning,
         "La Aplicación ya se encuentra en ejecución", "Declaración Pago Anual Impuesto a la Renta", Icon::Information},
        {"not a database", true, true, bad, "probe:QEL lock window settled busy:on open:%1 busy:off settled",
         Startup::Failure::Database, "El archivo " + bad + " no es una base de datos del QEL.\n 26",
         "Error de Conección", Icon::None},
        {"ready", true, true, good, "probe:QEL lock window settled busy:on open:%1 status|||2018|0588 busy:off",
         Startup::Failure::None, "", "", Icon::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_fake.log.clear();
        m_fake.launcherPresent = c.launcher;
        m_fake.alone = c.alone;
        writeIni({{"DBPath", QFileInfo(c.database).absolutePath() + '/'}});
        if (!c.message.isEmpty()) {
            m_prompter->expectMessage(c.message, c.icon, c.title);
        }
        app::ProcessState state;
        state.recovering = true;
        const bool ready = c.failure == Startup::Failure::None;
        EXPECT_EQ(start(state, c.failure), ready);
        EXPECT_EQ(m_fake.log, QString(c.steps).replace("%1", c.database).split(u' '));
        EXPECT_NE(state.utility, nullptr) << "the utility component is created first";
        EXPECT_EQ(state.db != nullptr, ready);
        EXPECT_EQ(state.recovering, !ready) << "cleared only at the last step";
    }
}

TEST_F(StartupTest, FoldersAreJoinedToSysPathAsTheyAreAndShutdownReleasesThem) {
    writeIni({{"SysPath", "/srv/qel"}, {"VersionHost", "intranet.local"}});
    Startup startup(m_state, {*m_prompter, m_fake, m_fake, m_fake, ini()});
    ASSERT_TRUE(startup.run());
    const app::ProcessState& s = m_state;
    EXPECT_EQ(
        QStringList({s.sysPath, s.tmpFolder, s.tmpBase, s.reportFolder, s.imageFolder, s.menuFile, s.helpFile, s.dbFile,
                     s.sysUser, s.versionHost}),
        QStringList({"/srv/qel", "/srv/qelTMP/", "/srv/qelTMP", "/srv/qelRPT", "/srv/qelBMP/", "/srv/qelQELMENU.INI",
                     "/srv/qel0588/Pm588.html", m_database.folder() + "/qel.db", "CONTADOR", "intranet.local"}));
    EXPECT_EQ(ini().read(app::IniFile::kOptions, "SystemDB"), "/srv/qelPM000.MDW");

    startup.shutdown();
    EXPECT_EQ(m_state.db, nullptr) << "the database is closed";
    EXPECT_EQ(m_state.utility, nullptr);
    startup.shutdown(); // the close box after "Salir" does nothing more
}

TEST_F(StartupTest, WithoutTheIniKeysTheDatabaseCannotBeOpened) {
    test::writeBytes(ini().path(), "[Options]\r\n");
    m_prompter->expectMessage("No se encuentra el archivo ''.\n 14", Icon::None, "Error de Conección");
    EXPECT_FALSE(start(m_state, Startup::Failure::Database, true));
    EXPECT_EQ(QStringList({m_state.sysPath, m_state.sysVersion, m_state.dbFile, m_state.sysUser}),
              QStringList({"", "", "", ""}));
    EXPECT_EQ(m_state.tmpFolder, "TMP/");
    EXPECT_EQ(m_state.versionHost, "qel.kolva.gob.pe");
    EXPECT_EQ(ini().read(app::IniFile::kOptions, "SystemDB"), "PM000.MDW") << "written before the database opens";
}

// The configuration names the user and the database: one that others may write ends the
// start-up before anything is written or opened.
TEST_F(StartupTest, AConfigurationThatIsNotTheUsersOwnEndsTheStartUp) {
    ASSERT_EQ(::chmod(QFile::encodeName(ini().path()).constData(), 0666), 0);
    const QByteArray before = test::fileBytes(ini().path());
    m_prompter->expectMessage(ini().refusal(), Icon::Critical, Startup::kConfigurationTitle);
    EXPECT_FALSE(start(m_state, Startup::Failure::Configuration));
    EXPECT_EQ(m_fake.log, QStringList({"probe:QEL", "lock", "window", "settled", "busy:on", "busy:off", "settled"}))
        << "no database opened";
    EXPECT_EQ(m_state.sysUser, " ") << "nothing of the file believed";
    EXPECT_EQ(test::fileBytes(ini().path()), before) << "SystemDB is not written into it";
}

TEST(StartupVersion, TheVersionRowGivesVersionAndDate) {
    // The '856' row of the form (none when empty), the version and its date.
    const std::tuple<QString, QString, QString> cases[] = {
        {"", "1.0", "01/01/2018"},
        {"2.1 15/03/2019", "2.1", "15/03/2019"},
        {"1.0 28/02/2019 X", "1.0", "28/02/2019"},
    };
    test::TempDatabase temp;
    for (const auto& [funcion, version, date] : cases) {
        SCOPED_TRACE(funcion.toStdString());
        temp.db().run("DELETE FROM PARAM WHERE Numero='856'").finish();
        if (!funcion.isEmpty()) {
            const QString insert = "INSERT INTO PARAM (Numero, Argumento, Funcion) VALUES ('856', ?, ?)";
            temp.db().run(insert, {"0588", funcion}).finish();
            temp.db().run(insert, {"0599", "9.9 01/01/2001"}).finish();
        }
        app::ProcessState state;
        state.db = std::move(store::Database::open(temp.path()).database);
        Startup::IniciaVersion(state);
        EXPECT_EQ(state.version, version);
        EXPECT_EQ(state.versionDate, date);
    }
}

TEST(StartupSharedRoutines, DescribeErrorAndUserKind) {
    test::TempDatabase temp;
    auto& db = temp.db();
    db.run("DELETE FROM ERROR").finish();
    db.run("DELETE FROM CLAVES").finish();
    db.run("INSERT INTO ERROR (CodError, DescError) VALUES ('0007', 'Archivo no encontrado'), ('7', 'sin ceros')")
        .finish();
    db.run("INSERT INTO CLAVES (Usuario, Clave, tipo) VALUES ('SUPERVISOR', 'x', '0')").finish();

    EXPECT_EQ(app::DescribeError(db, 7), "Archivo no encontrado");
    EXPECT_EQ(app::DescribeError(db, 8), "");
    EXPECT_EQ(app::UserKind(db, "SUPERVISOR"), "0");
    EXPECT_EQ(app::UserKind(db, "CONTADOR"), "1") << "a user without a row is restricted";
    EXPECT_EQ(app::UserKind(db, ""), "1");
}

} // namespace
