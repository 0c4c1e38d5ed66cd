#include "store/Database.h"
#include "store/DeclarationTables.h"
#include "store/StoreFixture.h"
#include "store/WorkingCopies.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace qel;
using qel::test::insertRow;
using qel::test::rowCount;

namespace {

const store::DeclarationKey kKey = test::demoKey(u"20100070970"_s);
const store::DeclarationKey kOther = test::demoKey(u"20131312955"_s);

class WorkingCopies : public test::DatabaseTest {};

} // namespace

TEST_F(WorkingCopies, SentVersionOpenedAndSavedReplacesThePermanentRows) {
    insertRow(db, u"F535SOCIOS"_s, kKey, test::partnerRow(u"33333333"_s, 100)); // current
    for (const auto& [document, share, correl] :
         {std::tuple{"11111111", 70, "1"}, {"22222222", 30, "1"}, {"44444444", 100, "2"}}) {
        QVariantMap row = test::partnerRow(QString::fromLatin1(document), share);
        row.insert(u"CORREL"_s, QString::fromLatin1(correl));
        insertRow(db, u"HF535SOCIOS"_s, kKey, row);
    }
    store::refreshWorkingCopies(db, kKey, u"1"_s);
    EXPECT_EQ(rowCount(db, u"TMPF535SOCIOS"_s), 2);

    store::CopyToPermanent(db, u"F535SOCIOS"_s, kKey);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT group_concat(nro_doc_socio) FROM (SELECT nro_doc_socio FROM "
                                       "F535SOCIOS ORDER BY 1)"))
                  .toString(),
              u"11111111,22222222"_s);
    EXPECT_EQ(test::wrongCheckCodes(db, kKey), QStringList());
}

TEST_F(WorkingCopies, DeletingADeclarationFollowsTheCascadeOnly) {
    QStringList cascade =
        store::declaration_tables::deleteCascadeFirst() + store::declaration_tables::deleteCascadeSecond();
    cascade.removeDuplicates(); // the rentals are deleted in both halves
    const QStringList untouched = {u"F535DETVAR"_s,   u"F535MERMAS"_s, u"F535DESMEDROS"_s,
                                   u"F540HIDROCAR"_s, u"F572GASREP"_s, u"F572DETBAS"_s};
    for (const QString& table : cascade + untouched) {
        insertRow(db, table, kKey);
        insertRow(db, table, kOther);
    }
    insertRow(db, u"HCAB"_s, kKey, {{u"CORREL"_s, u"1"_s}});
    insertRow(db, u"TMPF535SOCIOS"_s, kKey);

    auto prompter = test::makePrompter();
    ASSERT_TRUE(store::deleteDeclaration(db, *prompter, kKey));

    for (const QString& table : cascade) {
        EXPECT_EQ(rowCount(db, table, kKey), 0) << table.toStdString();
        EXPECT_EQ(rowCount(db, table, kOther), 1) << table.toStdString();
    }
    for (const QString& table : untouched) {
        EXPECT_EQ(rowCount(db, table, kKey), 1) << table.toStdString();
    }
    EXPECT_EQ(rowCount(db, u"HCAB"_s, kKey), 1);
    EXPECT_EQ(rowCount(db, u"TMPF535SOCIOS"_s, kKey), 1);
}

TEST_F(WorkingCopies, AFailedDeleteChangesNothing) {
    insertRow(db, u"F535SOCIOS"_s, kKey);
    insertRow(db, u"CAB"_s, kKey);
    db.run(u"DROP TABLE F584VEHIC"_s).finish(); // a table of the second half of the cascade

    auto prompter = test::makePrompter();
    prompter->expectMessage(u"Error Número : 1\nno such table: F584VEHIC"_s, app::Icon::Critical,
                            u"Error al Ejecutar Sentencia SQL"_s);
    EXPECT_FALSE(store::deleteDeclaration(db, *prompter, kKey));
    EXPECT_EQ(rowCount(db, u"F535SOCIOS"_s, kKey), 1);
    EXPECT_EQ(rowCount(db, u"CAB"_s, kKey), 1);
    prompter->verify();
}

// Closing the form takes its working rows away; rows of this module left by a process that
// died go at the next start-up; rows of another module's form code are never touched.
TEST_F(WorkingCopies, WorkingRowsLeaveWithTheirFormAndLeftoversAtStartUp) {
    const store::DeclarationKey otherModule{kKey.ruc, kKey.periodo, u"0621"_s};
    for (const store::DeclarationKey& key : {kKey, kOther, otherModule}) {
        insertRow(db, u"TMPF535SOCIOS"_s, key, test::partnerRow(u"11111111"_s, 50));
        insertRow(db, u"TMPACTA"_s, key);
    }

    store::emptyWorkingCopies(db, kKey);
    EXPECT_EQ(rowCount(db, u"TMPF535SOCIOS"_s, kKey) + rowCount(db, u"TMPACTA"_s, kKey), 0);
    EXPECT_EQ(rowCount(db, u"TMPF535SOCIOS"_s, kOther), 1);

    store::clearLeftoverWorkingCopies(db, u"2018"_s, u"0588"_s);
    EXPECT_EQ(rowCount(db, u"TMPF535SOCIOS"_s, kOther), 0);
    EXPECT_EQ(rowCount(db, u"TMPF535SOCIOS"_s, otherModule), 1);
    EXPECT_EQ(rowCount(db, u"TMPACTA"_s, otherModule), 1);
}
