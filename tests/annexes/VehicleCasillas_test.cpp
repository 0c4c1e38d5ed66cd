#include "declaration/FormFixture.h"
#include "declaration/model/VehicleCasillas.h"
#include "declaration/model/WorkingCasillas.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::declaration::testing {
namespace {

using VehicleCasillasTest = FormFixture;

// Three vehicles deduct while two are allowed: two thirds of their expenses are deductible,
// the rest and the expenses of the vehicle that does not deduct are added back.
TEST_F(VehicleCasillasTest, MoreVehiclesDeductingThanAllowedShareTheDeduction) {
    test::registerTaxpayer(db(), u"20100070970"_s, u"TRANSPORTES DEL NORTE S.A."_s);
    makeModel();
    attachCalculation();
    load(u"20100070970"_s);
    ASSERT_EQ(model->key().ruc, u"20100070970"_s);
    for (const auto& [plate, deducts, expense, depreciation] : {std::tuple{"AAA-111", "1", "1000", "0"},
                                                                {"BBB-222", "1", "600", "400"},
                                                                {"CCC-333", "1", "1000", "0"},
                                                                {"DDD-444", "0", "500", "0"}}) {
        test::insertRow(db(), u"TMPF584VEHIC"_s, model->key(),
                        {{u"cod_categ"_s, u"A2"_s},
                         {u"des_placa"_s, QString::fromLatin1(plate)},
                         {u"ind_ded_gasto"_s, QString::fromLatin1(deducts)},
                         {u"ind_sustitucion"_s, u"0"_s},
                         {u"mto_gasto"_s, QString::fromLatin1(expense)},
                         {u"mto_dep"_s, QString::fromLatin1(depreciation)}});
    }
    WorkingCasillas::store(db(), model->key(), {{710, u"2"_s}, {711, u"3"_s}});
    VehicleCasillas(*model).CalculaCasVeh();
    const std::pair<int, const char*> shown[] = {
        {701, "3"}, {702, "66.67"}, {703, "2,000"}, {704, "1,500"}, {877, "3"}};
    for (const auto& [casilla, text] : shown) {
        EXPECT_EQ(model->text(casilla), QString::fromLatin1(text)) << casilla;
    }
}

TEST(VehicleCasillasShare, IsAllowedOverDeductingAtMostAll) {
    for (const auto& [deducting, allowed, percent] :
         {std::tuple{0, 2.0, 0.0}, {2, 2.0, 100.0}, {1, 5.0, 100.0}, {4, 1.0, 25.0}}) {
        EXPECT_DOUBLE_EQ(VehicleCasillas::deductiblePercent(deducting, allowed), percent) << deducting;
    }
}

} // namespace
} // namespace qel::declaration::testing
