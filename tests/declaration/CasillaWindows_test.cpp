#include "FormFixture.h"
#include "declaration/commands/CasillaWindows.h"

#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using app::Icon;

const QString kRuc = QStringLiteral("20100070970");

class CasillaWindowsTest : public testing::FormFixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kRuc, QStringLiteral("EMPRESA S.A."));
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

TEST_F(CasillaWindowsTest, TheTotalRunsTheCalculationAgain) {
    for (const QChar c : QStringLiteral("100000")) {
        model->typeKey(461, c);
    }
    ASSERT_EQ(model->text(139), QStringLiteral("29,500"));
    opener.answers.insert(QStringLiteral("frmanexo128"), QStringLiteral("4000"));
    EXPECT_EQ(model->typeKey(128, QLatin1Char('\r')), KeyResult::OpenedWindow);
    EXPECT_EQ(model->text(139), QStringLiteral("25,500"));
}

TEST_F(CasillaWindowsTest, OtherCasillasAndDisabledBoxesOpenNothing) {
    EXPECT_FALSE(model->clickBox(100));
    EXPECT_EQ(model->typeKey(110, QLatin1Char('\r')), KeyResult::NextControl);
    model->clickOption(QStringLiteral("OptDonaciones"), 0);
    EXPECT_FALSE(model->clickBox(227));
    EXPECT_TRUE(opener.requests.isEmpty());
}

// The vehicle casillas ask for the vehicle question first, then for the net income.
TEST_F(CasillaWindowsTest, VehicleCasillasNeedTheQuestionAndTheNetIncome) {
    prompter->expectMessage(QStringLiteral("Indique si está deduciendo gastos de vehículos a que se refiere el inciso "
                                           "w) del Art. 37° de la Ley."),
                            Icon::Information);
    EXPECT_TRUE(model->clickBox(877));
    EXPECT_TRUE(opener.requests.isEmpty());

    model->clickOption(QStringLiteral("optAutos"), 1);
    prompter->expectMessage(QStringLiteral("Primero debe determinar sus ingresos netos anuales"), Icon::Information);
    model->clickBox(877);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmVehIngresosNetos"));

    opener.requests.clear();
    opener.answers.insert(QStringLiteral("frmVehIngresosNetos"), QStringLiteral("2500000"));
    opener.answers.insert(QStringLiteral("frmVehiculos"), QStringLiteral("3"));
    prompter->expectMessage(QStringLiteral("Primero debe determinar sus ingresos netos anuales"), Icon::Information);
    model->clickBox(877);
    ASSERT_EQ(opener.requests.size(), 2);
    EXPECT_EQ(opener.requests.at(1).name, QStringLiteral("frmVehiculos"));
    EXPECT_EQ(model->text(876), QStringLiteral("2,500,000"));
    EXPECT_EQ(model->text(877), QStringLiteral("3"));

    opener.requests.clear();
    model->clickBox(876);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmVehiculos"));
}

// Casilla 127 hands its three kept parts to its window and takes them back with its total.
TEST_F(CasillaWindowsTest, PriorBalanceTravelsWithItsParts) {
    model->keptCasillas.insert(202, QStringLiteral("900"));
    opener.answers.insert(QStringLiteral("frmAnexo127"), QStringLiteral("127=600;202=1000;203=400;204="));
    EXPECT_TRUE(model->clickBox(127));
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).keyValues, (QStringList{QStringLiteral("900"), QString(), QString()}));
    EXPECT_EQ(model->text(127), QStringLiteral("(600)"));
    EXPECT_EQ(model->keptCasillas.value(202), QStringLiteral("1000"));
    EXPECT_EQ(model->keptCasillas.value(203), QStringLiteral("400"));
    EXPECT_EQ(model->keptCasillas.value(204), QString());
}

} // namespace
} // namespace qel::declaration
