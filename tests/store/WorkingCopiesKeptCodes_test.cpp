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

using namespace Qt::StringLiterals;

using namespace qel;
using qel::test::insertRow;

namespace {

const store::DeclarationKey kKey = test::demoKey(u"20100070970"_s);
const QString kStale = u"999999"_s;

QVariantMap partner(const char* document) {
    return test::partnerRow(QString::fromLatin1(document), 25, u"SOCIO"_s, kStale);
}

// "document:kept" or "document:new" for each permanent row of the table, by document; a row
// whose code is neither the stale one nor its own is a fault.
QStringList savedCodes(store::Database& db, const QString& table, const QString& documentColumn) {
    const auto layout = store::TableCatalog::instance().resolve(table);
    QSqlQuery rows = db.run(u"SELECT * FROM %1 ORDER BY %2"_s.arg(table, documentColumn));
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
        codes.append(document + (stored == kStale     ? u":kept"_s
                                 : stored == computed ? u":new"_s
                                                      : u":WRONG "_s + stored));
    }
    return codes;
}

} // namespace

TEST(WorkingCopiesKeptCodes, OnlyRowsNothingChangedKeepTheirCode) {
    // What happens between the opening and the save: a statement, then a step of its own.
    struct Case {
        const char* name;
        const char* sql;
        std::function<void(test::TempDatabase&)> then;
        QStringList expected;
    };
    const char* update = "UPDATE TMPF535SOCIOS SET Porcentaje=5 WHERE nro_doc_socio='2'";
    const auto add = [](const char* document) {
        return [document](test::TempDatabase& t) { insertRow(t.db(), u"TMPF535SOCIOS"_s, kKey, partner(document)); };
    };
    const auto reopen = [](test::TempDatabase& t) { store::refreshWorkingCopies(t.db(), kKey); };
    const QStringList allKept = {"1:kept", "2:kept", "3:kept", "4:kept"};
    const QStringList allNew = {"1:new", "2:new", "3:new", "4:new"};
    const Case cases[] = {
        {"nothing changed", nullptr, nullptr, allKept},
        {"one row updated", update, nullptr, {"1:kept", "2:new", "3:kept", "4:kept"}},
        {"a row's code overwritten",
         "UPDATE TMPF535SOCIOS SET cNumero='000001' WHERE nro_doc_socio='3'",
         nullptr,
         {"1:kept", "2:kept", "3:new", "4:kept"}},
        {"a row added", nullptr, add("5"), allKept + QStringList{"5:new"}},
        {"the last row deleted and another inserted in its rowid",
         "DELETE FROM TMPF535SOCIOS WHERE nro_doc_socio='4'",
         add("6"),
         {"1:kept", "2:kept", "3:kept", "6:new"}},
        {"an update rolled back to a savepoint", nullptr,
         [update](test::TempDatabase& t) {
             store::TransactionGuard outer(t.db());
             {
                 store::TransactionGuard inner(t.db());
                 t.db().run(QString::fromLatin1(update)).finish();
             }
             outer.commit();
         },
         allNew},
        {"a changed row brought back by a rolled-back opening", update,
         [&reopen](test::TempDatabase& t) {
             store::TransactionGuard reopening(t.db());
             reopen(t);
         },
         allNew},
        {"another connection changed a row", nullptr,
         [update](test::TempDatabase& t) {
             auto other = store::Database::open(t.path());
             ASSERT_TRUE(other.database);
             other.database->run(QString::fromLatin1(update)).finish();
         },
         allNew},
        {"the declaration opened again", update, reopen, allKept},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDatabase temp;
        for (const char* document : {"1", "2", "3", "4"}) {
            insertRow(temp.db(), u"F535SOCIOS"_s, kKey, partner(document));
        }
        store::refreshWorkingCopies(temp.db(), kKey);
        if (c.sql) {
            temp.db().run(QString::fromLatin1(c.sql)).finish();
        }
        if (c.then) {
            c.then(temp);
        }
        {
            store::TransactionGuard save(temp.db());
            store::CopyToPermanent(temp.db(), u"F535SOCIOS"_s, kKey);
            save.commit();
        }
        EXPECT_EQ(savedCodes(temp.db(), u"F535SOCIOS"_s, u"nro_doc_socio"_s), c.expected);
    }
}

// Rows that come from a sent version carry the codes of their history rows; counterpart names
// of persons, rebuilt on the opening from their surnames and names, no longer match theirs.
TEST(WorkingCopiesKeptCodes, RowsTheOpeningChangedGetNewCodes) {
    test::TempDatabase temp;
    auto& db = temp.db();
    QVariantMap sent = partner("7");
    sent.insert(u"CORREL"_s, u"1"_s);
    insertRow(db, u"HF535SOCIOS"_s, kKey, sent);
    const auto counterpart = [](const QString& document, const QString& kind) {
        return QVariantMap{{u"CASILLA"_s, u"301"_s},
                           {u"tipo_doc"_s, 1},
                           {u"nro_doc"_s, document},
                           {u"tipo_des"_s, kind},
                           {u"des_apellido_p"_s, u"QUISPE"_s},
                           {u"des_apellido_m"_s, u"MAMANI"_s},
                           {u"des_nombres"_s, u"ROSA"_s},
                           {u"des_nom_razon"_s, u"ROSA QUISPE"_s},
                           {u"cNumero"_s, kStale}};
    };
    insertRow(db, u"F535CASEF"_s, kKey, counterpart(u"40404040"_s, u"1"_s));
    insertRow(db, u"F535CASEF"_s, kKey, counterpart(u"50505050"_s, u"0"_s));

    store::refreshWorkingCopies(db, kKey, u"1"_s);
    store::CopyToPermanent(db, u"F535SOCIOS"_s, kKey);
    EXPECT_EQ(savedCodes(db, u"F535SOCIOS"_s, u"nro_doc_socio"_s), QStringList{"7:new"});

    store::refreshWorkingCopies(db, kKey);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT group_concat(des_nom_razon, '/') FROM "
                                       "(SELECT des_nom_razon FROM TMPF535CASEF ORDER BY nro_doc)"))
                  .toString(),
              u"QUISPE MAMANI, ROSA/ROSA QUISPE"_s); // a company's name stays as typed
    store::CopyToPermanent(db, u"F535CASEF"_s, kKey);
    EXPECT_EQ(savedCodes(db, u"F535CASEF"_s, u"nro_doc"_s), (QStringList{"40404040:new", "50505050:new"}));

    // Once no name is rebuilt, the codes stay.
    db.run(u"UPDATE F535CASEF SET cNumero=?"_s, {kStale}).finish();
    db.run(u"UPDATE F535CASEF SET tipo_des='0'"_s).finish();
    store::refreshWorkingCopies(db, kKey);
    store::CopyToPermanent(db, u"F535CASEF"_s, kKey);
    EXPECT_EQ(savedCodes(db, u"F535CASEF"_s, u"nro_doc"_s), (QStringList{"40404040:kept", "50505050:kept"}));
}
