#include "FormFixture.h"
#include "declaration/rules/DetailChecks.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <optional>

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

const QString kTitle = u"0588 Declaración Pago Anual Impuesto a la Renta 2018 3ra. Categoría e ITF - v 1.0"_s;
const QString k128Differs = u" Los pagos a cuenta mensuales de la casilla 128 no coinciden con el detalle"_s;
const QString k128Missing = u"Los pagos a cuenta mensuales de la casilla 128 no coinciden con el detalle"_s;
const QString k103 = u"El valor de la casilla 103 no coincide con el detalle."_s;
const QString k105 = u"El valor de la casilla 105 no coincide con el detalle."_s;

// A stored declaration: casilla values, monthly payments, addition and deduction lines and credits.
struct Stored {
    std::optional<QString> c128, c103, c105;
    QList<std::pair<double, double>> payments; // per month: saluti, pago_r
    QList<std::pair<QString, double>> lines;   // casilla, MTO_ADIC_DEDUC
    QList<std::pair<QString, double>> credits; // casilla, mto_credito
};

void store(store::Database& db, const store::DeclarationKey& key, const Stored& stored) {
    for (const auto& [casilla, value] : {std::pair{"128", stored.c128}, {"103", stored.c103}, {"105", stored.c105}}) {
        if (value) {
            declaration::testing::storeCasilla(db, key, QString::fromLatin1(casilla), *value);
        }
    }
    const auto insert = [&](const char* table, const QString& values) {
        test::insertRow(db, QString::fromLatin1(table), key, declaration::testing::fields(values));
    };
    int row = 0;
    for (const auto& [balance, paid] : stored.payments) {
        insert("ACTA", u"TIPO_ASIST=4; PER_PAG=2018%1; saluti=%2; pago_r=%3"_s.arg(++row, 2, 10, QLatin1Char('0'))
                           .arg(balance)
                           .arg(paid));
    }
    for (const auto& [casilla, amount] : stored.lines) {
        insert("F544ADICDEDUC", u"CASILLA=%1; num_correl=%2; MTO_ADIC_DEDUC=%3"_s.arg(casilla).arg(++row).arg(amount));
    }
    for (const auto& [casilla, amount] : stored.credits) {
        insert("F584CREDITOS", u"CASILLA=%1; tip_norma=01; num_norma=123; anio_norma=2018; correl_norma=%2; "
                               "mto_credito=%3"_s.arg(casilla)
                                   .arg(++row)
                                   .arg(amount));
    }
}

TEST(DetailChecksTest, StoredTotalsAgainstTheirDetails) {
    struct Case {
        const char* what;
        Stored stored;
        QStringList failures;
    };
    const QList<Case> cases = {
        {"nothing stored", {}, {}},
        {"128 as its months", {u"(1,500)"_s, {}, {}, {{1000, 0}, {0, 500}}, {}, {}}, {}},
        {"128 differs", {u"1400"_s, {}, {}, {{1000, 0}, {0, 500}}, {}, {}}, {k128Differs}},
        {"128 missing", {std::nullopt, {}, {}, {{0, 0}}, {}, {}}, {k128Missing}},
        {"103 as its lines and credits", {{}, u"700"_s, {}, {}, {{u"103"_s, 500}}, {{u"546"_s, -200}}}, {}},
        {"103 differs", {{}, u"600"_s, {}, {}, {{u"103"_s, 500}}, {{u"546"_s, 200}}}, {k103}},
        {"103 empty with lines", {{}, {}, {}, {}, {{u"103"_s, 5}}, {}}, {k103}},
        {"105 is a deduction", {{}, {}, u"(300)"_s, {}, {{u"105"_s, 300}}, {}}, {}},
        {"credits of the other casilla", {{}, {}, u"300"_s, {}, {{u"105"_s, 300}}, {{u"546"_s, 50}}}, {k103}},
        {"every check runs", {u"1"_s, u"1"_s, u"1"_s, {}, {}, {}}, {k128Differs, k103, k105}},
    };
    for (const Case& c : cases) {
        test::TempDatabase database;
        const store::DeclarationKey key = test::demoKey();
        store(database.db(), key, c.stored);
        // Another declaration's rows do not count.
        store(database.db(), test::demoKey(u"20100113610"_s), {u"9"_s, u"9"_s, u"9"_s, {{9, 9}}, {}, {}});

        auto prompter = test::makePrompter();
        for (const QString& failure : c.failures) {
            prompter->expectMessage(failure, app::Icon::Critical, kTitle);
        }
        DetailChecks checks(database.db(), *prompter, kTitle);
        EXPECT_EQ(checks.run(key), c.failures.isEmpty()) << c.what;
        EXPECT_TRUE(prompter->verify()) << c.what;
    }
}

} // namespace
} // namespace qel::declaration
