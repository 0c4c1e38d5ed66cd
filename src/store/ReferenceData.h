#pragma once

namespace qel::store {

class Database;

// Fills a new database with the reference data kept in the project's data/ folder
// (compiled in as resources): PARAM, ERROR, envio_t and F544BALCUEN. A new database has no
// user accounts: its environment asks for them. Throws DatabaseError.
void loadReferenceData(Database& db);

// The demo accounts (CONTADOR and SUPERVISOR, whose passwords the README gives), marked as
// demo; an account of the same name is left as it is. Answers how many were added.
int loadDemoUsers(Database& db);

} // namespace qel::store
