#include "launcher/ui/LauncherApplication.h"

#include "app/Clock.h"
#include "app/ui/MessageBoxPrompter.h"
#include "launcher/EarlyModuleStart.h"
#include "launcher/Environment.h"
#include "launcher/UserAccounts.h"
#include "launcher/ui/EnvironmentDialog.h"
#include "launcher/ui/LauncherIcons.h"
#include "launcher/ui/LauncherWindow.h"
#include "launcher/ui/LoginDialog.h"
#include "store/DatabaseError.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

namespace qel::launcher {

namespace {

// The launcher's picture, for every window of it; painted before the first of them shows, not
// while a module started alongside still needs the processor for its own window.
void paintTheIconOnce() {
    if (QApplication::windowIcon().isNull()) {
        QApplication::setWindowIcon(LauncherIcons::application());
    }
}

} // namespace

int LauncherApplication::run(const CommandLine& line, EarlyPasswordCheck* early, EarlyModuleStart* module) {
    app::ui::MessageBoxPrompter prompter;
    const QString title = LauncherWindow::kTitle;
    QTextStream err(stderr);

    const Environment environment;
    if (!environment.isComplete()) {
        paintTheIconOnce();
        EnvironmentDialog dialog(environment, prompter);
        if (!environment.sysPath().isEmpty()) {
            dialog.setFolder(environment.sysPath()); // an environment whose database went missing
        }
        if (dialog.exec() != QDialog::Accepted) {
            return 0;
        }
    }

    auto opened = environment.openDatabase();
    if (!opened.database) {
        paintTheIconOnce();
        prompter.message(QStringLiteral("No se pudo abrir la base de datos %1:\n%2")
                             .arg(environment.databaseFile(), opened.errorText),
                         title, app::Icon::Critical);
        return 1;
    }
    store::Database& db = *opened.database;

    const app::SystemClock clock;
    QString user;
    if (line.user && line.password) {
        std::optional<QString> name;
        try {
            name = UserAccounts(db).authenticate(*line.user, *line.password, early);
        } catch (const store::DatabaseError& error) {
            err << error.text() << Qt::endl;
            return 1;
        }
        if (!name) {
            err << UserAccounts::kWrongCredentials << Qt::endl;
            return 1;
        }
        user = *name;
    } else {
        paintTheIconOnce();
        LoginDialog login(db, prompter, environment.user());
        if (login.exec() != QDialog::Accepted) {
            return 0;
        }
        user = login.user();
    }
    // The module reads the user from the configuration: it is written before the module goes on.
    environment.setUser(user);
    const bool moduleAhead = module != nullptr && module->started();
    if (moduleAhead) {
        // The module started with the launcher shows its window now, if it does not already.
        module->loginVerified();
    }
    paintTheIconOnce();
    LauncherWindow window(db, prompter, clock, user, environment.sysPath());
    if (moduleAhead) {
        // It comes second: behind the module's, which keeps the user's attention and the focus.
        window.setAttribute(Qt::WA_ShowWithoutActivating);
        window.show();
        window.lower();
        module->release();
    } else {
        window.show();
        if (line.start) {
            window.startModuleWhenShown(*line.start);
        }
    }
    return QApplication::exec();
}

} // namespace qel::launcher
