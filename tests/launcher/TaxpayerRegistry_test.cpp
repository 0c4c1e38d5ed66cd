#include "launcher/DemoTaxpayers.h"
#include "launcher/LauncherFixtures.h"
#include "launcher/TaxpayerRegistry.h"
#include "launcher/UserAccounts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qel;
using launcher::Taxpayer;
using launcher::TaxpayerRegistry;

namespace {

Taxpayer company(const QString& ruc, const QString& name, const QString& user = "CONTADOR") {
    return {ruc, name, 2, user};
}

} // namespace

TEST(TaxpayerRegistry, RefusesWhatCannotBeRegistered) {
    test::TempDatabase temp;
    const TaxpayerRegistry registry(temp.db());
    ASSERT_EQ(registry.add(company("20512345671", "PRIMERA S.A.")), QString());

    const std::tuple<const char*, const char*, QString> cases[] = {
        {"20512345672", "X", TaxpayerRegistry::kInvalidRuc}, // which RUCs are valid: the RUC check's own table
        {"20601112222", "   ", TaxpayerRegistry::kNameRequired},
        {" 20512345671 ", "OTRA S.A.", TaxpayerRegistry::kAlreadyRegistered},
    };
    for (const auto& [ruc, name, message] : cases) {
        EXPECT_EQ(registry.add(company(ruc, name)), message) << ruc;
    }
    EXPECT_EQ(test::rowCount(temp.db(), "CONT"), 1);
    EXPECT_EQ(registry.find("20512345671")->nombre, "PRIMERA S.A.");
}

TEST(TaxpayerRegistry, AQuotedNameIsStoredInCapitalsAndCanBeChanged) {
    test::TempDatabase temp;
    const TaxpayerRegistry registry(temp.db());
    ASSERT_EQ(registry.add(company("20512345671", "  d'onofrio  s.a. ")), QString());
    EXPECT_EQ(registry.find("20512345671"), company("20512345671", "D'ONOFRIO S.A."));

    // A change keeps who registered the taxpayer.
    Taxpayer changed = company("20512345671", "d'onofrio y o'brien s.a.c.", "SUPERVISOR");
    changed.tipoIngreso = 1;
    ASSERT_EQ(registry.update(changed), QString());
    EXPECT_EQ(registry.find("20512345671"), (Taxpayer{"20512345671", "D'ONOFRIO Y O'BRIEN S.A.C.", 1, "CONTADOR"}));
    EXPECT_EQ(registry.update(company("20601112222", "NADIE")), TaxpayerRegistry::kNotRegistered);
}

TEST(TaxpayerRegistry, TheSummaryTellsTheDeclarationStateAndTheLastSentVersion) {
    test::TempDatabase temp;
    test::ensureLauncherUsers(temp.db());
    launcher::DemoTaxpayers::add(temp.db());
    auto& db = temp.db();
    test::insertRow(db, "CAB", test::demoKey("20512345671"), {{"SEMANA", 0}, {"ESTADO", 9}});
    test::insertRow(db, "CAB", test::demoKey("20601112222"), {{"SEMANA", 0}, {"ESTADO", 0}});
    for (const char* correl : {"2", "10", "9"}) {
        test::insertRow(db, "HCAB", test::demoKey("20601112222"),
                        {{"SEMANA", 0}, {"CORREL", QString::fromLatin1(correl)}});
    }
    // Another period is not this declaration.
    test::insertRow(db, "CAB", {"20487654320", "2017", "0588"}, {{"SEMANA", 0}, {"ESTADO", 0}});

    const auto summaries = TaxpayerRegistry(db).summariesFor("SUPERVISOR", "2018", "0588");
    // What each demo user sees is checked on the launcher's window; one without an account sees nothing.
    for (const QString& stranger : {"DESCONOCIDO", ""}) {
        EXPECT_TRUE(TaxpayerRegistry(db).visibleTo(stranger).isEmpty()) << "no CLAVES row: kind 1";
    }

    QStringList shown; // the state and the last correlative, "-" without a declaration
    for (const auto& summary : summaries) {
        shown.append(summary.estado ? QString("%1/%2").arg(*summary.estado).arg(summary.lastCorrel) : "-");
    }
    EXPECT_EQ(shown, QStringList({"-", "9/0", "0/10"})); // 20487654320, 20512345671, 20601112222
}
