#include "app/Clock.h"
#include "app/ui/GuardedApplication.h"
#include "app/ui/QtSpanish.h"
#include "launcher/CommandLine.h"
#include "launcher/Environment.h"
#include "launcher/LauncherCommands.h"
#include "launcher/ui/LauncherApplication.h"
#include "program/LauncherProgram.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <exception>
#include <memory>

namespace {

int run(int argc, char* argv[], const qel::launcher::CommandLine& line, qel::launcher::EarlyPasswordCheck* early,
        qel::launcher::EarlyModuleStart* module) {
    // The commands without a window need no display: a core application is enough.
    std::unique_ptr<QCoreApplication> app;
    if (line.opensWindow()) {
        app = std::make_unique<qel::app::ui::GuardedApplication>(argc, argv, QStringLiteral("QEL"));
        qel::app::ui::installQtSpanish();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("qel"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const qel::app::SystemClock clock;
    qel::launcher::LauncherCommands commands(qel::launcher::Environment(), out, err, clock);
    const int code = commands.runBatch(line);
    if (code != 0 || !line.opensWindow()) {
        return code;
    }
    return qel::launcher::LauncherApplication::run(line, early, module);
}

} // namespace

extern "C" __attribute__((visibility("default"))) int qelLauncherProgram(int argc, char* argv[],
                                                                         const qel::launcher::CommandLine& line,
                                                                         qel::launcher::EarlyPasswordCheck* early,
                                                                         qel::launcher::EarlyModuleStart* module) {
    try {
        return run(argc, argv, line, early, module);
    } catch (const std::exception& error) {
        qel::app::ui::GuardedApplication::reportUnexpected(QString::fromUtf8(error.what()), QStringLiteral("QEL"));
    } catch (...) {
        qel::app::ui::GuardedApplication::reportUnexpected(QStringLiteral("error desconocido"), QStringLiteral("QEL"));
    }
    return 1;
}
