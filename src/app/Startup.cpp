#include "app/Startup.h"

#include "app/LauncherProbe.h"
#include "app/MainCommands.h"
#include "app/PlatformText.h"
#include "app/ProcessState.h"
#include "app/SingleInstance.h"
#include "app/StatusDisplay.h"
#include "app/UtilityComponent.h"
#include "store/DatabaseCheck.h"
#include "store/WorkingCopies.h"

#include <QDir>
#include <QTime>
#include <cstdlib>

namespace qel::app {

const QString Startup::kLauncherTitle = QStringLiteral("QEL");
const QString Startup::kWorkgroupFile = QStringLiteral("PM000.MDW");
const QString Startup::kConfigurationTitle = QStringLiteral("Error de Configuración");

namespace {

const QString kConnectionTitle = QStringLiteral("Error de Conección");

} // namespace

Startup::Startup(ProcessState& state, Platform platform) : m_state(state), m_platform(std::move(platform)) {}

Startup::~Startup() = default;

bool Startup::run() {
    m_utility = std::make_unique<UtilityComponent>(m_platform.prompter, nullptr);
    m_state.utility = m_utility.get();
    if (m_state.prompter == nullptr) {
        m_state.prompter = &m_platform.prompter;
    }

    if (!m_platform.probe.CorreApp(kLauncherTitle)) {
        return fail(Failure::LauncherAbsent, QStringLiteral("Debe ejecutar este módulo desde el Integrador del QEL"),
                    QStringLiteral("Error al ejecutar el módulo"), Icon::Critical);
    }
    m_stage = Stage::LauncherFound;

    if (!m_platform.instance.acquire()) {
        return fail(Failure::AlreadyRunning, QStringLiteral("La Aplicación ya se encuentra en ejecución"),
                    QStringLiteral("Declaración Pago Anual Impuesto a la Renta"), Icon::Information);
    }
    m_stage = Stage::SingleInstanceConfirmed;

    // The form code and the period are the module's own and never change.
    m_state.formulario = QStringLiteral("0588");
    m_state.periodo = QStringLiteral("2018");
    m_platform.window.showMainWindow();
    m_platform.probe.startSettled();
    m_state.status = m_platform.window.statusDisplay();
    m_stage = Stage::MainWindowShown;

    m_platform.window.setBusy(true);
    // The configuration names the user the module acts for and the database it opens: only
    // the system user's own is believed.
    if (const QString refusal = m_platform.ini.refusal(m_platform.user); !refusal.isEmpty()) {
        m_platform.window.setBusy(false);
        return fail(Failure::Configuration, refusal, kConfigurationTitle, Icon::Critical);
    }
    readConfiguration(m_state, m_platform.ini);
    if (m_platform.changeDirectory && !m_state.sysPath.isEmpty()) {
        QDir::setCurrent(m_state.sysPath);
    }
    std::srand(static_cast<unsigned>(QTime::currentTime().msecsSinceStartOfDay() / 1000));
    m_stage = Stage::ConfigurationRead;

    if (!openDatabase()) {
        return false;
    }
    m_stage = Stage::DatabaseOpen;

    m_state.helpFile = m_state.sysPath + m_state.formulario + QLatin1Char('/') + QStringLiteral("Pm") +
                       m_state.formulario.mid(1, 3) + QStringLiteral(".html");
    if (m_state.status != nullptr) {
        m_state.status->showStatus(QString(), QString(), m_state.periodo, m_state.formulario);
    }
    m_platform.window.setBusy(false);

    try {
        IniciaVersion(m_state);
    } catch (const store::DatabaseError& error) {
        return fail(Failure::Database, error.text() + QLatin1Char('\n') + Str(error.number()), kConnectionTitle,
                    Icon::None);
    }
    m_state.recovering = false;
    m_stage = Stage::Ready;
    return true;
}

bool Startup::openDatabase() {
    // The workgroup file of the launcher's former engine: the key is still written for the
    // launcher; the SQLite file itself has no accounts to log on with.
    m_platform.ini.write(IniFile::kOptions, QStringLiteral("SystemDB"), m_state.sysPath + kWorkgroupFile);

    store::Database::OpenResult opened =
        m_platform.openDatabase ? m_platform.openDatabase(m_state.dbFile) : store::Database::open(m_state.dbFile);
    if (!opened.database) {
        m_platform.window.setBusy(false);
        return fail(Failure::Database, connectionFailureText(opened), kConnectionTitle, Icon::None);
    }
    m_state.db = std::move(opened.database);
    m_utility->setDatabase(m_state.db.get());
    if (m_state.db->engine() == store::Engine::SQLite) {
        if (const QString kind = store::database_check::networkFileSystem(m_state.dbFile); !kind.isEmpty()) {
            m_platform.prompter.message(store::database_check::networkFileSystemWarning(m_state.dbFile, kind),
                                        QStringLiteral("Base de datos en la red"), Icon::Exclamation);
        }
    }
    // The instance lock is held: working rows of this module in the file belong to a process
    // that ended with its form open. On the office server they may be another accountant's,
    // who is working now: they are never cleared from here.
    try {
        if (m_state.db->engine() == store::Engine::SQLite) {
            store::clearLeftoverWorkingCopies(*m_state.db, m_state.periodo, m_state.formulario);
        }
    } catch (const store::DatabaseError& error) {
        m_platform.window.setBusy(false);
        return fail(Failure::Database, error.text() + QLatin1Char('\n') + Str(error.number()), kConnectionTitle,
                    Icon::None);
    }
    return true;
}

QString Startup::connectionFailureText(const store::Database::OpenResult& result) {
    if (result.locked) {
        return Str(kLockedError) + QStringLiteral("- Base esta bloqueda");
    }
    return result.errorText + QLatin1Char('\n') + Str(result.errorNumber);
}

bool Startup::fail(Failure failure, const QString& text, const QString& title, Icon icon) {
    m_failure = failure;
    m_platform.probe.startSettled(); // the launcher need not wait while the user reads
    m_platform.prompter.message(text, title, icon);
    return false;
}

void Startup::shutdown() {
    if (m_utility) {
        m_utility->setDatabase(nullptr);
    }
    m_state.db.reset();
    m_state.utility = nullptr;
    m_utility.reset();
}

void Startup::readConfiguration(ProcessState& state, const IniFile& ini) {
    const auto key = [&ini](const char* name) { return ini.read(IniFile::kOptions, QString::fromLatin1(name)); };
    // Names are appended to SysPath as they are: the launcher writes it with its separator.
    state.sysPath = key("SysPath");
    state.tmpFolder = state.sysPath + QStringLiteral("TMP/");
    state.sysVersion = key("SysVersion");
    // An office's INI names its server instead of the file (DBEngine=PostgreSQL, DBServer=URI).
    state.dbFile = key("DBEngine").compare(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive) == 0
                       ? key("DBServer")
                       : key("DBPath") + key("DBName");
    state.menuFile = state.sysPath + key("SysMenu");
    state.reportFolder = state.sysPath + QStringLiteral("RPT");
    state.tmpBase = state.sysPath + QStringLiteral("TMP");
    state.imageFolder = state.sysPath + QStringLiteral("BMP/");
    state.sysUser = QStringLiteral(" ");
    state.sysUser = key("SysUser");
    state.versionHost = key("VersionHost");
    if (state.versionHost.isEmpty()) {
        state.versionHost = MainCommands::kDefaultVersionHost;
    }
}

void Startup::IniciaVersion(ProcessState& state) {
    state.version = QStringLiteral("1.0");
    state.versionDate = QStringLiteral("01/01/") + state.periodo;
    const QVariant funcion =
        state.database().scalar(QStringLiteral("SELECT Funcion FROM PARAM WHERE Numero=? AND Argumento=?"),
                                {QStringLiteral("856"), state.formulario});
    if (funcion.isValid()) {
        const QString text = funcion.toString();
        state.version = text.mid(0, 3);
        state.versionDate = text.mid(4, 10);
    }
}

} // namespace qel::app
