#include "app/Clock.h"
#include "app/ui/QtSpanish.h"
#include "launcher/CommandLine.h"
#include "launcher/LauncherCommands.h"
#include "launcher/ui/LauncherApplication.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const qel::launcher::CommandLine line = qel::launcher::CommandLine::parse(arguments);

    // The commands without a window need no display: a core application is enough.
    std::unique_ptr<QCoreApplication> app;
    if (line.opensWindow()) {
        app = std::make_unique<QApplication>(argc, argv);
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
    return qel::launcher::LauncherApplication::run(line);
}
