// The connection's prepared statements (the statement cache of the forms and imports, and the
// prepared rows of the annex grids) store and read values as the connection's own queries do.

#include "store/Database.h"
#include "store/PreparedRows.h"
#include "store/StatementCache.h"
#include "store/StoreFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace qel;

namespace {

// What a bound value became in a column without affinity: its storage class and its text.
QString storedAs(store::Database& db) {
    const QVariant kind = db.scalar(u"SELECT typeof(a) || ':' || ifnull(quote(a),'') FROM cache_probe"_s);
    db.run(u"DELETE FROM cache_probe"_s).finish();
    return kind.toString();
}

class StatementCache : public test::DatabaseTest {
protected:
    void SetUp() override { db.run(u"CREATE TABLE cache_probe (a UNIQUE)"_s).finish(); }

    const QString insert = u"INSERT INTO cache_probe (a) VALUES (?)"_s;
    const QString count = u"SELECT count(*) FROM cache_probe"_s;
};

} // namespace

// A value bound by the prepared statements is stored as the connection's queries store it,
// and reads back the same way: the imports and the forms mix both on one database.
TEST_F(StatementCache, BindsAndReadsValuesAsTheConnectionDoes) {
    store::StatementCache cache(db);
    const QString select = u"SELECT a, 12.5 AS tasa FROM cache_probe WHERE ? IS NOT NULL"_s;
    store::PreparedRows rows(db, select);
    // A null text is NULL, an empty one is not.
    const QVariant cases[] = {
        u"ABC123"_s, QString(), u""_s, u"ÑANDÚ S.A."_s,          QString(200, u'x'), QVariant(), 42, qlonglong(1) << 40,
        -3,          1.5,       true,  QByteArray("\x01\x02", 2)};
    for (const QVariant& value : cases) {
        SCOPED_TRACE(value.toString().toStdString());
        db.run(insert, {value}).finish();
        const QString byDriver = storedAs(db);
        cache.run(insert, {value});
        EXPECT_EQ(storedAs(db), byDriver);

        db.run(insert, {value}).finish();
        const QVariant read = cache.scalar(u"SELECT a FROM cache_probe"_s);
        QSqlQuery expected = db.run(select, {1});
        ASSERT_TRUE(expected.next());
        EXPECT_EQ(read.isNull(), expected.value(0).isNull());
        EXPECT_EQ(read.isValid(), expected.value(0).isValid());
        EXPECT_EQ(read.toString(), expected.value(0).toString());
        rows.read({1});
        ASSERT_EQ(rows.rows().size(), 1);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(rows.rows().at(0).at(i).isNull(), expected.value(i).isNull()) << i;
            EXPECT_EQ(rows.rows().at(0).at(i).toString(), expected.value(i).toString()) << i;
        }
        db.run(u"DELETE FROM cache_probe"_s).finish();
    }
    EXPECT_FALSE(cache.scalar(u"SELECT a FROM cache_probe"_s).isValid()); // no row
    db.run(insert, {7}).finish();
    rows.read({QVariant()});
    EXPECT_TRUE(rows.rows().isEmpty()) << "a run reads its own rows only";
    EXPECT_EQ(rows.names(), QStringList({u"a"_s, u"tasa"_s}));
}

TEST_F(StatementCache, EngineErrorsThrowAndLeaveTheStatementsUsable) {
    store::StatementCache cache(db);
    EXPECT_THROW(cache.scalar(u"SELECT * FROM NO_SUCH_TABLE"_s), store::DatabaseError);
    EXPECT_THROW(cache.run(insert, {1, 2}), store::DatabaseError); // one placeholder, two values
    cache.run(insert, {1});
    try {
        cache.run(insert, {1});
        FAIL() << "a duplicate was stored";
    } catch (const store::DatabaseError& error) {
        EXPECT_TRUE(error.text().contains(u"UNIQUE"_s)) << qPrintable(error.text());
    }
    cache.run(insert, {2});
    EXPECT_EQ(cache.scalar(count).toInt(), 2);

    store::PreparedRows missing(db, u"SELECT * FROM NO_SUCH_TABLE"_s);
    EXPECT_THROW(missing.read({}), store::DatabaseError);
    store::PreparedRows counted(db, count + u" WHERE a=?"_s);
    EXPECT_THROW(counted.read({1, 2}), store::DatabaseError);
    counted.read({2});
    ASSERT_EQ(counted.rows().size(), 1);
    EXPECT_EQ(counted.rows().at(0).at(0).toInt(), 1);
}

// The statement run last is found by its text's storage: texts that alternate, one rebuilt
// with the same words and one changed in place after it ran each run their own statement.
TEST_F(StatementCache, EachTextRunsItsOwnStatementHoweverItWasBuilt) {
    store::StatementCache cache(db);
    QString changing = u"SELECT max(a) FROM cache_probe"_s;
    cache.run(insert, {1});
    EXPECT_EQ(cache.scalar(count).toInt(), 1);
    cache.run(insert, {5});
    EXPECT_EQ(cache.scalar(u"SELECT count(*) "_s + u"FROM cache_probe"_s).toInt(), 2);
    EXPECT_EQ(cache.scalar(changing).toInt(), 5);
    changing.replace(u"max"_s, u"min"_s); // same length, same object
    EXPECT_EQ(cache.scalar(changing).toInt(), 1);
    EXPECT_EQ(cache.scalar(changing).toInt(), 1);
}
