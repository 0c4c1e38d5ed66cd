// A save copies the check code of a working row that nothing changed since the opening, and
// computes it anew for every other row. The permanent rows start with a code no row has
// ("999999"), so a code kept where it should have been computed shows.

#include "store/Database.h"
#include "store/RowCheckCode.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"
#include "store/WorkingCopies.h"
#include "support/TestSupport.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <functional>
#include <gtest/gtest.h>

using namespace qel;
using qel::test::insertRow;

namespace {

const store::DeclarationKey kKey = test::demoKey(QStringLiteral("20100070970"));
const QString kStale = QStringLiteral("999999");

QVariantMap partner(const QString& document, const QString& name = QStringLiteral("SOCIO")) {
    return {{QStringLiteral("tipo_socio"), QStringLiteral("01")},
            {QStringLiteral("tipo_doc_socio"), 1},
            {QStringLiteral("nro_doc_socio"), document},
            {QStringLiteral("des_nom_razon"), name},
            {QStringLiteral("Porcentaje"), 25},
            {QStringLiteral("cNumero"), kStale}};
}

// "document:kept" or "document:new" for each permanent row of the table, by document; a row
// whose code is neither the stale one nor its own is a fault.
QStringList savedCodes(store::Database& db, const QString& table, const QString& documentColumn) {
    const auto layout = store::TableCatalog::instance().resolve(table);
    QSqlQuery rows = db.run(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, documentColumn));
    QStringList codes;
    while (rows.next()) {
        QVariantList values;
        for (int i = 0; i < rows.record().count(); ++i) {
            values.append(rows.value(i));
        }
        const QString stored = values.last().toString();
        const QString computed = store::RowCheckCode(values, layout->columnTypes(), layout->keyCount);
        EXPECT_NE(computed, kStale);
        const QString document = rows.value(documentColumn).toString();
        codes.append(document + (stored == kStale     ? QStringLiteral(":kept")
                                 : stored == computed ? QStringLiteral(":new")
                                                      : QStringLiteral(":WRONG ") + stored));
    }
    return codes;
}

struct Case {
    const char* name;
    std::function<void(test::TempDatabase&)> between; // what happens between the opening and the save
    QStringList expected;
};

} // namespace

TEST(WorkingCopiesKeptCodes, OnlyRowsNothingChangedKeepTheirCode) {
    const auto run = [](store::Database& db, const QString& sql) { db.run(sql).finish(); };
    const Case cases[] = {
        {"nothing changed", [](test::TempDatabase&) {}, {"1:kept", "2:kept", "3:kept", "4:kept"}},
        {"one row updated",
         [&](test::TempDatabase& t) {
             run(t.db(), QStringLiteral("UPDATE TMPF535SOCIOS SET Porcentaje=5 WHERE nro_doc_socio='2'"));
         },
         {"1:kept", "2:new", "3:kept", "4:kept"}},
        {"a row's code overwritten",
         [&](test::TempDatabase& t) {
             run(t.db(), QStringLiteral("UPDATE TMPF535SOCIOS SET cNumero='000001' WHERE nro_doc_socio='3'"));
         },
         {"1:kept", "2:kept", "3:new", "4:kept"}},
        {"a row added",
         [](test::TempDatabase& t) { insertRow(t.db(), QStringLiteral("TMPF535SOCIOS"), kKey, partner("5")); },
         {"1:kept", "2:kept", "3:kept", "4:kept", "5:new"}},
        {"the last row deleted and another inserted in its rowid",
         [&](test::TempDatabase& t) {
             run(t.db(), QStringLiteral("DELETE FROM TMPF535SOCIOS WHERE nro_doc_socio='4'"));
             insertRow(t.db(), QStringLiteral("TMPF535SOCIOS"), kKey, partner("6"));
         },
         {"1:kept", "2:kept", "3:kept", "6:new"}},
        {"an update rolled back to a savepoint",
         [&](test::TempDatabase& t) {
             store::TransactionGuard outer(t.db());
             {
                 store::TransactionGuard inner(t.db());
                 run(t.db(), QStringLiteral("UPDATE TMPF535SOCIOS SET Porcentaje=5 WHERE nro_doc_socio='1'"));
             }
             outer.commit();
         },
         {"1:new", "2:new", "3:new", "4:new"}},
        {"a changed row brought back by a rolled-back opening",
         [&](test::TempDatabase& t) {
             run(t.db(), QStringLiteral("UPDATE TMPF535SOCIOS SET Porcentaje=5 WHERE nro_doc_socio='2'"));
             store::TransactionGuard reopening(t.db());
             store::refreshWorkingCopies(t.db(), kKey);
         },
         {"1:new", "2:new", "3:new", "4:new"}},
        {"another connection changed a row",
         [](test::TempDatabase& t) {
             auto other = store::Database::open(t.path());
             ASSERT_TRUE(other.database);
             other.database->run(QStringLiteral("UPDATE TMPF535SOCIOS SET Porcentaje=5 WHERE nro_doc_socio='4'"))
                 .finish();
         },
         {"1:new", "2:new", "3:new", "4:new"}},
        {"the declaration opened again",
         [](test::TempDatabase& t) {
             t.db().run(QStringLiteral("UPDATE TMPF535SOCIOS SET Porcentaje=5 WHERE nro_doc_socio='2'")).finish();
             store::refreshWorkingCopies(t.db(), kKey);
         },
         {"1:kept", "2:kept", "3:kept", "4:kept"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDatabase temp;
        for (const char* document : {"1", "2", "3", "4"}) {
            insertRow(temp.db(), QStringLiteral("F535SOCIOS"), kKey, partner(QString::fromLatin1(document)));
        }
        store::refreshWorkingCopies(temp.db(), kKey);
        c.between(temp);
        {
            store::TransactionGuard save(temp.db());
            store::CopyToPermanent(temp.db(), QStringLiteral("F535SOCIOS"), kKey);
            save.commit();
        }
        EXPECT_EQ(savedCodes(temp.db(), QStringLiteral("F535SOCIOS"), QStringLiteral("nro_doc_socio")), c.expected);
    }
}

// Rows that come from a sent version carry the codes of their history rows; counterpart names
// rebuilt on the opening no longer match theirs.
TEST(WorkingCopiesKeptCodes, RowsTheOpeningChangedGetNewCodes) {
    test::TempDatabase temp;
    auto& db = temp.db();
    QVariantMap sent = partner(QStringLiteral("7"));
    sent.insert(QStringLiteral("CORREL"), QStringLiteral("1"));
    insertRow(db, QStringLiteral("HF535SOCIOS"), kKey, sent);
    const auto counterpart = [](const QString& document, const QString& kind) {
        return QVariantMap{{QStringLiteral("CASILLA"), QStringLiteral("301")},
                           {QStringLiteral("tipo_doc"), 1},
                           {QStringLiteral("nro_doc"), document},
                           {QStringLiteral("tipo_des"), kind},
                           {QStringLiteral("des_apellido_p"), QStringLiteral("QUISPE")},
                           {QStringLiteral("des_nombres"), QStringLiteral("ROSA")},
                           {QStringLiteral("des_nom_razon"), QStringLiteral("ROSA QUISPE")},
                           {QStringLiteral("cNumero"), kStale}};
    };
    insertRow(db, QStringLiteral("F535CASEF"), kKey, counterpart(QStringLiteral("40404040"), QStringLiteral("1")));
    insertRow(db, QStringLiteral("F535CASEF"), kKey, counterpart(QStringLiteral("50505050"), QStringLiteral("0")));

    store::refreshWorkingCopies(db, kKey, QStringLiteral("1"));
    store::CopyToPermanent(db, QStringLiteral("F535SOCIOS"), kKey);
    EXPECT_EQ(savedCodes(db, QStringLiteral("F535SOCIOS"), QStringLiteral("nro_doc_socio")), QStringList{"7:new"});

    store::refreshWorkingCopies(db, kKey);
    store::CopyToPermanent(db, QStringLiteral("F535CASEF"), kKey);
    EXPECT_EQ(savedCodes(db, QStringLiteral("F535CASEF"), QStringLiteral("nro_doc")),
              (QStringList{"40404040:new", "50505050:new"}));

    // Once no name is rebuilt, the codes stay.
    db.run(QStringLiteral("UPDATE F535CASEF SET cNumero=?"), {kStale}).finish();
    db.run(QStringLiteral("UPDATE F535CASEF SET tipo_des='0'")).finish();
    store::refreshWorkingCopies(db, kKey);
    store::CopyToPermanent(db, QStringLiteral("F535CASEF"), kKey);
    EXPECT_EQ(savedCodes(db, QStringLiteral("F535CASEF"), QStringLiteral("nro_doc")),
              (QStringList{"40404040:kept", "50505050:kept"}));
}
