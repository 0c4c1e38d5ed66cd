#include "store/Database.h"
#include "store/StoreFixture.h"
#include "store/TransactionGuard.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace qel;
using qel::test::rowCount;

namespace {
class Database : public test::DatabaseTest {};
} // namespace

// A transaction inside another one is a savepoint: left uncommitted, only its own rows go.
TEST_F(Database, AnInnerTransactionLeftUncommittedTakesOnlyItsOwnRows) {
    const store::DeclarationKey key = test::demoKey();
    {
        store::TransactionGuard outer(db);
        test::insertRow(db, u"CAB"_s, key, {{u"ESTADO"_s, 0}});
        {
            store::TransactionGuard inner(db);
            test::insertRow(db, u"DET"_s, key, {{u"CASILLA"_s, u"100"_s}});
        }
        outer.commit();
    }
    EXPECT_EQ(rowCount(db, u"CAB"_s, key), 1);
    EXPECT_EQ(rowCount(db, u"DET"_s, key), 0);
    EXPECT_FALSE(db.inTransaction());
}
