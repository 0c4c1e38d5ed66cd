#pragma once

#include "store/DatabaseError.h"

#include <QString>
#include <QVariantList>
#include <functional>

namespace qel::app {
class Prompter;
}

namespace qel::store {

class Database;

// Shows an engine error as the system does: "Error Número : N", a line feed and the
// engine's text, titled "Error al Ejecutar Sentencia SQL", critical icon.
// The title of every engine error shown to the user.
inline const QString kSqlErrorTitle = QStringLiteral("Error al Ejecutar Sentencia SQL");

void showDatabaseError(app::Prompter& prompter, const DatabaseError& error);

// Runs one action statement; on an engine error shows it and returns false, and the
// caller goes on.
bool ExecuteSql(Database& db, app::Prompter& prompter, const QString& sql, const QVariantList& values = {});

// Runs a writing command as one transaction: every statement of `body` or none. An engine
// error rolls everything back, is shown, and the command answers false.
bool runAtomically(Database& db, app::Prompter& prompter, const std::function<void()>& body);

} // namespace qel::store
