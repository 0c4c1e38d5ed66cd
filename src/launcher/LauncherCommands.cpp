#include "launcher/LauncherCommands.h"

#include "app/TaxpayerAccess.h"
#include "launcher/ConsolePrompter.h"
#include "launcher/DeclarationSender.h"
#include "launcher/DemoTaxpayers.h"
#include "launcher/TaxpayerRegistry.h"
#include "launcher/UserAccounts.h"
#include "store/Database.h"
#include "store/ReferenceData.h"

#include <QDir>
#include <QFileInfo>

namespace qel::launcher {

int LauncherCommands::runBatch(const CommandLine& line) {
    if (!line.error.isEmpty()) {
        m_err << line.error << Qt::endl;
        return 1;
    }
    if (line.help) {
        m_out << CommandLine::helpText();
        m_out.flush();
        return 0;
    }
    if (line.createEnvironment) {
        if (const int code = createEnvironment(*line.createEnvironment, line.user.value_or(QString()),
                                               line.password.value_or(QString()), line.server.value_or(QString()));
            code != 0) {
            return code;
        }
    }
    if (line.copyEnvironment) {
        if (const int code = copyEnvironment(*line.copyEnvironment); code != 0) {
            return code;
        }
    }
    if (line.addDemoTaxpayers) {
        if (const int code = addDemoTaxpayers(); code != 0) {
            return code;
        }
    }
    if (line.send) {
        // The command line reaches only the taxpayers of the user who logs in with it.
        const std::optional<QString> user = login(line.user.value_or(QString()), line.password.value_or(QString()));
        if (!user) {
            return 1;
        }
        return send(*line.send, user);
    }
    return 0;
}

int LauncherCommands::copyEnvironment(const QString& server) {
    const Environment::CreateResult result = m_environment.copyToServer(server);
    if (result.outcome == Environment::Outcome::Failed) {
        m_err << result.message << Qt::endl;
        return 1;
    }
    m_out << result.message << Qt::endl;
    return 0;
}

int LauncherCommands::createEnvironment(const QString& folder, const QString& user, const QString& password,
                                        const QString& server) {
    const Environment::CreateResult result = m_environment.create(folder, user, password, server);
    if (result.outcome == Environment::Outcome::Failed) {
        m_err << result.message << Qt::endl;
        return 1;
    }
    m_out << result.message << Qt::endl;
    return 0;
}

std::unique_ptr<store::Database> LauncherCommands::openDatabase() {
    // A database path that names something other than a file (a folder, a FIFO) is opened all
    // the same, so that the open says what it is.
    const bool named =
        m_environment.ini().exists() && (m_environment.usesServer() || QFileInfo::exists(m_environment.databaseFile()));
    if (!m_environment.isComplete() && !named) {
        m_err << QStringLiteral("No existe el entorno del QEL (%1). Créelo con: qel --create-environment CARPETA")
                     .arg(QDir::toNativeSeparators(m_environment.ini().path()))
              << Qt::endl;
        return nullptr;
    }
    auto opened = m_environment.openDatabase();
    if (!opened.database) {
        m_err << QStringLiteral("No se pudo abrir la base de datos %1:\n%2")
                     .arg(m_environment.databaseLocation(), opened.errorText)
              << Qt::endl;
    }
    return std::move(opened.database);
}

int LauncherCommands::addDemoTaxpayers() {
    auto db = openDatabase();
    if (!db) {
        return 1;
    }
    try {
        const int users = store::loadDemoUsers(*db);
        if (users > 0) {
            m_out << QStringLiteral("Se registraron %1 usuarios de demostración (CONTADOR y SUPERVISOR).").arg(users)
                  << Qt::endl;
        }
        const int added = DemoTaxpayers::add(*db);
        if (added == 0) {
            m_out << QStringLiteral("Los contribuyentes de demostración ya estaban registrados; no se agregó nada.")
                  << Qt::endl;
        } else {
            m_out << QStringLiteral("Se registraron %1 contribuyentes de demostración.").arg(added) << Qt::endl;
        }
    } catch (const store::DatabaseError& error) {
        m_err << QStringLiteral("Error Número : %1\n%2").arg(error.number()).arg(error.text()) << Qt::endl;
        return 1;
    }
    return 0;
}

std::optional<QString> LauncherCommands::login(const QString& user, const QString& password) {
    auto db = openDatabase();
    if (!db) {
        return std::nullopt;
    }
    auto name = UserAccounts(*db).authenticate(user, password);
    if (!name) {
        m_err << UserAccounts::kWrongCredentials << Qt::endl;
        return std::nullopt;
    }
    m_environment.setUser(*name);
    return name;
}

int LauncherCommands::send(const QString& ruc, const std::optional<QString>& user) {
    auto db = openDatabase();
    if (!db) {
        return 1;
    }
    const TaxpayerRegistry registry(*db);
    const auto taxpayer = registry.find(ruc);
    if (!taxpayer) {
        m_err << TaxpayerRegistry::kNotRegistered << Qt::endl;
        return 1;
    }
    if (!user || (!UserAccounts(*db).seesEveryTaxpayer(*user) && taxpayer->usuario != *user)) {
        m_err << app::taxpayerRefusedText(ruc, user.value_or(QString())) << Qt::endl;
        return 1;
    }
    ConsolePrompter prompter(m_out, m_err);
    const DeclarationSender sender(*db, prompter, m_clock);
    return sender.send(DeclarationSender::moduleKey(ruc)).sent ? 0 : 1;
}

} // namespace qel::launcher
