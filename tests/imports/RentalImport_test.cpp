#include "app/UtilityComponent.h"
#include "imports/ImportKind.h"
#include "imports/Importer.h"
#include "store/Database.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace qel::imports {
namespace {

// A movable good of a landlord: a car ("1") with its plate, unless another kind and good are given.
QString movable(const QString& docType, const QString& number, const QString& plate,
                const QString& kind = QStringLiteral("1"), const QString& good = QStringLiteral("1")) {
    return QStringLiteral("%1|%2|1200|%3|%4|%5|").arg(docType, number, kind, good, plate) +
           QString(13, QLatin1Char('|'));
}

// A building in Lima on a street and number.
QString building(const QString& number, const QString& road, const QString& streetNumber) {
    return QStringLiteral("1|%1|900|2|||150101|||01|%2|%3|").arg(number, road, streetNumber) +
           QString(7, QLatin1Char('|'));
}

// A row already in the working table, as the annex window or an earlier import left it.
struct Seed {
    QVariant tipoDoc;
    QVariant nroDoc;
    QVariant correl;
    QVariant identification;
    QString ruc = {}; // another declarant's row when set
};

class RentalImportTest : public ::testing::Test {
protected:
    ImportResult run(const QStringList& records, bool write) {
        Importer importer({database.db(), key, utility, {}}, *ImportKinds::byCode(QStringLiteral("11")));
        return importer.run((records.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(), write);
    }

    void seed(const Seed& row) {
        store::DeclarationKey owner = key;
        if (!row.ruc.isEmpty()) {
            owner.ruc = row.ruc;
        }
        test::insertRow(database.db(), QStringLiteral("TMPF582ALQUILER"), owner,
                        {{QStringLiteral("tipo_doc"), row.tipoDoc},
                         {QStringLiteral("nro_doc"), row.nroDoc},
                         {QStringLiteral("correl_pred"), row.correl},
                         {QStringLiteral("tip_bien"), QStringLiteral("1")},
                         {QStringLiteral("des_bien"), QStringLiteral("1")},
                         {QStringLiteral("des_identificacion"), row.identification}});
    }

    // The declaration's rows as "type|number|correlative|identification", in table order.
    QStringList table() {
        QStringList rows;
        QSqlQuery query = database.db().run(
            QStringLiteral("SELECT quote(tipo_doc) || '|' || quote(nro_doc) || '|' || quote(correl_pred) || '|' || "
                           "ifnull(des_identificacion, '') || ifnull(numero, '') FROM TMPF582ALQUILER WHERE "
                           "DOC_ID_D=? ORDER BY rowid"),
            {key.ruc});
        while (query.next()) {
            rows.append(query.value(0).toString());
        }
        return rows;
    }

    test::TempDatabase database;
    store::DeclarationKey key = test::demoKey();
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::UtilityComponent utility{*prompter, &database.db()};
};

// How an imported record finds the landlord's good already registered, and which number a new
// good takes: the document type compares as a number, the document number and the good's
// identification as exact text (case and spaces count), a record sees the rows written before
// it, and the numbering continues after the largest number the landlord has.
TEST_F(RentalImportTest, ExistingGoodsAreFoundAndNewOnesNumbered) {
    const QString dni = QStringLiteral("40000001");
    const struct {
        const char* name;
        QList<Seed> seeds;
        QStringList file;
        const char* actions; // per record: A added, M modified
        QStringList table;
    } cases[] = {
        {"the same good is modified, another takes the next number",
         {{1, dni, 1, QStringLiteral("ABC123")}, {1, dni, 2, QStringLiteral("XYZ999")}},
         {movable("1", dni, "ABC123"), movable("01", dni, "NEW1")},
         "MA",
         {"1|'40000001'|1|ABC123", "1|'40000001'|2|XYZ999", "1|'40000001'|3|NEW1"}},
        {"a plate in another case is another good",
         {{1, dni, 1, QStringLiteral("abc123")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"1|'40000001'|1|abc123", "1|'40000001'|2|ABC123"}},
        {"a stored plate with a trailing space is another good",
         {{1, dni, 1, QStringLiteral("ABC123 ")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"1|'40000001'|1|ABC123 ", "1|'40000001'|2|ABC123"}},
        {"a stored number with a leading space is another landlord",
         {{1, QStringLiteral(" 40000001"), 1, QStringLiteral("ABC123")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"1|' 40000001'|1|ABC123", "1|'40000001'|1|ABC123"}},
        {"a type stored as text digits and a number stored as a number are the same landlord",
         {{QStringLiteral("1"), 40000001, 1, QStringLiteral("ABC123")}},
         {movable("001", dni, "ABC123")},
         "M",
         {"1|'40000001'|1|ABC123"}},
        {"a type that is not a number is another landlord",
         {{QStringLiteral("DNI"), dni, 1, QStringLiteral("ABC123")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"'DNI'|'40000001'|1|ABC123", "1|'40000001'|1|ABC123"}},
        {"a good added earlier in the file is modified by its repetition",
         {},
         {movable("1", dni, "ABC123"), movable("1", dni, "ZZZ1"), movable("1", dni, "ABC123")},
         "AAM",
         {"1|'40000001'|1|ABC123", "1|'40000001'|2|ZZZ1"}},
        {"numbering continues after the largest number, gaps kept",
         {{1, dni, 5, QStringLiteral("OLD")}, {1, QStringLiteral("40000002"), 9, QStringLiteral("OTHER")}},
         {movable("1", dni, "NEW")},
         "A",
         {"1|'40000001'|5|OLD", "1|'40000002'|9|OTHER", "1|'40000001'|6|NEW"}},
        {"numbering follows the largest number, not the last row stored",
         {{1, dni, 3, QStringLiteral("AAA")}, {1, dni, 1, QStringLiteral("BBB")}},
         {movable("1", dni, "NEW")},
         "A",
         {"1|'40000001'|3|AAA", "1|'40000001'|1|BBB", "1|'40000001'|4|NEW"}},
        {"a stored row without number is never the good found and is not counted",
         {{1, dni, QVariant(), QStringLiteral("ABC123")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"1|'40000001'|NULL|ABC123", "1|'40000001'|1|ABC123"}},
        {"a stored good without identification is the good of an empty one",
         {{1, dni, 3, QVariant()}},
         {movable("1", dni, "")},
         "M",
         {"1|'40000001'|3|"}},
        {"another declarant's rows do not count",
         {{1, dni, 1, QStringLiteral("ABC123"), QStringLiteral("20100047218")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"1|'40000001'|1|ABC123"}},
        {"an update rewrites every row of its number, so a twin's good is gone",
         {{1, dni, 1, QStringLiteral("AAA")}, {1, dni, 1, QStringLiteral("BBB")}},
         {movable("1", dni, "AAA"), movable("1", dni, "BBB")},
         "MA",
         {"1|'40000001'|1|AAA", "1|'40000001'|1|AAA", "1|'40000001'|2|BBB"}},
        {"a correlative that is not a number leaves the numbering to the table",
         {{1, dni, QStringLiteral("X"), QStringLiteral("ABC123")}},
         {movable("1", dni, "ABC123"), movable("1", dni, "NEW")},
         "AA",
         {"1|'40000001'|'X'|ABC123", "1|'40000001'|0|ABC123", "1|'40000001'|1|NEW"}},
        {"a building is the same good at the same ubigeo, road and number",
         {},
         {building(dni, "AV LIMA", "123"), building(dni, "AV LIMA", "123"), building(dni, "AV LIMA", "125"),
          building(dni, "av lima", "123")},
         "AMAA",
         {"1|'40000001'|1|123", "1|'40000001'|2|125", "1|'40000001'|3|123"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        database.db().run(QStringLiteral("DELETE FROM TMPF582ALQUILER"));
        for (const Seed& row : c.seeds) {
            seed(row);
        }
        const QStringList before = table();
        const ImportResult preview = run(c.file, false);
        EXPECT_EQ(table(), before) << "a dry run writes nothing";
        const ImportResult result = run(c.file, true);
        ASSERT_EQ(result.rejected, 0) << result.reportLines().join(QLatin1Char('\n')).toStdString();
        QString actions; // A added, M modified, R rejected
        for (const ImportOutcome& outcome : result.outcomes) {
            actions.append(QLatin1Char("AMR"[static_cast<int>(outcome.action)]));
        }
        EXPECT_EQ(actions.toStdString(), c.actions);
        EXPECT_EQ(result.counters(), preview.counters());
        EXPECT_EQ(result.reportLines(), preview.reportLines());
        EXPECT_EQ(table().join(QLatin1Char('\n')).toStdString(), c.table.join(QLatin1Char('\n')).toStdString());
    }
}

// An amount is stored as its column holds it: a number past 13 whole digits would be kept as a
// rounded floating value, and the rentals window refuses an amount that is not above zero.
TEST_F(RentalImportTest, RentsBeyondTheColumnOrNotAboveZeroAreRejectedWithTheirReason) {
    const QString record = movable(QStringLiteral("1"), QStringLiteral("40000001"), QStringLiteral("ABC123"));
    const auto withRent = [&record](const char* rent) {
        return QString(record).replace(QStringLiteral("|1200|"), QLatin1Char('|') + QLatin1String(rent) + '|');
    };
    const struct {
        const char* rent;
        const char* message; // "" when added
    } cases[] = {
        {"99999999999999999999999", "El monto del alquiler no puede tener más de 13 dígitos enteros."},
        {"-5", "El monto del alquiler debe ser mayor a 0."},
        {"0", "El monto del alquiler debe ser mayor a 0."},
        {"9999999999999", ""},
        {"0000000000000001200", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rent);
        database.db().run(QStringLiteral("DELETE FROM TMPF582ALQUILER")).finish();
        const ImportResult result = run({withRent(c.rent)}, true);
        ASSERT_EQ(result.outcomes.size(), 1);
        EXPECT_EQ(result.outcomes.first().message, QString::fromUtf8(c.message));
        EXPECT_EQ(result.rejected, *c.message ? 1 : 0);
        if (!*c.message) {
            const QVariant stored = database.db().scalar(QStringLiteral("SELECT mto_alquiler FROM TMPF582ALQUILER"));
            EXPECT_EQ(stored.toLongLong(), QString::fromLatin1(c.rent).toLongLong()) << "kept exactly";
        }
    }
}

} // namespace
} // namespace qel::imports
