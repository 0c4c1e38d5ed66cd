#include "store/Database.h"
#include "store/StatementCache.h"
#include "store/StoreFixture.h"
#include "store/TransactionGuard.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {

// What a bound value became in a column without affinity: its storage class and its text.
QString storedAs(store::Database& db) {
    const QVariant kind = db.scalar(QStringLiteral("SELECT typeof(a) || ':' || ifnull(quote(a),'') FROM cache_probe"));
    db.run(QStringLiteral("DELETE FROM cache_probe")).finish();
    return kind.toString();
}

class StatementCache : public test::DatabaseTest {};

} // namespace

// A value bound by the prepared statements is stored as the connection's queries store it,
// and reads back the same way: the imports and the forms mix both on one database.
TEST_F(StatementCache, BindsAndReadsValuesAsTheConnectionDoes) {
    db.run(QStringLiteral("CREATE TEMP TABLE cache_probe (a)")).finish();
    store::StatementCache cache(db);
    const QString insert = QStringLiteral("INSERT INTO cache_probe (a) VALUES (?)");
    const QVariant cases[] = {
        QStringLiteral("ABC123"),
        QString(),                    // a null text is NULL
        QStringLiteral(""),           // an empty one is not
        QStringLiteral("ÑANDÚ S.A."), // beyond ASCII
        QString(200, QLatin1Char('x')),
        QVariant(),
        42,
        qlonglong(1) << 40,
        -3,
        1.5,
        true,
        QByteArray("\x01\x02", 2),
    };
    for (const QVariant& value : cases) {
        db.run(insert, {value}).finish();
        const QString byDriver = storedAs(db);
        cache.run(insert, {value});
        EXPECT_EQ(storedAs(db), byDriver) << qPrintable(value.toString());

        db.run(insert, {value}).finish();
        const QString select = QStringLiteral("SELECT a FROM cache_probe");
        const QVariant read = cache.scalar(select);
        const QVariant readByDriver = db.scalar(select);
        EXPECT_EQ(read.isNull(), readByDriver.isNull()) << qPrintable(value.toString());
        EXPECT_EQ(read.isValid(), readByDriver.isValid()) << qPrintable(value.toString());
        EXPECT_EQ(read.toString(), readByDriver.toString()) << qPrintable(value.toString());
        db.run(QStringLiteral("DELETE FROM cache_probe")).finish();
    }
    EXPECT_FALSE(cache.scalar(QStringLiteral("SELECT a FROM cache_probe")).isValid()); // no row
}

TEST_F(StatementCache, EngineErrorsThrowAndLeaveTheCacheUsable) {
    db.run(QStringLiteral("CREATE TEMP TABLE cache_probe (a UNIQUE)")).finish();
    store::StatementCache cache(db);
    const QString insert = QStringLiteral("INSERT INTO cache_probe (a) VALUES (?)");
    EXPECT_THROW(cache.scalar(QStringLiteral("SELECT * FROM NO_SUCH_TABLE")), store::DatabaseError);
    EXPECT_THROW(cache.run(insert, {1, 2}), store::DatabaseError); // one placeholder, two values
    cache.run(insert, {1});
    try {
        cache.run(insert, {1});
        FAIL() << "a duplicate was stored";
    } catch (const store::DatabaseError& error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("UNIQUE"))) << qPrintable(error.text());
    }
    cache.run(insert, {2});
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM cache_probe")).toInt(), 2);
}

// The statements take part in the connection's transaction: a rollback takes their rows too,
// and a statement kept in the cache holds no read open that would stop the rollback.
TEST_F(StatementCache, RowsFollowTheTransaction) {
    db.run(QStringLiteral("CREATE TABLE cache_probe (a)")).finish();
    {
        store::TransactionGuard transaction(db);
        store::StatementCache cache(db);
        cache.run(QStringLiteral("INSERT INTO cache_probe (a) VALUES (?)"), {QStringLiteral("x")});
        EXPECT_EQ(cache.scalar(QStringLiteral("SELECT count(*) FROM cache_probe")).toInt(), 1);
        transaction.rollback();
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM cache_probe")).toInt(), 0);
}

// The statement run last is found by its text's storage: texts that alternate, one rebuilt
// with the same words and one changed in place after it ran each run their own statement.
TEST_F(StatementCache, EachTextRunsItsOwnStatementHoweverItWasBuilt) {
    db.run(QStringLiteral("CREATE TABLE cache_probe (a)")).finish();
    store::StatementCache cache(db);
    const QString insert = QStringLiteral("INSERT INTO cache_probe (a) VALUES (?)");
    const QString count = QStringLiteral("SELECT count(*) FROM cache_probe");
    QString changing = QStringLiteral("SELECT max(a) FROM cache_probe");

    cache.run(insert, {1});
    EXPECT_EQ(cache.scalar(count).toInt(), 1);
    cache.run(insert, {5});
    EXPECT_EQ(cache.scalar(QStringLiteral("SELECT count(*) ") + QStringLiteral("FROM cache_probe")).toInt(), 2);
    EXPECT_EQ(cache.scalar(changing).toInt(), 5);
    changing.replace(QStringLiteral("max"), QStringLiteral("min")); // same length, same object
    EXPECT_EQ(cache.scalar(changing).toInt(), 1);
    EXPECT_EQ(cache.scalar(changing).toInt(), 1);
}
