#include "app/PrivateFiles.h"
#include "app/UnexpectedError.h"
#include "base/PasswordLine.h"
#include "launcher/CommandLine.h"
#include "launcher/EarlyModuleStart.h"
#include "launcher/EarlyPasswordCheck.h"
#include "launcher/Environment.h"
#include "program/LauncherProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <dlfcn.h>
#include <exception>
#include <memory>
#include <optional>

// The program links no window system: it starts the module of --start and the check of the
// password first, and only then loads the launcher's window program (LauncherProgram.h).

namespace {

// How long the launcher lets the module ahead have the processor for its window before it loads
// its own: past that (a slow display, a module that asks something first), it goes on.
constexpr int kModuleWindowWaitMs = 3000;

void say(const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
}

// The window program's library: beside the program in a build, in the package's own library
// folder once installed.
qel::program::LauncherProgram loadLauncherProgram(const QString& programFolder) {
    const QDir folder(programFolder);
    const QString paths[] = {folder.filePath(QLatin1String(qel::program::kLauncherLibrary)),
                             folder.filePath(QStringLiteral(QEL_INSTALLED_LIBRARY_FOLDER "/") +
                                             QLatin1String(qel::program::kLauncherLibrary))};
    QString failure;
    for (const QString& path : paths) {
        if (!QFileInfo::exists(path)) {
            continue;
        }
        void* library = ::dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_LOCAL);
        if (library == nullptr) {
            failure = QString::fromLocal8Bit(::dlerror());
            break;
        }
        if (void* entry = ::dlsym(library, qel::program::kLauncherProgramSymbol)) {
            return reinterpret_cast<qel::program::LauncherProgram>(entry);
        }
        failure = QString::fromLocal8Bit(::dlerror());
        break;
    }
    say(QStringLiteral("No se pudo cargar la ventana del Integrador (%1): %2")
            .arg(QLatin1String(qel::program::kLauncherLibrary),
                 failure.isEmpty() ? QStringLiteral("no está junto al programa") : failure));
    return nullptr;
}

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
            say(qel::app::passwordTooLongText());
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
    const QString programFolder = QFileInfo(program.isEmpty() ? arguments.constFirst() : program).absolutePath();
    if (loginGiven && line.start && !line.hasBatchCommand() && !program.isEmpty()) {
        if (const qel::launcher::Environment environment; environment.isComplete()) {
            module = std::make_unique<qel::launcher::EarlyModuleStart>(qel::launcher::ModuleStarter(programFolder),
                                                                       *line.start, environment.sysPath());
        }
    }

    // The slow password hash runs while the module starts.
    if (loginGiven) {
        early = std::make_unique<qel::launcher::EarlyPasswordCheck>(qel::launcher::Environment().databaseFile(),
                                                                    *line.user, *line.password);
    }

    // The module ahead shows its window as soon as the hash verifies; the launcher's own window
    // system waits until that window is shown, leaving the processor to the hash and the module.
    if (early && module && module->started()) {
        if (const std::optional<QString> user = early->verifiedUser()) {
            qel::launcher::Environment().setUser(*user);
            module->loginVerified();
            module->waitForModuleWindow(kModuleWindowWaitMs);
        }
    }

    const qel::program::LauncherProgram launcher = loadLauncherProgram(programFolder);
    if (launcher == nullptr) {
        return 1;
    }
    return launcher(argc, argv, line, early.get(), module.get());
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        say(qel::app::unexpectedErrorText(QString::fromUtf8(error.what())));
    } catch (...) {
        say(qel::app::unexpectedErrorText(QStringLiteral("error desconocido")));
    }
    return 1;
}
