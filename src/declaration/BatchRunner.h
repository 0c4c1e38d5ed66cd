#pragma once

#include "app/Clock.h"
#include "app/IniFile.h"
#include "declaration/BatchOpener.h"
#include "declaration/BatchPrompter.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>

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

// The batch mode of the module: a script drives the declaration form's presentation model as
// a user drives the window, and everything the form shows or asks is printed. The language is
// described in docs/batch.md.
class BatchRunner {
public:
    static constexpr int kDone = 0;
    static constexpr int kStartupFailed = 1;
    static constexpr int kScriptError = 2;

    struct Settings {
        QString periodo = QStringLiteral("2018");
        QString formulario = QStringLiteral("0588");
        QString sysUser;
    };

    // Where the start-up of the batch mode looks: the INI file and the single-instance lock.
    struct Environment {
        app::IniFile ini;
        QString lockPath; // the module's lock when empty
    };

    // pm0588 --batch SCRIPT: the arguments of the process (the program first).
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
    DeclarationFormModel* model() const;
    // The module's folder, where the form writes its inconsistency report.
    void setModuleFolder(const QString& folder) { m_moduleFolder = folder; }

private:
    void execute(const QString& command, const QString& rest);
    DeclarationFormModel& form();
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
    void cmdFormCommand(const QString& command, const QString& control);
    void cmdWindow(const QString& rest);
    void cmdReport(const QString& rest);
    void printReport(const QStringList& lines);

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
    app::SystemClock m_clock;
    std::unique_ptr<app::UtilityComponent> m_utility;
    std::unique_ptr<management::DeclarationFormSession> m_session;
    bool m_closeRequested = false;
    QString m_moduleFolder;
};

} // namespace qel::declaration
