#pragma once

namespace qel::store {

class Database;

// Fills a new database with the reference data kept in the project's data/ folder
// (compiled in as resources): PARAM, ERROR, CLAVES, envio_t and F544BALCUEN.
// Throws DatabaseError.
void loadReferenceData(Database& db);

} // namespace qel::store
