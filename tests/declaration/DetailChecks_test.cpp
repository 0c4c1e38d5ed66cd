#include "FormFixture.h"
#include "declaration/rules/DetailChecks.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <optional>

namespace qel::declaration {
namespace {

const QString kTitle =
    QStringLiteral("0588 Declaración Pago Anual Impuesto a la Renta 2018 3ra. Categoría e ITF - v 1.0");
const QString k128Differs =
    QStringLiteral(" Los pagos a cuenta mensuales de la casilla 128 no coinciden con el detalle");
const QString k128Missing =
    QStringLiteral("Los pagos a cuenta mensuales de la casilla 128 no coinciden con el detalle");
const QString k103 = QStringLiteral("El valor de la casilla 103 no coincide con el detalle.");
const QString k105 = QStringLiteral("El valor de la casilla 105 no coincide con el detalle.");

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
        insert("ACTA", QStringLiteral("TIPO_ASIST=4; PER_PAG=2018%1; saluti=%2; pago_r=%3")
                           .arg(++row, 2, 10, QLatin1Char('0'))
                           .arg(balance)
                           .arg(paid));
    }
    for (const auto& [casilla, amount] : stored.lines) {
        insert("F544ADICDEDUC",
               QStringLiteral("CASILLA=%1; num_correl=%2; MTO_ADIC_DEDUC=%3").arg(casilla).arg(++row).arg(amount));
    }
    for (const auto& [casilla, amount] : stored.credits) {
        insert("F584CREDITOS",
               QStringLiteral("CASILLA=%1; tip_norma=01; num_norma=123; anio_norma=2018; correl_norma=%2; "
                              "mto_credito=%3")
                   .arg(casilla)
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
        {"128 as its months", {QStringLiteral("(1,500)"), {}, {}, {{1000, 0}, {0, 500}}, {}, {}}, {}},
        {"128 differs", {QStringLiteral("1400"), {}, {}, {{1000, 0}, {0, 500}}, {}, {}}, {k128Differs}},
        {"128 missing", {std::nullopt, {}, {}, {{0, 0}}, {}, {}}, {k128Missing}},
        {"103 as its lines and credits",
         {{}, QStringLiteral("700"), {}, {}, {{QStringLiteral("103"), 500}}, {{QStringLiteral("546"), -200}}},
         {}},
        {"103 differs",
         {{}, QStringLiteral("600"), {}, {}, {{QStringLiteral("103"), 500}}, {{QStringLiteral("546"), 200}}},
         {k103}},
        {"103 empty with lines", {{}, {}, {}, {}, {{QStringLiteral("103"), 5}}, {}}, {k103}},
        {"105 is a deduction", {{}, {}, QStringLiteral("(300)"), {}, {{QStringLiteral("105"), 300}}, {}}, {}},
        {"credits of the other casilla",
         {{}, {}, QStringLiteral("300"), {}, {{QStringLiteral("105"), 300}}, {{QStringLiteral("546"), 50}}},
         {k103}},
        {"every check runs",
         {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), {}, {}, {}},
         {k128Differs, k103, k105}},
    };
    for (const Case& c : cases) {
        test::TempDatabase database;
        const store::DeclarationKey key = test::demoKey();
        store(database.db(), key, c.stored);
        // Another declaration's rows do not count.
        store(database.db(), test::demoKey(QStringLiteral("20100113610")),
              {QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9"), {{9, 9}}, {}, {}});

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
