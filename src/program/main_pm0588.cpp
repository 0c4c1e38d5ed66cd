#include "app/Clock.h"
#include "app/DatabaseLock.h"
#include "app/PrivateFiles.h"
#include "app/ProcessState.h"
#include "app/Startup.h"
#include "app/WaitingLauncherProbe.h"
#include "app/ui/DialogFileChooser.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/GuardedApplication.h"
#include "app/ui/MDIFrm.h"
#include "app/ui/MainWindowLoader.h"
#include "app/ui/MessageBoxPrompter.h"
#include "app/ui/QtSpanish.h"
#include "batch/BatchRunner.h"
#include "platform/X11LauncherProbe.h"
#include "program/FormRegistry.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

using namespace qel::app;

namespace {

const QString kModuleTitle = QStringLiteral("Declaración Pago Anual Impuesto a la Renta");

int runWindow(int argc, char* argv[]) {
    ui::GuardedApplication application(argc, argv, kModuleTitle);
    QApplication::setApplicationName(QStringLiteral("pm0588"));
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installQtSpanish();

    ProcessState state;
    const SystemClock clock;
    state.clock = &clock;
    ui::MessageBoxPrompter prompter;
    state.prompter = &prompter;
    ui::DialogFileChooser files;
    state.files = &files;

    X11LauncherProbe windows;
    // Started by a launcher that is still starting: the search waits for its word that the login
    // is verified, and the main window is built meanwhile, hidden, showing and writing nothing.
    const int launcherPipe = WaitingLauncherProbe::takePipeFromEnvironment();
    WaitingLauncherProbe probe(windows, launcherPipe);
    // One module process per database: the lock is on the file the INI names.
    ProcessState configured;
    Startup::readConfiguration(configured, IniFile::standard());
    DatabaseLock lock(configured.dbFile);
    ui::FormLauncher forms(prompter);
    ui::registerModuleForms(forms, state, prompter);
    ui::MainWindowLoader window(state, prompter, forms);
    if (launcherPipe >= 0) {
        window.prepareAheadOfLauncher();
    }

    Startup startup(state, {prompter, probe, lock, window});
    if (!startup.run()) {
        return 1;
    }
    window.window()->setShutdown([&startup] { startup.shutdown(); });
    const int code = QApplication::exec();
    startup.shutdown();
    return code;
}

} // namespace

int main(int argc, char* argv[]) {
    restrictNewFilesToOwner();
    failWritesPastTheSizeLimit();
    try {
        // Batch mode (docs/batch.md): a script drives the declaration form without any window.
        // Its prints still paint pages (fonts, PDF), which needs a GUI application; with no
        // platform named it takes the offscreen one, so it runs the same with or without a
        // display and never connects to one.
        if (argc >= 2 && qstrcmp(argv[1], "--batch") == 0) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
            }
            QGuiApplication batch(argc, argv);
            return qel::batch::BatchRunner::commandLine(QCoreApplication::arguments());
        }
        return runWindow(argc, argv);
    } catch (const std::exception& error) {
        ui::GuardedApplication::reportUnexpected(QString::fromUtf8(error.what()), kModuleTitle);
    } catch (...) {
        ui::GuardedApplication::reportUnexpected(QStringLiteral("error desconocido"), kModuleTitle);
    }
    return 1;
}
