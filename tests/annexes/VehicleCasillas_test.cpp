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
    for (const char* vehicle : {"des_placa=AAA-111; ind_ded_gasto=1; mto_gasto=1000; mto_dep=0",
                                "des_placa=BBB-222; ind_ded_gasto=1; mto_gasto=600; mto_dep=400",
                                "des_placa=CCC-333; ind_ded_gasto=1; mto_gasto=1000; mto_dep=0",
                                "des_placa=DDD-444; ind_ded_gasto=0; mto_gasto=500; mto_dep=0"}) {
        test::insertRow(db(), u"TMPF584VEHIC"_s, model->key(),
                        fields(u"cod_categ=A2; ind_sustitucion=0; "_s + QString::fromLatin1(vehicle)));
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
