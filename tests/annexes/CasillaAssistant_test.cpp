#include "annexes/AssistantCatalog.h"
#include "annexes/CasillaAssistantModel.h"
#include "annexes/LossBalanceModel.h"
#include "annexes/LossBalances.h"
#include "annexes/VehicleChecks.h"
#include "declaration/model/WorkingCasillas.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <utility>

namespace qel::annexes {
namespace {

using Typed = QList<std::pair<int, const char*>>;

class CasillaAssistantTest : public ::testing::Test {
protected:
    CasillaAssistantModel open(const QString& window, int casilla) {
        const AssistantDef* def = AssistantCatalog::instance().find(window, casilla);
        EXPECT_NE(def, nullptr) << window.toStdString();
        return CasillaAssistantModel(database.db(), *prompter, *def, key, casilla);
    }
    static void type(CasillaAssistantModel& model, const Typed& values) {
        for (const auto& [id, text] : values) {
            ASSERT_TRUE(model.setText(id, QString::fromLatin1(text))) << id;
        }
    }
    QString working(int casilla) { return declaration::WorkingCasillas::value(database.db(), key, casilla); }
    void balances(const QList<LossBalances::Row>& rows) { LossBalances::store(database.db(), key, rows); }
    void vehiclesDetailed(int count) {
        for (int i = 0; i < count; ++i) {
            test::insertRow(database.db(), QStringLiteral("TMPF584VEHIC"), key,
                            {{QStringLiteral("cod_categ"), QStringLiteral("A2")},
                             {QStringLiteral("des_placa"), QStringLiteral("ABC-%1").arg(i)}});
        }
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    store::DeclarationKey key = test::demoKey();
};

// What each layout refuses, and the value it hands back when it saves.
TEST_F(CasillaAssistantTest, SaveRefusesWhatTheChecksRefuse) {
    struct Case {
        const char* name;
        QString window;
        int casilla;
        QList<LossBalances::Row> balances;
        int vehicles;
        Typed typed;
        QString message; // empty: saved
        QString result;
    };
    Typed allZeroLosses;
    for (const AssistantField& field : AssistantCatalog::instance().find(QStringLiteral("frmAnexo108"), 108)->fields) {
        if (!field.computed) {
            allZeroLosses.append({field.id(), "0"});
        }
    }
    auto losses = [&allZeroLosses](int casilla, const char* amount) {
        Typed typed = allZeroLosses;
        typed.append({casilla, amount});
        return typed;
    };
    const QList<Case> cases = {
        {"cost of goods sold",
         "frmcostos",
         464,
         {},
         0,
         {{511, "1000"},
          {512, "5000"},
          {513, "1500"},
          {591, "200"},
          {592, "300"},
          {593, "100"},
          {792, "50"},
          {793, "150"},
          {515, "400"},
          {516, "200"},
          {796, "700"}},
         {},
         "5900"},
        {"goods: final stock above stock and purchases",
         "frmcostos",
         464,
         {},
         0,
         {{511, "100"}, {512, "200"}, {513, "301"}},
         QStringLiteral("El Costo  de Ventas de Mercaderías no puede ser negativo"),
         {}},
        {"production below the work in progress",
         "frmcostos",
         464,
         {},
         0,
         {{591, "100"}, {792, "0"}, {793, "101"}},
         QStringLiteral("El Costo  de Producción no puede ser negativo"),
         {}},
        {"sales by source",
         "frmpergan2015",
         461,
         {},
         0,
         {{755, "10"}, {756, "20"}, {757, "30"}, {758, "40"}},
         {},
         "100"},
        {"financial income", "frmpergan", 473, {}, 0, {{759, "5"}, {761, "7"}}, {}, "12"},
        {"loss of 2016 within its balance", "frmAnexo108", 108, {{"2016", "5000"}}, 0, losses(867, "5000"), {}, "5000"},
        {"loss of 2016 above its balance",
         "frmAnexo108",
         108,
         {{"2016", "5000"}},
         0,
         losses(867, "5001"),
         QStringLiteral("La Compensación de pérdidas consignadas para el año 2016 no puede ser mayor que el saldo de "
                        "pérdidas de dicho año"),
         {}},
        {"loss of a year without balance",
         "frmAnexo108",
         108,
         {},
         0,
         losses(833, "1"),
         QStringLiteral("La Compensación de pérdidas consignadas para el año 2014 no puede ser mayor que el saldo de "
                        "pérdidas de dicho año"),
         {}},
        {"a loss box left empty",
         "frmAnexo108",
         108,
         {},
         0,
         {{833, "0"}},
         QStringLiteral("Debe ingresar importe en todas las casillas, en caso contrario consigne 0."),
         {}},
        {"vehicles as many as detailed", "frmVehiculos", 877, {}, 2, {{705, "3"}, {707, "2"}}, {}, "2"},
        {"vehicles fewer than detailed",
         "frmVehiculos",
         877,
         {},
         3,
         {{705, "3"}, {707, "2"}},
         QStringLiteral("El número de vehículos no puede ser menor a la cantidad de vehículos detallados (3)."),
         {}},
        {"no vehicles owned",
         "frmVehiculos",
         877,
         {},
         0,
         {{705, "0"}, {707, "1"}},
         QStringLiteral("El número de vehículos de propiedad de la empresa debe ser mayor a cero."),
         {}},
        {"more assigned than owned",
         "frmVehiculos",
         877,
         {},
         0,
         {{705, "1"}, {707, "2"}},
         QStringLiteral("El número de vehículos asignados no puede ser mayor al número de vehículos de propiedad de "
                        "la empresa."),
         {}},
        {"net income by month", "frmVehIngresosNetos", 876, {}, 0, {{1001, "100"}, {1012, "23"}}, {}, "123"},
        {"net income by year", "frmvehcas706", 706, {}, 0, {{3015, "1,000"}, {3016, "234"}}, {}, "1234"},
        {"owned as many as detailed", "frmvehcas705", 705, {}, 2, {{705, "2"}}, {}, "2"},
        {"owned fewer than detailed",
         "frmvehcas705",
         705,
         {},
         3,
         {{705, "2"}},
         QStringLiteral("El número de vehículos no puede ser menor a la cantidad de vehículos detallados (3)."),
         {}},
        {"owned none",
         "frmvehcas705",
         705,
         {},
         0,
         {{705, "0"}},
         QStringLiteral("El número de vehículos de propiedad de la empresa debe ser mayor a cero."),
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        balances(c.balances);
        for (const char* table : {"TMPF584VEHIC", "TMPF584DET"}) {
            database.db().run(QStringLiteral("DELETE FROM ") + QString::fromLatin1(table)).finish();
        }
        vehiclesDetailed(c.vehicles);
        CasillaAssistantModel model = open(c.window, c.casilla);
        type(model, c.typed);
        if (!c.message.isEmpty()) {
            prompter->expectMessage(c.message, app::Icon::Exclamation);
        }
        EXPECT_EQ(model.save(), c.message.isEmpty());
        EXPECT_EQ(model.result(), c.result);
        EXPECT_EQ(model.isClosed(), c.message.isEmpty());
        prompter->verify();
    }
}

TEST_F(CasillaAssistantTest, TotalsAreStoredAndReadBack) {
    CasillaAssistantModel costs = open(QStringLiteral("frmcostos"), 464);
    type(costs, {{511, "1000"}, {512, "5000"}, {513, "1500"}});
    ASSERT_TRUE(costs.save());
    EXPECT_EQ(working(514), QStringLiteral("4500"));
    EXPECT_EQ(working(797), QStringLiteral("4500"));
    EXPECT_EQ(working(591), QString()); // boxes left empty keep no row

    CasillaAssistantModel sales = open(QStringLiteral("frmpergan2015"), 475);
    type(sales, {{763, "10"}, {764, "20"}, {765, "30"}, {766, "40"}});
    ASSERT_TRUE(sales.save());
    EXPECT_EQ(working(672), QStringLiteral("40")); // Peruvian source
    EXPECT_EQ(working(673), QStringLiteral("60"));

    CasillaAssistantModel again = open(QStringLiteral("frmcostos"), 464);
    EXPECT_EQ(again.shownText(513), QStringLiteral("1,500"));
    EXPECT_EQ(again.text(797), QStringLiteral("4500"));
}

TEST_F(CasillaAssistantTest, ClosingWithoutSavingLeavesTheWorkingRows) {
    CasillaAssistantModel first = open(QStringLiteral("frmcostos"), 464);
    type(first, {{796, "700"}});
    ASSERT_TRUE(first.save());
    CasillaAssistantModel second = open(QStringLiteral("frmcostos"), 464);
    type(second, {{796, "1"}});
    second.close();
    EXPECT_EQ(second.result(), QString());
    EXPECT_EQ(working(796), QStringLiteral("700"));
}

TEST_F(CasillaAssistantTest, BoxesTakeDigitsOnlyAndComputedBoxesNothing) {
    CasillaAssistantModel costs = open(QStringLiteral("frmcostos"), 464);
    EXPECT_FALSE(costs.setText(511, QStringLiteral("-5")));
    EXPECT_FALSE(costs.setText(511, QStringLiteral("1a")));
    EXPECT_TRUE(costs.setText(511, QStringLiteral("1,234")));
    EXPECT_EQ(costs.text(511), QStringLiteral("1234"));
    EXPECT_FALSE(costs.setText(514, QStringLiteral("5")));
}

TEST_F(CasillaAssistantTest, VehicleLimitFollowsTheNetIncomeInUit) {
    struct Case {
        double income;
        int allowed;
    };
    const double uit = 4050;
    for (const Case& c :
         {Case{0, 1}, Case{3600 * uit, 1}, Case{3600 * uit + 1, 2}, Case{7200 * uit, 2}, Case{100000 * uit, 20}}) {
        EXPECT_EQ(VehicleLimit::maximumVehicles(c.income, uit), c.allowed) << c.income;
    }
}

TEST_F(CasillaAssistantTest, LossBalanceYears) {
    struct Case {
        const char* year;
        bool saved;
    };
    for (const Case& c :
         {Case{"2017", true}, Case{"1992", true}, Case{"2018", false}, Case{"1991", false}, Case{"17", false}}) {
        SCOPED_TRACE(c.year);
        LossBalanceModel model(database.db(), *prompter, key);
        ASSERT_TRUE(model.setYear(0, QString::fromLatin1(c.year)));
        ASSERT_TRUE(model.setAmount(0, QStringLiteral("1,000")));
        if (!c.saved) {
            prompter->expectMessage(LossBalanceModel::kBadYear, app::Icon::Exclamation);
        }
        EXPECT_EQ(model.save(), c.saved);
        prompter->verify();
    }
    LossBalanceModel twice(database.db(), *prompter, key);
    EXPECT_EQ(twice.year(0), QStringLiteral("1992")); // the last one saved
    ASSERT_TRUE(twice.setYear(1, QStringLiteral("1992")));
    ASSERT_TRUE(twice.setAmount(1, QStringLiteral("5")));
    prompter->expectMessage(LossBalanceModel::kBadYear, app::Icon::Exclamation);
    EXPECT_FALSE(twice.save()); // a year appears once
}

// The months and the years of 706 share their rows' addition, detail and type: each window
// keeps its own rows, the last saved sets 706, and the vehicles take it back from its button.
TEST_F(CasillaAssistantTest, NetIncomeByYearKeepsTheMonthsAndSets706) {
    CasillaAssistantModel months = open(QStringLiteral("frmVehIngresosNetos"), 876);
    type(months, {{1001, "100"}, {1002, "50"}});
    ASSERT_TRUE(months.save());
    CasillaAssistantModel vehicles = open(QStringLiteral("frmVehiculos"), 877);
    EXPECT_EQ(vehicles.text(706), QStringLiteral("150"));

    CasillaAssistantModel years = open(QStringLiteral("frmvehcas706"), 706);
    type(years, {{3015, "500"}, {3016, "700"}});
    ASSERT_TRUE(years.save());
    EXPECT_EQ(working(706), QStringLiteral("1200"));

    test::RecordingOpener opener;
    opener.answers.insert(QStringLiteral("frmvehcas706"), QStringLiteral("1200"));
    opener.answers.insert(QStringLiteral("frmvehcas705"), QStringLiteral("4"));
    vehicles.setOpener(&opener);
    ASSERT_TRUE(vehicles.openDetail(706));
    ASSERT_TRUE(vehicles.openDetail(705));
    ASSERT_EQ(opener.requests.size(), 2);
    EXPECT_EQ(opener.requests.at(0).casilla, 706);
    EXPECT_EQ(vehicles.text(706), QStringLiteral("1200"));
    EXPECT_EQ(vehicles.text(705), QStringLiteral("4"));
    EXPECT_FALSE(vehicles.openDetail(707)); // the assigned vehicles have no detail window

    EXPECT_EQ(open(QStringLiteral("frmVehIngresosNetos"), 876).text(1002), QStringLiteral("50"));
    CasillaAssistantModel yearsAgain = open(QStringLiteral("frmvehcas706"), 706);
    EXPECT_EQ(yearsAgain.text(3015), QStringLiteral("500"));
    EXPECT_EQ(yearsAgain.text(1001), QString()); // the months are not years
}

// Every casilla a layout stores is a working casilla, so that the form loads and saves it.
TEST_F(CasillaAssistantTest, EveryStoredFieldIsAWorkingCasilla) {
    for (const AssistantDef& def : AssistantCatalog::instance().all()) {
        for (const AssistantField& field : def.fields) {
            if (field.casilla > 0 && field.stored) {
                EXPECT_TRUE(declaration::WorkingCasillas::isWorking(field.casilla))
                    << def.window.toStdString() << ' ' << field.casilla;
            }
        }
        EXPECT_NE(def.field(def.resultId), nullptr) << def.window.toStdString();
    }
}

} // namespace
} // namespace qel::annexes
