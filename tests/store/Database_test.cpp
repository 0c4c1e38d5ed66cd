#include "store/Database.h"
#include "store/DeclarationKey.h"
#include "store/ExecuteSql.h"
#include "store/StoreFixture.h"
#include "store/TransactionGuard.h"

#include <gtest/gtest.h>

using namespace qel;
using qel::test::rowCount;

namespace {

class Database : public test::DatabaseTest {
protected:
    const store::DeclarationKey key = test::demoKey();
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    const QString noSuchTable = QStringLiteral("Error Número : 1\nno such table: NO_SUCH_TABLE");
};

} // namespace

TEST_F(Database, ExecuteSqlShowsTheErrorAndTheCallerGoesOn) {
    prompter->expectMessage(noSuchTable, app::Icon::Critical, QStringLiteral("Error al Ejecutar Sentencia SQL"));
    EXPECT_FALSE(store::ExecuteSql(db, *prompter, QStringLiteral("DELETE FROM NO_SUCH_TABLE")));
    EXPECT_TRUE(store::ExecuteSql(db, *prompter, QStringLiteral("DELETE FROM TMPACTA")));
    prompter->verify();
}

TEST_F(Database, TransactionsCommitWhollyOrNotAtAll) {
    {
        store::TransactionGuard outer(db);
        test::insertRow(db, QStringLiteral("CAB"), key, {{QStringLiteral("ESTADO"), 0}});
        {
            store::TransactionGuard inner(db);
            test::insertRow(db, QStringLiteral("DET"), key, {{QStringLiteral("CASILLA"), QStringLiteral("100")}});
            // inner not committed: its row goes, the outer one stays
        }
        outer.commit();
    }
    EXPECT_EQ(rowCount(db, QStringLiteral("CAB"), key), 1);
    EXPECT_EQ(rowCount(db, QStringLiteral("DET"), key), 0);

    prompter->expectMessage(noSuchTable);
    const bool done = store::runAtomically(db, *prompter, [&] {
        test::insertRow(db, QStringLiteral("DET"), key, {{QStringLiteral("CASILLA"), QStringLiteral("101")}});
        db.run(QStringLiteral("DELETE FROM NO_SUCH_TABLE"));
    });
    EXPECT_FALSE(done);
    EXPECT_EQ(rowCount(db, QStringLiteral("DET"), key), 0);
    EXPECT_FALSE(db.inTransaction());
    prompter->verify();
}
