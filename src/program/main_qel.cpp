#include "app/Clock.h"
#include "app/PrivateFiles.h"
#include "app/ui/GuardedApplication.h"
#include "app/ui/QtSpanish.h"
#include "base/PasswordLine.h"
#include "launcher/CommandLine.h"
#include "launcher/EarlyModuleStart.h"
#include "launcher/EarlyPasswordCheck.h"
#include "launcher/Environment.h"
#include "launcher/LauncherCommands.h"
#include "launcher/ui/LauncherApplication.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>

namespace {

int run(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    qel::app::restrictNewFilesToOwner();
    qel::app::failWritesPastTheSizeLimit();
    qel::launcher::CommandLine line = qel::launcher::CommandLine::parse(arguments);
    if (line.error.isEmpty() && !line.help && line.needsPassword()) {
        line.password = qel::launcher::CommandLine::readPassword(*line.user);
        if (!line.password) {
            QTextStream(stderr) << qel::app::passwordTooLongText() << Qt::endl;
            return 1;
        }
    }

    // A login on the command line: no dialog comes before the launcher's window.
    const bool loginGiven = line.error.isEmpty() && !line.help && line.opensWindow() && line.user && line.password;
    std::unique_ptr<qel::launcher::EarlyPasswordCheck> early;
    std::unique_ptr<qel::launcher::EarlyModuleStart> module;

    // The module of --start starts first, side by side with the launcher, and waits for the
    // login to verify: it has the longer way to its window. Only into a complete environment.
    // No application object yet to name the program's folder: the running program's own.
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    if (loginGiven && line.start && !line.hasBatchCommand() && !program.isEmpty()) {
        if (const qel::launcher::Environment environment; environment.isComplete()) {
            module = std::make_unique<qel::launcher::EarlyModuleStart>(
                qel::launcher::ModuleStarter(QFileInfo(program).absolutePath()), *line.start, environment.sysPath());
        }
    }

    // The slow password hash runs while the window system starts.
    if (loginGiven) {
        early = std::make_unique<qel::launcher::EarlyPasswordCheck>(qel::launcher::Environment().databaseFile(),
                                                                    *line.user, *line.password);
    }

    // The module ahead shows its window as soon as the hash verifies; the launcher's own window
    // system waits until then, leaving the two cores to the hash and the module.
    if (early && module && module->started()) {
        if (const std::optional<QString> user = early->verifiedUser()) {
            qel::launcher::Environment().setUser(*user);
            module->loginVerified();
        }
    }

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
    return qel::launcher::LauncherApplication::run(line, early.get(), module.get());
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        qel::app::ui::GuardedApplication::reportUnexpected(QString::fromUtf8(error.what()), QStringLiteral("QEL"));
    } catch (...) {
        qel::app::ui::GuardedApplication::reportUnexpected(QStringLiteral("error desconocido"), QStringLiteral("QEL"));
    }
    return 1;
}
