#include "app/Clock.h"
#include "app/InstanceLock.h"
#include "app/ProcessState.h"
#include "app/Startup.h"
#include "app/X11LauncherProbe.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/DialogFileChooser.h"
#include "app/ui/FormRegistry.h"
#include "app/ui/MDIFrm.h"
#include "app/ui/MainWindowLoader.h"
#include "app/ui/MessageBoxPrompter.h"
#include "app/ui/QtSpanish.h"
#include "batch/BatchRunner.h"

#include <QApplication>
#include <QCoreApplication>

using namespace qel::app;

int main(int argc, char* argv[]) {
    // Batch mode (docs/batch.md): a script drives the declaration form without any window, so
    // it branches off before the window system is touched.
    if (argc >= 2 && qstrcmp(argv[1], "--batch") == 0) {
        QCoreApplication batch(argc, argv);
        return qel::batch::BatchRunner::commandLine(QCoreApplication::arguments());
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(InstanceLock::kModuleName);
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installQtSpanish();

    ProcessState state;
    const SystemClock clock;
    state.clock = &clock;
    ui::MessageBoxPrompter prompter;
    state.prompter = &prompter;
    ui::DialogFileChooser files;
    state.files = &files;

    X11LauncherProbe probe;
    InstanceLock lock;
    ui::FormLauncher forms(prompter);
    ui::registerModuleForms(forms, state, prompter);
    ui::MainWindowLoader window(state, prompter, forms);

    Startup startup(state, {prompter, probe, lock, window});
    if (!startup.run()) {
        return 1;
    }
    window.window()->setShutdown([&startup] { startup.shutdown(); });
    const int code = QApplication::exec();
    startup.shutdown();
    return code;
}
