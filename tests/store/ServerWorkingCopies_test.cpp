#include "store/Database.h"
#include "store/TableCatalog.h"
#include "store/WorkingCopies.h"
#include "support/TestServer.h"
#include "support/TestSupport.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace qel;

namespace {

const store::DeclarationKey kKey = test::demoKey(u"20100070970"_s);
const store::DeclarationKey kOther = test::demoKey(u"20131312955"_s);

// A declaration's working rows saved, then opened again: what a save and a load do to the
// annex tables, the same on each engine, every saved row with the check code of its values.
QStringList saveAndOpen(store::Database& db) {
    auto partner = [](const QString& document, double share, const QString& name) {
        QVariantMap row = test::partnerRow(document, share, name);
        row.insert(u"fec_nac_socio"_s, u"1970-05-31"_s);
        return row;
    };
    test::insertRow(db, u"TMPF535SOCIOS"_s, kKey, partner(u"11111111"_s, 62.5, u"D'ONOFRIO S.A."_s));
    test::insertRow(db, u"TMPF535SOCIOS"_s, kKey, partner(u"22222222"_s, 37.5, u"ÑANDÚ E.I.R.L."_s));
    test::insertRow(db, u"TMPF535SOCIOS"_s, kOther, partner(u"33333333"_s, 100, u"OTRA"_s));
    test::insertRow(db, u"TMPACTA"_s, kKey,
                    {{u"TIPO_ASIST"_s, u"4"_s},
                     {u"PER_PAG"_s, u"201803"_s},
                     {u"saluti"_s, 1500},
                     {u"factor"_s, 0.015},
                     {u"cNumero"_s, u"000000"_s}});
    // A switched-off annex: its working rows are not saved, and its stored rows go.
    test::insertRow(db, u"TMPF535MERMAS"_s, kKey, {{u"num_inf_tecnico"_s, u"INF-1"_s}});
    test::insertRow(db, u"F535MERMAS"_s, kKey, {{u"num_inf_tecnico"_s, u"OLD"_s}});
    store::CopyToPermanent(db, u"F535SOCIOS"_s, kKey);
    store::CopyToPermanent(db, u"ACTA"_s, kKey);
    store::CopyToPermanent(db, u"F535MERMAS"_s, kKey, false);
    EXPECT_EQ(test::wrongCheckCodes(db, kKey), QStringList());
    store::emptyWorkingCopies(db, kKey); // another declaration's working row stays
    store::refreshWorkingCopies(db, kKey);

    QStringList rows;
    for (const QString& table : {u"F535SOCIOS"_s, u"ACTA"_s, u"F535MERMAS"_s, u"TMPF535SOCIOS"_s, u"TMPACTA"_s}) {
        const store::TableLayout layout = *store::TableCatalog::instance().resolve(table);
        QSqlQuery query =
            db.run(u"SELECT %1 FROM %2 ORDER BY rowid"_s.arg(layout.columnNames().join(QLatin1Char(',')), table));
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < layout.columns.size(); ++i) {
                // The server's driver gives a NULL its column's type, which reads as "0": NULL
                // is read as NULL on both.
                const QVariant value = query.value(i);
                values.append(value.isNull() ? u"NULL"_s : value.toString());
            }
            rows.append(table + u": "_s + values.join(QLatin1Char('|')));
        }
    }
    return rows;
}

} // namespace

TEST(ServerWorkingCopies, SaveAndOpenLeaveTheSameRowsOnBothEngines) {
    test::TempDatabase file;
    const QStringList fileRows = saveAndOpen(file.db());
    ASSERT_EQ(fileRows.size(), 7) << fileRows.join(QLatin1Char('\n')).toStdString();

    if (test::TestServer::uri().isEmpty()) {
        GTEST_SKIP() << "Sin servidor de pruebas: QEL_TEST_SERVER no está definido.";
    }
    test::TempDatabase server(true);
    ASSERT_TRUE(server.isOpen());
    const QStringList serverRows = saveAndOpen(server.db());
    EXPECT_EQ(serverRows.join(QLatin1Char('\n')).toStdString(), fileRows.join(QLatin1Char('\n')).toStdString());
}
