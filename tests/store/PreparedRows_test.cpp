#include "store/Database.h"
#include "store/PreparedRows.h"
#include "store/StoreFixture.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace qel;

namespace {
class PreparedRows : public test::DatabaseTest {};
} // namespace

// The statement is prepared once and run again with other values; each run gives its own rows
// with the values as the query helpers read them.
TEST_F(PreparedRows, RunsAgainWithNewValuesAndReadsAsTheQueryHelpers) {
    const QString name = QStringLiteral("D'ONOFRIO ÑAÑEZ S.A.");
    db.run(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE, USUARIO) VALUES (6, ?, ?, NULL)"),
           {QStringLiteral("20100070970"), name})
        .finish();
    db.run(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE, USUARIO) VALUES (6, ?, ?, ?)"),
           {QStringLiteral("20100047218"), QStringLiteral("ANDINA"), QStringLiteral("CONTADOR")})
        .finish();
    const QString sql =
        QStringLiteral("SELECT TIP_DOC_D, DOC_ID_D, NOMBRE, USUARIO, 12.5 AS tasa FROM CONT WHERE DOC_ID_D=?");
    store::PreparedRows rows(db, sql);
    for (const QString& ruc : {QStringLiteral("20100070970"), QStringLiteral("20100047218"), QStringLiteral("1")}) {
        SCOPED_TRACE(ruc.toStdString());
        rows.read({ruc});
        QSqlQuery expected = db.run(sql, {ruc});
        int count = 0;
        while (expected.next()) {
            ASSERT_LT(count, rows.rows().size());
            const QVariantList& row = rows.rows().at(count++);
            for (int i = 0; i < row.size(); ++i) {
                EXPECT_EQ(row.at(i).isNull(), expected.value(i).isNull()) << i;
                EXPECT_EQ(row.at(i).toString(), expected.value(i).toString()) << i;
            }
        }
        EXPECT_EQ(count, rows.rows().size());
    }
    EXPECT_EQ(rows.names(), (QStringList{QStringLiteral("TIP_DOC_D"), QStringLiteral("DOC_ID_D"),
                                         QStringLiteral("NOMBRE"), QStringLiteral("USUARIO"), QStringLiteral("tasa")}));
}

TEST_F(PreparedRows, AnEngineErrorThrowsAndLeavesTheStatementUsable) {
    store::PreparedRows missing(db, QStringLiteral("SELECT * FROM NO_SUCH_TABLE"));
    EXPECT_THROW(missing.read({}), store::DatabaseError);

    store::PreparedRows count(db, QStringLiteral("SELECT count(*) FROM CONT WHERE DOC_ID_D=?"));
    EXPECT_THROW(count.read({1, 2}), store::DatabaseError); // one value too many
    count.read({QStringLiteral("20100070970")});
    ASSERT_EQ(count.rows().size(), 1);
    EXPECT_EQ(count.rows().at(0).at(0).toInt(), 0);
}
