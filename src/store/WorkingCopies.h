#pragma once

#include "store/DeclarationKey.h"

#include <QHash>
#include <QString>

#include <optional>

namespace qel::app {
class Prompter;
}

namespace qel::store {

class Database;

// Moving a declaration between its permanent, working (TMP) and history (H) copies.
// These throw DatabaseError; the commands at the bottom run them as one transaction.

// Empties a working table whole (whatever the key); from any other table deletes the
// declaration's rows.
void DeleteDeclarationRows(Database& db, const QString& table, const DeclarationKey& key);

// Refills TMP+base with the declaration's rows of the permanent table, or of the sent
// version `correl` of the history table (every column but CORREL, by name). Check codes
// travel unchanged. `expressions` replaces the copy of a column by an SQL expression over
// the source row.
void CopyToWorking(Database& db, const QString& baseName, const DeclarationKey& key,
                   const std::optional<QString>& correl = std::nullopt,
                   const QHash<QString, QString>& expressions = {});

// Replaces the declaration's permanent rows of an annex by its working rows, each with a
// new check code. An annex not in use ends empty.
void CopyToPermanent(Database& db, const QString& baseName, const DeclarationKey& key, bool inUse = true);

// Every working copy of the declaration, in the order the declaration form refreshes them.
void refreshWorkingCopies(Database& db, const DeclarationKey& key,
                          const std::optional<QString>& correl = std::nullopt);

// Commands: each one transaction; an engine error is shown and nothing stays changed.
bool deleteDeclaration(Database& db, app::Prompter& prompter, const DeclarationKey& key);
bool deleteSentVersion(Database& db, app::Prompter& prompter, const DeclarationKey& key, const QString& correl);

} // namespace qel::store
