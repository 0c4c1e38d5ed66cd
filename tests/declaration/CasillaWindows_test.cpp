#include "FormFixture.h"
#include "declaration/commands/CasillaWindows.h"

#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

using app::Icon;

const QString kRuc = u"20100070970"_s;

class CasillaWindowsTest : public testing::FormFixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kRuc, u"EMPRESA S.A."_s);
        makeModel();
        attachCalculation();
        attach<CasillaWindows>();
        load(kRuc);
    }
};

// A click on an assistant casilla opens its window with the casilla; the total handed back is
// shown with the casilla's mask. A sent version's windows are only looked at.
TEST_F(CasillaWindowsTest, ClickOpensTheCasillaWindowAndWritesItsTotal) {
    for (const auto& [casilla, window, answer, shown, code] :
         {std::tuple{128, "frmanexo128", "1500", "(1,500)", ""},
          {125, "frmAnexo136", "20", "(20)", ""},
          {380, "frmanexo317A", "1234567", "1,234,567", ""},
          {301, "frasiscasillasef", "9000", "9,000", "Ingrese el Detalle de Clientes : "},
          {464, "frmcostos", "", "", ""},
          {130, "frmAnexo130", "", "", ""}}) {
        SCOPED_TRACE(casilla);
        model->historyView = casilla == 130;
        opener.requests.clear();
        opener.answers.insert(QString::fromUtf8(window), QString::fromUtf8(answer));
        model->setText(casilla, QString());

        EXPECT_TRUE(model->clickBox(casilla));

        ASSERT_EQ(opener.requests.size(), 1);
        EXPECT_EQ(opener.requests.at(0).name, QString::fromUtf8(window));
        EXPECT_EQ(opener.requests.at(0).casilla, casilla);
        EXPECT_EQ(opener.requests.at(0).code, QString::fromUtf8(code));
        EXPECT_EQ(opener.requests.at(0).readOnly, model->historyView);
        EXPECT_EQ(model->text(casilla), QString::fromUtf8(shown));
    }
}

TEST_F(CasillaWindowsTest, OtherCasillasAndDisabledBoxesOpenNothing) {
    EXPECT_FALSE(model->clickBox(100));
    EXPECT_EQ(model->typeKey(110, QLatin1Char('\r')), KeyResult::NextControl);
    model->clickOption(u"OptDonaciones"_s, 0);
    EXPECT_FALSE(model->clickBox(227));
    EXPECT_TRUE(opener.requests.isEmpty());
}

// The vehicle casillas ask for the vehicle question first, then for the net income (the vehicle
// script goes on through both windows).
TEST_F(CasillaWindowsTest, VehicleCasillasNeedTheQuestionAndTheNetIncome) {
    prompter->expectMessage(CasillaWindows::kVehicleQuestionFirst, Icon::Information);
    EXPECT_TRUE(model->clickBox(877));
    EXPECT_TRUE(opener.requests.isEmpty());

    model->clickOption(u"optAutos"_s, 1);
    prompter->expectMessage(CasillaWindows::kNetIncomeFirst, Icon::Information);
    model->clickBox(877);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, u"frmVehIngresosNetos"_s);
}

// Casilla 127 hands its three kept parts to its window and takes them back with its total.
TEST_F(CasillaWindowsTest, PriorBalanceTravelsWithItsParts) {
    model->keptCasillas.insert(202, u"900"_s);
    opener.answers.insert(u"frmAnexo127"_s, u"127=600;202=1000;203=400;204="_s);
    EXPECT_TRUE(model->clickBox(127));
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).keyValues, (QStringList{u"900"_s, QString(), QString()}));
    EXPECT_EQ(model->text(127), u"(600)"_s);
    EXPECT_EQ(model->keptCasillas.value(202), u"1000"_s);
    EXPECT_EQ(model->keptCasillas.value(203), u"400"_s);
    EXPECT_EQ(model->keptCasillas.value(204), QString());
}

} // namespace
} // namespace qel::declaration
