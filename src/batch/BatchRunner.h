#pragma once

#include "app/IniFile.h"
#include "app/ScriptableWindow.h"
#include "batch/BatchClock.h"
#include "batch/BatchContext.h"
#include "batch/BatchOpener.h"
#include "batch/BatchPrompter.h"
#include "batch/BatchWindows.h"
#include "batch/QueuedFileChooser.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>
#include <vector>

namespace qel::app {
class UtilityComponent;
}

namespace qel::store {
class Database;
}

namespace qel::management {
class DeclarationFormSession;
}

namespace qel::declaration {
class DeclarationFormModel;
}

namespace qel::batch {

// The batch mode of the module: a script drives the declaration form's presentation model as
// a user drives the window, and everything the form shows or asks is printed. The language is
// described in docs/batch.md.
class BatchRunner {
public:
    static constexpr int kDone = 0;
    static constexpr int kStartupFailed = 1;
    static constexpr int kScriptError = 2;
    static constexpr int kWriteFailed = 3; // the script ran, but a save or a delete failed

    struct Settings {
        QString periodo = QStringLiteral("2018");
        QString formulario = QStringLiteral("0588");
        QString sysUser;
    };

    // A script is a text of commands: anything past this is not one.
    static constexpr qint64 kMaxScriptBytes = 16 * 1024 * 1024;

    // Where the start-up of the batch mode looks: the INI file, which must be `user`'s own
    // (app::IniFile::refusal), and who the script acts for: SysUser of that INI, or the user
    // given with `login` when its password is right.
    struct Environment {
        app::IniFile ini;
        uid_t user = ::geteuid();
        std::optional<QString> login = {};
        QString password = {};
    };

    // pm0588 --batch SCRIPT [--user NAME]: the arguments of the process (the program first).
    // With --user the password is the first line of standard input.
    static int commandLine(const QStringList& arguments);
    // Reads the INI, opens the database, refuses to run beside the module, then runs the
    // script: kDone, kStartupFailed or kScriptError.
    static int runFile(const QString& scriptPath, QTextStream& out, QTextStream& err, const Environment& environment);

    BatchRunner(store::Database& db, QTextStream& out, QTextStream& err, Settings settings);
    ~BatchRunner();
    BatchRunner(const BatchRunner&) = delete;
    BatchRunner& operator=(const BatchRunner&) = delete;

    // Runs a script's text: kDone at its end, kScriptError at the first error, which goes to
    // the error stream as "error line N: ...".
    int run(const QString& script);

    // The form the script works on; null before "new" or "open".
    declaration::DeclarationFormModel* model() const;
    // The windows and menu commands the script can run (every registered one by default).
    BatchWindows& windows() { return m_windows; }
    // The module's folder, where the form writes its inconsistency report.
    void setModuleFolder(const QString& folder) {
        m_moduleFolder = folder;
        m_context.moduleFolder = folder;
    }
    void setReportFolder(const QString& folder) { m_context.reportFolder = folder; }

private:
    // Runs line `index` of the script; a failure is reported and ends the script.
    void executeLine(int index);
    void execute(const QString& command, const QString& rest);
    // A window the form launcher asked for, run for real: the script's next lines drive it
    // until it closes. nullopt when no model of that name is registered.
    std::optional<QString> runRegisteredWindow(const app::FormRequest& request);
    QString runWindow(std::unique_ptr<app::ScriptableWindow> window);
    // The window the script drives now; null when it is the declaration form.
    app::ScriptableWindow* current() const;
    void fail(int index, const QString& error);
    declaration::DeclarationFormModel& form();
    void openForm(int mode, const QVariantList& arguments);

    void cmdNew(const QString& rest);
    void cmdOpen(const QString& rest);
    void cmdTaxpayer(const QString& rest);
    void cmdType(const QString& rest);
    void cmdClear(const QString& rest);
    void cmdText(const QString& rest);
    void cmdClick(const QString& rest);
    void cmdChoose(const QString& rest);
    void cmdPage(const QString& rest);
    void cmdAnswer(const QString& rest);
    void cmdShow(const QString& rest);
    void cmdState(const QString& rest);
    void cmdValidate(const QString& rest);
    void cmdFormCommand(const QString& command, const QString& control);
    void cmdWindow(const QString& rest);
    void cmdReport(const QString& rest);
    void cmdExplain(const QString& rest);
    void cmdUndo(const QString& command, const QString& rest);
    void printReport(const QStringList& lines);
    void cmdSelect(const QString& rest);
    void cmdRows(const QString& rest);
    void cmdControls(const QString& rest);
    void cmdCell(const QString& rest);
    void cmdMenu(const QString& rest);
    void cmdFile(const QString& rest);
    void cmdPdf(const QString& rest);
    void cmdToday(const QString& rest);
    app::GridSource& gridNamed(const QString& name);

    // The same commands on a window the script drives.
    void windowText(app::ScriptableWindow& window, const QString& rest);
    void windowType(app::ScriptableWindow& window, const QString& rest);
    void windowChoose(app::ScriptableWindow& window, const QString& rest);
    void windowClick(app::ScriptableWindow& window, const QString& rest);
    void windowState(app::ScriptableWindow& window, const QString& rest);
    void windowShow(app::ScriptableWindow& window, const QString& rest);

    int boxNumber(const QString& argument);
    void requireControl(const QString& name);
    void printBox(int n);
    void refused(const QString& name);

    store::Database& m_db;
    QTextStream& m_out;
    QTextStream& m_err;
    Settings m_settings;
    QString m_userKind;
    BatchPrompter m_prompter;
    BatchOpener m_opener;
    BatchClock m_clock;
    QueuedFileChooser m_files;
    std::unique_ptr<app::UtilityComponent> m_utility;
    BatchContext m_context;
    BatchWindows m_windows;
    std::unique_ptr<management::DeclarationFormSession> m_session;
    bool m_closeRequested = false;
    QString m_moduleFolder;

    QStringList m_lines;
    int m_next = 0;                                             // the next line to run
    std::vector<std::unique_ptr<app::ScriptableWindow>> m_open; // the windows open, the current last
    bool m_aborted = false;
};

} // namespace qel::batch
