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
#include "launcher/ui/WhenExposed.h"
#include "store/DatabaseError.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace qel::launcher {

int LauncherApplication::run(const CommandLine& line, EarlyPasswordCheck* early, EarlyModuleStart* module) {
    QApplication::setWindowIcon(LauncherIcons::application());
    app::ui::MessageBoxPrompter prompter;
    const QString title = LauncherWindow::kTitle;
    QTextStream err(stderr);

    const Environment environment;
    if (!environment.isComplete()) {
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
        prompter.message(QStringLiteral("No se pudo abrir la base de datos %1:\n%2")
                             .arg(environment.databaseFile(), opened.errorText),
                         title, app::Icon::Critical);
        return 1;
    }
    store::Database& db = *opened.database;

    const app::SystemClock clock;
    std::unique_ptr<LauncherWindow> window;
    QString user;
    if (line.user && line.password) {
        // While the early check still hashes the password, the window of the user the name
        // designates is built, hidden: it shows only once the password has verified, and is
        // thrown away unseen when it does not.
        std::optional<QString> holder;
        if (early != nullptr) {
            try {
                holder = UserAccounts(db).storedName(*line.user);
            } catch (const store::DatabaseError&) {
                // the login below meets it again and says so
            }
        }
        if (holder) {
            window = std::make_unique<LauncherWindow>(db, prompter, clock, *holder, environment.sysPath());
            window->winId(); // its native window too, not mapped
        }
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
        if (holder != user) {
            window.reset();
        }
    } else {
        LoginDialog login(db, prompter, environment.user());
        if (login.exec() != QDialog::Accepted) {
            return 0;
        }
        user = login.user();
    }
    if (!window) {
        window = std::make_unique<LauncherWindow>(db, prompter, clock, user, environment.sysPath());
    }
    window->show();
    // While the window system maps the window; the module reads it only once the window is up.
    environment.setUser(user);
    if (module != nullptr && module->started()) {
        // The module started with the launcher waits for this window on the screen; it goes on
        // while this window paints.
        new WhenExposed(
            *window, [module] { module->windowShown(); }, WhenExposed::Moment::AtExpose);
    } else if (line.start) {
        window->startModuleWhenShown(*line.start);
    }
    return QApplication::exec();
}

} // namespace qel::launcher
