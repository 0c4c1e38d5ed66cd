#pragma once

#include "store/Database.h"

namespace qel::store {

// Creates every table of the catalogue (permanent, working and history copies) with its
// indexes; existing tables are left as they are.
void createSchema(Database& db);

// A new database file: the schema and the reference data, in one transaction.
Database::OpenResult createDatabase(const QString& path);

// The same on the office server: the check-code and number functions, the schema and the
// reference data, in the database the URI names (which the administrator created) and in its
// default schema. A database that has the tables already is refused, not filled twice.
Database::OpenResult createServerDatabase(const QString& uri);

} // namespace qel::store
