#pragma once

#include "launcher/CommandLine.h"
#include "launcher/Environment.h"

#include <QTextStream>
#include <optional>

namespace qel::app {
class Clock;
}

namespace qel::launcher {

// The launcher's commands that need no window: each answers the exit code of the
// program (0 done, 1 refused or failed) and writes its messages in Spanish.
class LauncherCommands {
public:
    LauncherCommands(Environment environment, QTextStream& out, QTextStream& err, const app::Clock& clock)
        : m_environment(std::move(environment)), m_out(out), m_err(err), m_clock(clock) {}

    // The commands of the line that run without a window, in order: the environment, the
    // demo taxpayers, the send. Stops at the first one that fails.
    int runBatch(const CommandLine& line);

    // With a user and a password, the new database gets that user as its supervisor.
    int createEnvironment(const QString& folder, const QString& user, const QString& password = {},
                          const QString& server = {});
    int copyEnvironment(const QString& server);
    int addDemoTaxpayers();
    // The taxpayer must be one that `user` sees; without a user nothing is sent.
    int send(const QString& ruc, const std::optional<QString>& user);

    // Checks the credentials and records the user in the INI; the user's name as stored,
    // or nothing (the message has been written).
    std::optional<QString> login(const QString& user, const QString& password);

private:
    std::unique_ptr<store::Database> openDatabase();

    Environment m_environment;
    QTextStream& m_out;
    QTextStream& m_err;
    const app::Clock& m_clock;
};

} // namespace qel::launcher
