#pragma once

#include "store/Database.h"

namespace qel::store {

// Creates every table of the catalogue (permanent, working and history copies) with its
// indexes; existing tables are left as they are.
void createSchema(Database& db);

// A new database file: the schema and the reference data, in one transaction.
Database::OpenResult createDatabase(const QString& path);

} // namespace qel::store
