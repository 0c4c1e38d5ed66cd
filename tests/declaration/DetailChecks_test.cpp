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
    for (const auto& [casilla, value] :
         {std::pair{QStringLiteral("128"), stored.c128}, std::pair{QStringLiteral("103"), stored.c103},
          std::pair{QStringLiteral("105"), stored.c105}}) {
        if (value) {
            test::insertRow(db, QStringLiteral("DET"), key,
                            {{QStringLiteral("SEMANA"), 0},
                             {QStringLiteral("CASILLA"), casilla},
                             {QStringLiteral("i_valor"), *value}});
        }
    }
    int month = 0;
    for (const auto& [balance, paid] : stored.payments) {
        test::insertRow(db, QStringLiteral("ACTA"), key,
                        {{QStringLiteral("TIPO_ASIST"), QStringLiteral("4")},
                         {QStringLiteral("PER_PAG"), QStringLiteral("2018%1").arg(++month, 2, 10, QLatin1Char('0'))},
                         {QStringLiteral("saluti"), balance},
                         {QStringLiteral("pago_r"), paid}});
    }
    int line = 0;
    for (const auto& [casilla, amount] : stored.lines) {
        test::insertRow(db, QStringLiteral("F544ADICDEDUC"), key,
                        {{QStringLiteral("CASILLA"), casilla},
                         {QStringLiteral("num_correl"), ++line},
                         {QStringLiteral("MTO_ADIC_DEDUC"), amount}});
    }
    for (const auto& [casilla, amount] : stored.credits) {
        test::insertRow(db, QStringLiteral("F584CREDITOS"), key,
                        {{QStringLiteral("CASILLA"), casilla},
                         {QStringLiteral("tip_norma"), QStringLiteral("01")},
                         {QStringLiteral("num_norma"), QStringLiteral("123")},
                         {QStringLiteral("anio_norma"), "2018"},
                         {QStringLiteral("correl_norma"), ++line},
                         {QStringLiteral("mto_credito"), amount}});
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
