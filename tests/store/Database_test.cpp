#include "store/Database.h"
#include "store/DeclarationKey.h"
#include "store/ExecuteSql.h"
#include "store/TransactionGuard.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qel;
using qel::test::rowCount;

TEST(Database, QuotedNamesGoThroughBoundValues) {
    test::TempDatabase temp;
    auto& db = temp.db();
    const QString name = QStringLiteral("D'ONOFRIO S.A.");
    db.run(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE, USUARIO) VALUES (6, ?, ?, ?)"),
           {QStringLiteral("20100070970"), name, QStringLiteral("O'BRIEN")})
        .finish();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT NOMBRE FROM CONT WHERE NOMBRE=?"), {name}).toString(), name);
}

TEST(Database, KeyFilterBindsTheThreeValues) {
    const store::DeclarationKey key = test::demoKey();
    const store::SqlFilter filter = key.versionFilter(QStringLiteral("2"));
    EXPECT_EQ(filter.text,
              QStringLiteral(" WHERE TIP_DOC_D=6 AND DOC_ID_D=? AND PERIODO=? AND FORMULARIO=? AND CORREL=?"));
    EXPECT_EQ(filter.values, (QVariantList{key.ruc, key.periodo, key.formulario, QStringLiteral("2")}));
}

TEST(Database, EngineErrorsThrowWithNumberAndText) {
    test::TempDatabase temp;
    try {
        temp.db().run(QStringLiteral("SELECT * FROM NO_SUCH_TABLE"));
        FAIL() << "no error";
    } catch (const store::DatabaseError& e) {
        EXPECT_EQ(e.number(), 1);
        EXPECT_TRUE(e.text().contains(QStringLiteral("NO_SUCH_TABLE")));
    }
}

TEST(Database, ExecuteSqlShowsTheErrorAndTheCallerGoesOn) {
    test::TempDatabase temp;
    auto prompter = test::makePrompter();
    prompter->expectMessage(QStringLiteral("Error Número : 1\nno such table: NO_SUCH_TABLE"), app::Icon::Critical,
                            QStringLiteral("Error al Ejecutar Sentencia SQL"));
    EXPECT_FALSE(store::ExecuteSql(temp.db(), *prompter, QStringLiteral("DELETE FROM NO_SUCH_TABLE")));
    EXPECT_TRUE(store::ExecuteSql(temp.db(), *prompter, QStringLiteral("DELETE FROM TMPACTA")));
    prompter->verify();
}

TEST(Database, TransactionsCommitWhollyOrNotAtAll) {
    test::TempDatabase temp;
    auto& db = temp.db();
    const auto key = test::demoKey();
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

    auto prompter = test::makePrompter();
    prompter->expectMessage(QStringLiteral("Error Número : 1\nno such table: NO_SUCH_TABLE"));
    const bool done = store::runAtomically(db, *prompter, [&] {
        test::insertRow(db, QStringLiteral("DET"), key, {{QStringLiteral("CASILLA"), QStringLiteral("101")}});
        db.run(QStringLiteral("DELETE FROM NO_SUCH_TABLE"));
    });
    EXPECT_FALSE(done);
    EXPECT_EQ(rowCount(db, QStringLiteral("DET"), key), 0);
    EXPECT_FALSE(db.inTransaction());
    prompter->verify();
}
