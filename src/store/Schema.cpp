#include "store/Schema.h"

#include "store/ReferenceData.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"

#include <utility>

namespace qel::store {

void createSchema(Database& db) {
    for (const QString& statement : TableCatalog::instance().ddl(db.dialect())) {
        db.run(statement).finish();
    }
}

namespace {

// The schema and the reference data written into a database just opened, in one transaction;
// a failure closes it and says why.
Database::OpenResult filled(Database::OpenResult result) {
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

} // namespace

Database::OpenResult createDatabase(const QString& path) {
    Database::OpenResult result = Database::open(path, true);
    if (!result.database) {
        return result;
    }
    return filled(std::move(result));
}

Database::OpenResult createServerDatabase(const QString& uri) {
    Database::OpenResult result = Database::openServer(uri);
    if (!result.database) {
        return result;
    }
    try {
        if (result.database->scalar(QStringLiteral("SELECT to_regclass('param') IS NOT NULL")).toBool()) {
            result.database.reset();
            result.errorNumber = -1;
            result.errorText =
                QStringLiteral("La base de datos del servidor %1 ya tiene las tablas del QEL; no se vuelve a crear.")
                    .arg(uri);
            return result;
        }
    } catch (const DatabaseError& e) {
        result.database.reset();
        result.errorNumber = e.number();
        result.errorText = e.text();
        return result;
    }
    return filled(std::move(result));
}

} // namespace qel::store
