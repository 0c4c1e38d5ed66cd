#include "store/Database.h"
#include "store/TableCatalog.h"
#include "store/WorkingCopies.h"
#include "support/TestServer.h"
#include "support/TestSupport.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace qel;

namespace {

const store::DeclarationKey kKey = test::demoKey(QStringLiteral("20100070970"));
const store::DeclarationKey kOther = test::demoKey(QStringLiteral("20131312955"));

// A declaration's working rows saved, then opened again: what a save and a load do to the
// annex tables, the same on each engine.
QStringList saveAndOpen(store::Database& db) {
    auto partner = [](const QString& document, double share, const QString& name) {
        return QVariantMap{{QStringLiteral("tipo_socio"), QStringLiteral("01")},
                           {QStringLiteral("tipo_doc_socio"), 1},
                           {QStringLiteral("nro_doc_socio"), document},
                           {QStringLiteral("des_nom_razon"), name},
                           {QStringLiteral("fec_nac_socio"), QStringLiteral("1970-05-31")},
                           {QStringLiteral("Porcentaje"), share},
                           {QStringLiteral("cNumero"), QStringLiteral("000000")}};
    };
    test::insertRow(db, QStringLiteral("TMPF535SOCIOS"), kKey,
                    partner(QStringLiteral("11111111"), 62.5, QStringLiteral("D'ONOFRIO S.A.")));
    test::insertRow(db, QStringLiteral("TMPF535SOCIOS"), kKey,
                    partner(QStringLiteral("22222222"), 37.5, QStringLiteral("ÑANDÚ E.I.R.L.")));
    test::insertRow(db, QStringLiteral("TMPF535SOCIOS"), kOther,
                    partner(QStringLiteral("33333333"), 100, QStringLiteral("OTRA")));
    test::insertRow(db, QStringLiteral("TMPACTA"), kKey,
                    {{QStringLiteral("TIPO_ASIST"), QStringLiteral("4")},
                     {QStringLiteral("PER_PAG"), QStringLiteral("201803")},
                     {QStringLiteral("saluti"), 1500},
                     {QStringLiteral("factor"), 0.015},
                     {QStringLiteral("cNumero"), QStringLiteral("000000")}});
    store::CopyToPermanent(db, QStringLiteral("F535SOCIOS"), kKey);
    store::CopyToPermanent(db, QStringLiteral("ACTA"), kKey);
    store::emptyWorkingCopies(db, kKey); // another declaration's working row stays
    store::refreshWorkingCopies(db, kKey);

    QStringList rows;
    for (const QString& table : {QStringLiteral("F535SOCIOS"), QStringLiteral("ACTA"), QStringLiteral("TMPF535SOCIOS"),
                                 QStringLiteral("TMPACTA")}) {
        const store::TableLayout layout = *store::TableCatalog::instance().resolve(table);
        QSqlQuery query = db.run(
            QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(layout.columnNames().join(QLatin1Char(',')), table));
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < layout.columns.size(); ++i) {
                // The server's driver gives a NULL its column's type, which reads as "0": NULL
                // is read as NULL on both.
                const QVariant value = query.value(i);
                values.append(value.isNull() ? QStringLiteral("NULL") : value.toString());
            }
            rows.append(table + QStringLiteral(": ") + values.join(QLatin1Char('|')));
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
