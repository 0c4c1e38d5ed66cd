#include "store/Database.h"
#include "store/DeclarationTables.h"
#include "store/StoreFixture.h"
#include "store/WorkingCopies.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace qel;
using qel::test::insertRow;
using qel::test::rowCount;

namespace {

const store::DeclarationKey kKey = test::demoKey(QStringLiteral("20100070970"));
const store::DeclarationKey kOther = test::demoKey(QStringLiteral("20131312955"));

QVariantMap partner(const QString& document, double percentage, const QString& name = QStringLiteral("SOCIO")) {
    return {
        {QStringLiteral("tipo_socio"), QStringLiteral("01")}, {QStringLiteral("tipo_doc_socio"), 1},
        {QStringLiteral("nro_doc_socio"), document},          {QStringLiteral("des_nom_razon"), name},
        {QStringLiteral("Porcentaje"), percentage},           {QStringLiteral("cNumero"), QStringLiteral("000000")}};
}

class WorkingCopies : public test::DatabaseTest {};

} // namespace

TEST_F(WorkingCopies, CounterpartPersonNamesAreRebuiltOnOpening) {
    insertRow(db, QStringLiteral("F535CASEF"), kKey,
              {{QStringLiteral("CASILLA"), QStringLiteral("301")},
               {QStringLiteral("tipo_doc"), 1},
               {QStringLiteral("nro_doc"), QStringLiteral("40404040")},
               {QStringLiteral("tipo_des"), QStringLiteral("1")},
               {QStringLiteral("des_apellido_p"), QStringLiteral("QUISPE")},
               {QStringLiteral("des_apellido_m"), QStringLiteral("MAMANI")},
               {QStringLiteral("des_nombres"), QStringLiteral("ROSA")},
               {QStringLiteral("des_nom_razon"), QString()}});
    insertRow(db, QStringLiteral("F535CASEF"), kKey,
              {{QStringLiteral("CASILLA"), QStringLiteral("301")},
               {QStringLiteral("tipo_doc"), 6},
               {QStringLiteral("nro_doc"), QStringLiteral("20100070970")},
               {QStringLiteral("tipo_des"), QStringLiteral("0")},
               {QStringLiteral("des_nom_razon"), QStringLiteral("EMPRESA SAC")}});
    store::refreshWorkingCopies(db, kKey);
    QSqlQuery names = db.run(QStringLiteral("SELECT des_nom_razon FROM TMPF535CASEF ORDER BY tipo_doc"));
    ASSERT_TRUE(names.next());
    EXPECT_EQ(names.value(0).toString(), QStringLiteral("QUISPE MAMANI, ROSA"));
    ASSERT_TRUE(names.next());
    EXPECT_EQ(names.value(0).toString(), QStringLiteral("EMPRESA SAC"));
}

TEST_F(WorkingCopies, SentVersionOpenedAndSavedReplacesThePermanentRows) {
    auto withCorrel = [](QVariantMap row, const QString& correl) {
        row.insert(QStringLiteral("CORREL"), correl);
        return row;
    };
    insertRow(db, QStringLiteral("F535SOCIOS"), kKey, partner(QStringLiteral("33333333"), 100)); // current
    insertRow(db, QStringLiteral("HF535SOCIOS"), kKey, withCorrel(partner(QStringLiteral("11111111"), 70), "1"));
    insertRow(db, QStringLiteral("HF535SOCIOS"), kKey, withCorrel(partner(QStringLiteral("22222222"), 30), "1"));
    insertRow(db, QStringLiteral("HF535SOCIOS"), kKey, withCorrel(partner(QStringLiteral("44444444"), 100), "2"));

    store::refreshWorkingCopies(db, kKey, QStringLiteral("1"));
    EXPECT_EQ(rowCount(db, QStringLiteral("TMPF535SOCIOS")), 2);
    EXPECT_FALSE(db.connection().record(QStringLiteral("TMPF535SOCIOS")).contains(QStringLiteral("CORREL")));

    store::CopyToPermanent(db, QStringLiteral("F535SOCIOS"), kKey);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT group_concat(nro_doc_socio) FROM (SELECT nro_doc_socio FROM "
                                       "F535SOCIOS ORDER BY 1)"))
                  .toString(),
              QStringLiteral("11111111,22222222"));
    EXPECT_EQ(test::wrongCheckCodes(db, kKey), QStringList());
}

TEST_F(WorkingCopies, SavingWritesNewCheckCodesAndLeavesUnusedAnnexesEmpty) {
    insertRow(db, QStringLiteral("TMPF535SOCIOS"), kKey,
              partner(QStringLiteral("11111111"), 100, QStringLiteral("ÑANDÚ E.I.R.L.")));
    insertRow(db, QStringLiteral("TMPACTA"), kKey,
              {{QStringLiteral("TIPO_ASIST"), QStringLiteral("4")},
               {QStringLiteral("PER_PAG"), QStringLiteral("201803")},
               {QStringLiteral("saluti"), 1500},
               {QStringLiteral("cNumero"), QStringLiteral("000000")}});
    insertRow(db, QStringLiteral("TMPF535MERMAS"), kKey,
              {{QStringLiteral("num_inf_tecnico"), QStringLiteral("INF-1")}, {QStringLiteral("mto_merma"), 500}});
    insertRow(db, QStringLiteral("F535MERMAS"), kKey, {{QStringLiteral("num_inf_tecnico"), QStringLiteral("OLD")}});

    store::CopyToPermanent(db, QStringLiteral("F535SOCIOS"), kKey);
    store::CopyToPermanent(db, QStringLiteral("ACTA"), kKey);
    store::CopyToPermanent(db, QStringLiteral("F535MERMAS"), kKey, false); // switched off

    EXPECT_EQ(test::wrongCheckCodes(db, kKey), QStringList());
    EXPECT_EQ(rowCount(db, QStringLiteral("ACTA"), kKey), 1);
    EXPECT_NE(db.scalar(QStringLiteral("SELECT cNumero FROM F535SOCIOS")).toString(), QStringLiteral("000000"));
    EXPECT_EQ(rowCount(db, QStringLiteral("F535MERMAS"), kKey), 0);
    EXPECT_EQ(rowCount(db, QStringLiteral("TMPF535MERMAS")), 1);
}

TEST_F(WorkingCopies, DeletingADeclarationFollowsTheCascadeOnly) {
    QStringList cascade =
        store::declaration_tables::deleteCascadeFirst() + store::declaration_tables::deleteCascadeSecond();
    cascade.removeDuplicates(); // the rentals are deleted in both halves
    const QStringList untouched = {QStringLiteral("F535DETVAR"),    QStringLiteral("F535MERMAS"),
                                   QStringLiteral("F535DESMEDROS"), QStringLiteral("F540HIDROCAR"),
                                   QStringLiteral("F572GASREP"),    QStringLiteral("F572DETBAS")};
    for (const QString& table : cascade + untouched) {
        insertRow(db, table, kKey);
        insertRow(db, table, kOther);
    }
    insertRow(db, QStringLiteral("HCAB"), kKey, {{QStringLiteral("CORREL"), QStringLiteral("1")}});
    insertRow(db, QStringLiteral("TMPF535SOCIOS"), kKey);

    auto prompter = test::makePrompter();
    ASSERT_TRUE(store::deleteDeclaration(db, *prompter, kKey));

    for (const QString& table : cascade) {
        EXPECT_EQ(rowCount(db, table, kKey), 0) << table.toStdString();
        EXPECT_EQ(rowCount(db, table, kOther), 1) << table.toStdString();
    }
    for (const QString& table : untouched) {
        EXPECT_EQ(rowCount(db, table, kKey), 1) << table.toStdString();
    }
    EXPECT_EQ(rowCount(db, QStringLiteral("HCAB"), kKey), 1);
    EXPECT_EQ(rowCount(db, QStringLiteral("TMPF535SOCIOS"), kKey), 1);
}

TEST_F(WorkingCopies, AFailedDeleteChangesNothing) {
    insertRow(db, QStringLiteral("F535SOCIOS"), kKey);
    insertRow(db, QStringLiteral("CAB"), kKey);
    db.run(QStringLiteral("DROP TABLE F584VEHIC")).finish(); // a table of the second half of the cascade

    auto prompter = test::makePrompter();
    prompter->expectMessage(QStringLiteral("Error Número : 1\nno such table: F584VEHIC"), app::Icon::Critical,
                            QStringLiteral("Error al Ejecutar Sentencia SQL"));
    EXPECT_FALSE(store::deleteDeclaration(db, *prompter, kKey));
    EXPECT_EQ(rowCount(db, QStringLiteral("F535SOCIOS"), kKey), 1);
    EXPECT_EQ(rowCount(db, QStringLiteral("CAB"), kKey), 1);
    prompter->verify();
}

TEST_F(WorkingCopies, DeletingOneSentVersionKeepsTheOther) {
    const QStringList tables = store::declaration_tables::sentVersionTables();
    for (const QString& base : tables) {
        const QString history = QStringLiteral("H") + base;
        insertRow(db, history, kKey, {{QStringLiteral("CORREL"), QStringLiteral("1")}});
        insertRow(db, history, kKey, {{QStringLiteral("CORREL"), QStringLiteral("2")}});
    }
    auto prompter = test::makePrompter();
    ASSERT_TRUE(store::deleteSentVersion(db, *prompter, kKey, QStringLiteral("1")));
    for (const QString& base : tables) {
        const QString history = QStringLiteral("H") + base;
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT group_concat(CORREL) FROM ") + history).toString(),
                  QStringLiteral("2"))
            << history.toStdString();
    }
}

// Closing the form takes its working rows away; rows of this module left by a process that
// died go at the next start-up; rows of another module's form code are never touched.
TEST_F(WorkingCopies, WorkingRowsLeaveWithTheirFormAndLeftoversAtStartUp) {
    const store::DeclarationKey otherModule{kKey.ruc, kKey.periodo, QStringLiteral("0621")};
    for (const store::DeclarationKey& key : {kKey, kOther, otherModule}) {
        insertRow(db, QStringLiteral("TMPF535SOCIOS"), key, partner(QStringLiteral("11111111"), 50));
        insertRow(db, QStringLiteral("TMPACTA"), key);
    }

    store::emptyWorkingCopies(db, kKey);
    EXPECT_EQ(rowCount(db, QStringLiteral("TMPF535SOCIOS"), kKey) + rowCount(db, QStringLiteral("TMPACTA"), kKey), 0);
    EXPECT_EQ(rowCount(db, QStringLiteral("TMPF535SOCIOS"), kOther), 1);

    store::clearLeftoverWorkingCopies(db, QStringLiteral("2018"), QStringLiteral("0588"));
    EXPECT_EQ(rowCount(db, QStringLiteral("TMPF535SOCIOS"), kOther), 0);
    EXPECT_EQ(rowCount(db, QStringLiteral("TMPF535SOCIOS"), otherModule), 1);
    EXPECT_EQ(rowCount(db, QStringLiteral("TMPACTA"), otherModule), 1);
}
