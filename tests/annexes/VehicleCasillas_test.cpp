#include "declaration/FormFixture.h"
#include "declaration/model/VehicleCasillas.h"
#include "declaration/model/WorkingCasillas.h"

#include <gtest/gtest.h>

namespace qel::declaration::testing {
namespace {

class VehicleCasillasTest : public FormFixture {
protected:
    void vehicle(const char* plate, const char* deducts, const char* expense, const char* depreciation = "0") {
        test::insertRow(db(), QStringLiteral("TMPF584VEHIC"), model->key(),
                        {{QStringLiteral("cod_categ"), QStringLiteral("A2")},
                         {QStringLiteral("des_placa"), QString::fromLatin1(plate)},
                         {QStringLiteral("ind_ded_gasto"), QString::fromLatin1(deducts)},
                         {QStringLiteral("ind_sustitucion"), QStringLiteral("0")},
                         {QStringLiteral("mto_gasto"), QString::fromLatin1(expense)},
                         {QStringLiteral("mto_dep"), QString::fromLatin1(depreciation)}});
    }
};

// Three vehicles deduct while two are allowed: two thirds of their expenses are deductible,
// the rest and the expenses of the vehicle that does not deduct are added back.
TEST_F(VehicleCasillasTest, MoreVehiclesDeductingThanAllowedShareTheDeduction) {
    test::registerTaxpayer(db(), QStringLiteral("20100070970"), QStringLiteral("TRANSPORTES DEL NORTE S.A."),
                           test::kSupervisor);
    makeModel();
    attachCalculation();
    load(QStringLiteral("20100070970"));
    ASSERT_EQ(model->key().ruc, QStringLiteral("20100070970"));
    vehicle("AAA-111", "1", "1000");
    vehicle("BBB-222", "1", "600", "400");
    vehicle("CCC-333", "1", "1000");
    vehicle("DDD-444", "0", "500");
    WorkingCasillas::store(db(), model->key(), {{710, QStringLiteral("2")}, {711, QStringLiteral("3")}});
    VehicleCasillas(*model).CalculaCasVeh();
    struct Case {
        int casilla;
        const char* shown;
    };
    for (const Case& c : {Case{701, "3"}, Case{702, "66.67"}, Case{703, "2,000"}, Case{704, "1,500"}, Case{877, "3"}}) {
        EXPECT_EQ(model->text(c.casilla), QString::fromLatin1(c.shown)) << c.casilla;
    }
}

TEST(VehicleCasillasShare, IsAllowedOverDeductingAtMostAll) {
    struct Case {
        int deducting;
        double allowed;
        double percent;
    };
    for (const Case& c : {Case{0, 2, 0}, Case{2, 2, 100}, Case{1, 5, 100}, Case{4, 1, 25}}) {
        EXPECT_DOUBLE_EQ(VehicleCasillas::deductiblePercent(c.deducting, c.allowed), c.percent) << c.deducting;
    }
}

} // namespace
} // namespace qel::declaration::testing
