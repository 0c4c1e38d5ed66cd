#include "store/ExecuteSql.h"

#include "base/Prompter.h"
#include "store/Database.h"
#include "store/TransactionGuard.h"

namespace qel::store {

void showDatabaseError(app::Prompter& prompter, const DatabaseError& error) {
    prompter.message(QStringLiteral("Error Número : %1\n%2").arg(error.number()).arg(error.text()), kSqlErrorTitle,
                     app::Icon::Critical);
}

bool ExecuteSql(Database& db, app::Prompter& prompter, const QString& sql, const QVariantList& values) {
    try {
        db.run(sql, values).finish();
        return true;
    } catch (const DatabaseError& error) {
        showDatabaseError(prompter, error);
        return false;
    }
}

bool runAtomically(Database& db, app::Prompter& prompter, const std::function<void()>& body) {
    try {
        TransactionGuard transaction(db);
        body();
        transaction.commit();
        return true;
    } catch (const DatabaseError& error) {
        showDatabaseError(prompter, error);
        return false;
    }
}

} // namespace qel::store
