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

// Deletes the declaration's rows of a table, working copies included; a table without the
// key columns is emptied whole.
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
void refreshWorkingCopies(Database& db, const DeclarationKey& key, const std::optional<QString>& correl = std::nullopt);

// The working rows of the declaration, removed when its form closes (opening a declaration
// only to look at it leaves nothing of it in the shared file). Does nothing without a RUC.
void emptyWorkingCopies(Database& db, const DeclarationKey& key);

// The working rows of this module's form code and period left behind by a module process
// that ended without closing its form. Only the holder of the database lock runs it: no
// other process of the module can be working on them. On a connection with its own working
// tables it clears those: a new form holds no declaration yet.
void clearLeftoverWorkingCopies(Database& db, const QString& periodo, const QString& formulario);

// Gives the connection working tables of its own (temporary tables named as the shared ones,
// which they hide from it), once per connection: the working rows of a session are then
// never read, written or deleted by another session on the same declaration, and they go
// with the session however it ends. Statements the connection kept prepared go, so that none
// still points at a shared table. Throws DatabaseError.
void useSessionWorkingTables(Database& db);
// Whether the connection has its own working tables.
bool hasSessionWorkingTables(Database& db);

// Commands: each one transaction; an engine error is shown and nothing stays changed.
// Tells the other sessions on the server, when the running transaction commits, that a
// taxpayer's declaration changed (their lists reload); nothing on a file, which they watch.
void announceChange(Database& db, const QString& ruc);
bool deleteDeclaration(Database& db, app::Prompter& prompter, const DeclarationKey& key);
bool deleteSentVersion(Database& db, app::Prompter& prompter, const DeclarationKey& key, const QString& correl);

} // namespace qel::store
