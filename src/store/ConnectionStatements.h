#pragma once

namespace qel::store {

class Database;
class StatementCache;

// The statements a connection runs on every save and every opening of a declaration (the
// copies between working and permanent tables, the deletes by declaration), prepared on
// their first use and kept while the connection is open. Their texts hold only
// placeholders, so the same statement serves every declaration.
StatementCache& connectionStatements(Database& db);
// Finalizes the statements of a connection that is closing (the database's destructor).
void releaseConnectionStatements(const Database* db);

} // namespace qel::store
