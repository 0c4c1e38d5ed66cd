#include "store/Schema.h"

#include "store/ReferenceData.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"

namespace qel::store {

void createSchema(Database& db) {
    for (const QString& statement : TableCatalog::instance().ddl()) {
        db.run(statement).finish();
    }
}

Database::OpenResult createDatabase(const QString& path) {
    Database::OpenResult result = Database::open(path, true);
    if (!result.database) {
        return result;
    }
    try {
        TransactionGuard transaction(*result.database);
        createSchema(*result.database);
        loadReferenceData(*result.database);
        transaction.commit();
    } catch (const DatabaseError& e) {
        result.database.reset();
        result.errorNumber = e.number();
        result.errorText = e.text();
    }
    return result;
}

} // namespace qel::store
