#include "AnnexFixture.h"
#include "annexes/LossBalanceModel.h"
#include "annexes/LossBalances.h"
#include "annexes/VehicleChecks.h"
#include "declaration/model/WorkingCasillas.h"

#include <string>

using namespace Qt::StringLiterals;

namespace qel::annexes {
namespace {

class CasillaAssistantTest : public testing::AnnexFixture {
protected:
    QString working(int casilla) { return declaration::WorkingCasillas::value(db(), key(), casilla); }
    // Empties the boxes the assistants keep and details `count` vehicles.
    void restart(int count) {
        clear(u"TMPF584DET"_s);
        clear(u"TMPF584VEHIC"_s);
        for (int i = 0; i < count; ++i) {
            test::insertRow(db(), u"TMPF584VEHIC"_s, key(),
                            {{u"cod_categ"_s, u"A2"_s}, {u"des_placa"_s, u"ABC-%1"_s.arg(i)}});
        }
    }
};

// What each layout refuses, and the value it hands back when it saves.
TEST_F(CasillaAssistantTest, SaveRefusesWhatTheChecksRefuse) {
    struct Case {
        const char* name;
        const char* window;
        int casilla;
        std::string typed;
        const char* result; // empty: refused with `message`
        QString message = {};
        int vehicles = 0;          // rows of the vehicle detail
        const char* loss2016 = ""; // the balance of the loss of 2016
    };
    std::string zeros;
    for (const AssistantField& field : AssistantCatalog::instance().find(u"frmAnexo108"_s, 108)->fields) {
        if (!field.computed) {
            zeros += std::to_string(field.id()) + "=0;";
        }
    }
    const QString beyondBalance = u"La Compensación de pérdidas consignadas para el año %1 no puede ser mayor que el "
                                  "saldo de pérdidas de dicho año"_s;
    const QString fewerThanDetailed =
        u"El número de vehículos no puede ser menor a la cantidad de vehículos detallados (3)."_s;
    const QString noneOwned = u"El número de vehículos de propiedad de la empresa debe ser mayor a cero."_s;
    const Case cases[] = {
        {"cost of goods sold", "frmcostos", 464,
         "511=1000; 512=5000; 513=1500; 591=200; 592=300; 593=100; 792=50; 793=150; 515=400; 516=200; 796=700", "5900"},
        {"goods: final stock above stock and purchases", "frmcostos", 464, "511=100; 512=200; 513=301", "",
         u"El Costo  de Ventas de Mercaderías no puede ser negativo"_s},
        {"production below the work in progress", "frmcostos", 464, "591=100; 792=0; 793=101", "",
         u"El Costo  de Producción no puede ser negativo"_s},
        {"sales by source", "frmpergan2015", 461, "755=10; 756=20; 757=30; 758=40", "100"},
        {"financial income", "frmpergan", 473, "759=5; 761=7", "12"},
        {"loss of 2016 within its balance", "frmAnexo108", 108, zeros + "867=5000", "5000", {}, 0, "5000"},
        {"loss of 2016 above its balance", "frmAnexo108", 108, zeros + "867=5001", "", beyondBalance.arg(2016), 0,
         "5000"},
        {"loss of a year without balance", "frmAnexo108", 108, zeros + "833=1", "", beyondBalance.arg(2014)},
        {"a loss box left empty", "frmAnexo108", 108, "833=0", "",
         u"Debe ingresar importe en todas las casillas, en caso contrario consigne 0."_s},
        {"vehicles as many as detailed", "frmVehiculos", 877, "705=3; 707=2", "2", {}, 2},
        {"vehicles fewer than detailed", "frmVehiculos", 877, "705=3; 707=2", "", fewerThanDetailed, 3},
        {"no vehicles owned", "frmVehiculos", 877, "705=0; 707=1", "", noneOwned},
        {"more assigned than owned", "frmVehiculos", 877, "705=1; 707=2", "",
         u"El número de vehículos asignados no puede ser mayor al número de vehículos de propiedad de la empresa."_s},
        {"net income by month", "frmVehIngresosNetos", 876, "1001=100; 1012=23", "123"},
        {"net income by year", "frmvehcas706", 706, "3015=1,000; 3016=234", "1234"},
        {"owned as many as detailed", "frmvehcas705", 705, "705=2", "2", {}, 2},
        {"owned fewer than detailed", "frmvehcas705", 705, "705=2", "", fewerThanDetailed, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LossBalances::store(db(), key(),
                            *c.loss2016 ? QList<LossBalances::Row>{{u"2016"_s, QString::fromLatin1(c.loss2016)}}
                                        : QList<LossBalances::Row>{});
        restart(c.vehicles);
        CasillaAssistantModel model = assistant(QString::fromLatin1(c.window), c.casilla);
        type(model, c.typed.c_str());
        if (!c.message.isEmpty()) {
            prompter->expectMessage(c.message, app::Icon::Exclamation);
        }
        EXPECT_EQ(model.save(), c.message.isEmpty());
        EXPECT_EQ(model.result(), QString::fromLatin1(c.result));
        EXPECT_EQ(model.isClosed(), c.message.isEmpty());
        prompter->verify();
    }
}

// Boxes take digits only and computed boxes nothing; totals are stored and read back; closing
// without saving leaves the working rows.
TEST_F(CasillaAssistantTest, TotalsAreStoredAndReadBack) {
    CasillaAssistantModel costs = assistant(u"frmcostos"_s, 464);
    EXPECT_FALSE(costs.setText(511, u"-5"_s));
    EXPECT_FALSE(costs.setText(511, u"1a"_s));
    EXPECT_TRUE(costs.setText(511, u"1,234"_s));
    EXPECT_EQ(costs.text(511), u"1234"_s);
    EXPECT_FALSE(costs.setText(514, u"5"_s));
    type(costs, "511=1000; 512=5000; 513=1500");
    ASSERT_TRUE(costs.save());
    EXPECT_EQ(working(514), u"4500"_s);
    EXPECT_EQ(working(797), u"4500"_s);
    EXPECT_EQ(working(591), QString()); // boxes left empty keep no row

    CasillaAssistantModel sales = assistant(u"frmpergan2015"_s, 475);
    type(sales, "763=10; 764=20; 765=30; 766=40");
    ASSERT_TRUE(sales.save());
    EXPECT_EQ(working(672), u"40"_s); // Peruvian source
    EXPECT_EQ(working(673), u"60"_s);

    CasillaAssistantModel again = assistant(u"frmcostos"_s, 464);
    EXPECT_EQ(again.shownText(513), u"1,500"_s);
    EXPECT_EQ(again.text(797), u"4500"_s);
    type(again, "796=1");
    again.close();
    EXPECT_EQ(again.result(), QString());
    EXPECT_EQ(working(796), QString());
    EXPECT_EQ(working(797), u"4500"_s);
}

TEST_F(CasillaAssistantTest, VehicleLimitFollowsTheNetIncomeInUit) {
    const double uit = 4050;
    for (const auto& [income, allowed] :
         {std::pair{0.0, 1}, {3600 * uit, 1}, {3600 * uit + 1, 2}, {7200 * uit, 2}, {100000 * uit, 20}}) {
        EXPECT_EQ(VehicleLimit::maximumVehicles(income, uit), allowed) << income;
    }
}

TEST_F(CasillaAssistantTest, LossBalanceYears) {
    for (const auto& [year, saved] :
         {std::pair{"2017", true}, {"1992", true}, {"2018", false}, {"1991", false}, {"17", false}}) {
        SCOPED_TRACE(year);
        LossBalanceModel model(db(), *prompter, key());
        ASSERT_TRUE(model.setYear(0, QString::fromLatin1(year)));
        ASSERT_TRUE(model.setAmount(0, u"1,000"_s));
        if (!saved) {
            prompter->expectMessage(LossBalanceModel::kBadYear, app::Icon::Exclamation);
        }
        EXPECT_EQ(model.save(), saved);
        prompter->verify();
    }
    LossBalanceModel twice(db(), *prompter, key());
    EXPECT_EQ(twice.year(0), u"1992"_s); // the last one saved
    ASSERT_TRUE(twice.setYear(1, u"1992"_s));
    ASSERT_TRUE(twice.setAmount(1, u"5"_s));
    prompter->expectMessage(LossBalanceModel::kBadYear, app::Icon::Exclamation);
    EXPECT_FALSE(twice.save()); // a year appears once
}

} // namespace
} // namespace qel::annexes
