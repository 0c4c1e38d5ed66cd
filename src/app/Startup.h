#pragma once

#include "app/IniFile.h"
#include "base/Prompter.h"
#include "store/Database.h"

#include <QString>
#include <functional>
#include <memory>

namespace qel::app {

class LauncherProbe;
class SingleInstance;
class StatusDisplay;
class UtilityComponent;
struct ProcessState;

// The start-up of the module, in its order: the utility component, the launcher's window,
// the single instance, the main window, the configuration, the database, the help file, the
// status bar, the version and the recovery flag. Any failure in the first three steps, at a
// configuration the module may not believe (IniFile::refusal) or at the database shows its
// message and ends the start-up; nothing after the failed step runs.
class Startup {
public:
    enum class Stage {
        NotStarted,
        LauncherFound,
        SingleInstanceConfirmed,
        MainWindowShown,
        ConfigurationRead,
        DatabaseOpen,
        Ready,
    };
    enum class Failure { None, LauncherAbsent, AlreadyRunning, Configuration, Database };

    // The main window as start-up sees it.
    class Window {
    public:
        virtual ~Window() = default;
        // Creates the main window: caption, placement at (0, 0), size, no minimise and maximise
        // boxes; shows it.
        virtual void showMainWindow() = 0;
        virtual void setBusy(bool busy) = 0; // the hourglass pointer
        virtual StatusDisplay* statusDisplay() = 0;
    };

    using DatabaseOpener = std::function<store::Database::OpenResult(const QString& path)>;

    struct Platform {
        Prompter& prompter;
        LauncherProbe& probe;
        SingleInstance& instance;
        Window& window;
        IniFile ini = IniFile::standard();
        DatabaseOpener openDatabase = {}; // store::Database::open when empty
        bool changeDirectory = true;      // the working directory becomes sysPath
        uid_t user = ::geteuid();         // the system user whose configuration is believed
    };

    static const QString kLauncherTitle;      // "QEL"
    static const QString kWorkgroupFile;      // "PM000.MDW"
    static constexpr int kLockedError = 3051; // the database is held by another process
    static const QString kConfigurationTitle; // "Error de Configuración"

    Startup(ProcessState& state, Platform platform);
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // True when the module is ready; false when the process must end (its message was shown).
    bool run();
    Stage stage() const { return m_stage; }
    Failure failure() const { return m_failure; }

    // Closes and releases the database and releases the utility component. Both ways of ending
    // the module go through here; a second call does nothing.
    void shutdown();

    // The configuration of PM000.INI into the state (folders, database file, user).
    static void readConfiguration(ProcessState& state, const IniFile& ini);
    // The module's version and its date: the '856' row of the form code, else "1.0" and
    // "01/01/" + periodo. Throws store::DatabaseError.
    static void IniciaVersion(ProcessState& state);
    // The message of a database that cannot be opened at start-up.
    static QString connectionFailureText(const store::Database::OpenResult& result);

private:
    bool fail(Failure failure, const QString& text, const QString& title, Icon icon);
    bool openDatabase();

    ProcessState& m_state;
    Platform m_platform;
    std::unique_ptr<UtilityComponent> m_utility;
    Stage m_stage = Stage::NotStarted;
    Failure m_failure = Failure::None;
};

} // namespace qel::app
