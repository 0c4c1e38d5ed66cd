#include "FormFixture.h"

#include <gtest/gtest.h>

using namespace qel;
using namespace qel::declaration;

namespace {

// A form with its calculation rules, typed into as a user types.
class CalculationTest : public qel::declaration::testing::FormFixture {
protected:
    CalculationTest() {
        makeModel(QStringLiteral("CONTADOR"), QStringLiteral("1"));
        model->caption = QStringLiteral(" 588 Declaración");
        attach<CalculationRules>();
    }

    // Types into an emptied box, as a user who selects its text first.
    void type(int casilla, const QString& text) {
        model->setText(casilla, QString());
        model->focusIn(casilla);
        qel::declaration::testing::typeKeys(*model, casilla, text);
        model->focusOut(casilla);
    }
    QString shown(int casilla) const { return model->text(casilla); }
    void expectShown(std::initializer_list<std::pair<int, const char*>> boxes) {
        for (const auto& [casilla, text] : boxes) {
            EXPECT_EQ(shown(casilla), QString::fromUtf8(text)) << "casilla " << casilla;
        }
    }
};

} // namespace

TEST_F(CalculationTest, ACostOfSalesRipplesIntoTheLossOfTheYear) {
    type(464, QStringLiteral("5000"));
    expectShown({{463, "0"}, {467, "(5,000)"}, {489, "(5,000)"}, {101, "(5,000)"}, {100, "0"}, {107, "(5,000)"}});
    EXPECT_TRUE(model->box(120).enabled);
    type(103, QStringLiteral("6000"));
    expectShown({{106, "1,000"}, {107, "(0)"}});
    EXPECT_FALSE(model->box(120).enabled);
    type(103, QStringLiteral("1000"));
    expectShown({{106, "0"}, {107, "(4,000)"}, {110, "0"}});
    EXPECT_TRUE(model->box(120).enabled);
}

TEST_F(CalculationTest, TheItfFollowsTheTotalOfPayments) {
    model->Habcasilla(155);
    model->Habcasilla(156);
    type(155, QStringLiteral("1000000"));
    expectShown({{157, "1,000,000"}, {158, "150,000"}, {159, "850,000"}, {160, "85"}, {161, "85"}, {165, "85"}});
}

TEST_F(CalculationTest, TheTaxFollowsTheRegime) {
    struct Case {
        const char* name;
        int regime; // OpRegRenta: 1 general, 2 MYPE
        const char* sales;
        const char* tax;
        const char* rate;
    };
    // 15 UIT of 2018 = 62,250.
    const QList<Case> cases = {
        {"general", 1, "100000", "29,500", "29.5"},
        {"MYPE below 15 UIT", 2, "50000", "5,000", "10.0"},
        {"MYPE above 15 UIT", 2, "100000", "17,361", "10.0"}, // 37,750 x 29.5% + 62,250 x 10%
        {"MYPE exactly 15 UIT", 2, "62250", "6,225", "10.0"},
    };
    for (const auto& c : cases) {
        model->clickOption(QStringLiteral("OpRegRenta"), c.regime);
        type(461, QString::fromLatin1(c.sales));
        EXPECT_EQ(shown(110), model->text(463)) << c.name;
        EXPECT_EQ(shown(113), QString::fromLatin1(c.tax)) << c.name;
        EXPECT_EQ(model->currentRate, QString::fromLatin1(c.rate)) << c.name;
        EXPECT_TRUE(model->box(113).locked) << c.name;
    }
}

TEST_F(CalculationTest, CreditsAndTheBalanceDue) {
    type(461, QStringLiteral("100000"));             // tax 29,500
    model->setText(128, QStringLiteral("(10,000)")); // the payments assistant's total
    expectShown({{504, "29,500"}, {506, "19,500"}, {139, "19,500"}, {138, "(0)"}, {146, "19,500"}});
    EXPECT_FALSE(model->box(137).enabled);
}

TEST_F(CalculationTest, AnExclusivePairAsksWhenTheTypedBoxIsLeft) {
    model->clickOption(QStringLiteral("OptPlan"), 2);
    type(417, QStringLiteral("300"));
    const QString question =
        QStringLiteral("Las casillas 416 y 417 son excluyentes.\n¿Desea registrar información en la casilla 416?.");
    prompter->expectQuestion(question, app::Button::No, app::Icon::Question);
    type(416, QStringLiteral("500"));
    expectShown({{416, ""}, {417, "(300)"}, {425, "(300)"}});

    prompter->expectQuestion(question, app::Button::Yes, app::Icon::Question);
    type(416, QStringLiteral("500"));
    expectShown({{416, "500"}, {417, ""}, {425, "500"}});
}

TEST_F(CalculationTest, TheMypeRegimeWarnsAbove1700Uit) {
    // 1700 UIT of 2018 = 7,055,000.
    type(461, QStringLiteral("7055000"));
    model->clickOption(QStringLiteral("OpRegRenta"), 2); // exactly the limit: no warning
    model->clickOption(QStringLiteral("OpRegRenta"), 1);
    type(461, QStringLiteral("7055001"));
    prompter->expectMessage(
        QStringLiteral("Sus ingresos superan las 1700 UIT, usted debe declarar en el Régimen General."),
        app::Icon::Critical);
    model->clickOption(QStringLiteral("OpRegRenta"), 2);
    EXPECT_EQ(model->option(QStringLiteral("OpRegRenta")), 2); // the choice stays as made
}

TEST_F(CalculationTest, TheBalanceSheetTotalsEmptyWhenNothingIsTyped) {
    model->clickOption(QStringLiteral("OptPlan"), 2);
    type(359, QStringLiteral("1000"));
    type(376, QStringLiteral("200"));
    expectShown({{376, "(200)"}, {390, "800"}});
    type(359, QString());
    type(376, QString());
    EXPECT_EQ(shown(390), QString());
}

TEST_F(CalculationTest, HelpTextsOfComputedCasillas) {
    type(461, QStringLiteral("1000"));
    for (const auto& [casilla, help] : {std::pair{113, "c113 = c110 * 29.5 %"},
                                        {101, "c101 = c489"},
                                        {461, "Anotar los importes en soles sin considerar céntimos."}}) {
        model->pointAt(casilla);
        EXPECT_EQ(model->helpText, QString::fromUtf8(help));
    }
}

// A taxpayer who pays no tax still gets next year's percentage: the fixed one without a zone.
TEST_F(CalculationTest, ExemptAndUnaffectedTaxpayersPayNothingButKeepThePercentage) {
    // Only the total exemption fixes the coefficient at "0"; otherwise it is the formula's 0.
    for (const auto& [question, coefficient] :
         {std::pair{"OptTipoCont", "0"}, std::pair{"OptInafectacion", "0.0000"}}) {
        SCOPED_TRACE(question);
        model->clickOption(QString::fromLatin1(question), 1);
        type(461, QStringLiteral("200000"));
        EXPECT_EQ(shown(113), QStringLiteral("0"));
        EXPECT_TRUE(model->box(113).locked);
        EXPECT_EQ(shown(686), QString::fromLatin1(coefficient));
        EXPECT_EQ(shown(610), QStringLiteral("1.5"));
        model->clickOption(QString::fromLatin1(question), 0);
    }
}

// The ITF column's own payments, compensations and interest bring its balance up to date as
// they are typed, as the income tax's column does.
TEST_F(CalculationTest, TheItfBalanceFollowsItsPaymentsAndCompensations) {
    for (const int n : {155, 156, 163, 164, 143}) {
        model->Habcasilla(n);
    }
    type(155, QStringLiteral("1000000")); // 565 = 85
    struct Step {
        int casilla;
        const char* typed;
        const char* balance;
    };
    const QList<Step> steps = {
        {163, "20", "65"}, // 85 - 20
        {164, "5", "60"},  // 85 - 20 - 5
        {143, "12", "72"}, // 85 - 20 - 5 + 12
        {163, "", "92"},   // 85 - 5 + 12
        {164, "100", "(3)"},
    };
    for (const Step& step : steps) {
        type(step.casilla, QString::fromLatin1(step.typed));
        EXPECT_EQ(shown(165), QString::fromLatin1(step.balance)) << step.casilla << " " << step.typed;
    }
}

// 151 keeps the taxable base, 114 the tax of the latest version sent of a declaration that
// rectifies it, and 500 the tax less that one.
TEST_F(CalculationTest, TheBaseAndTheTaxOverTheRectifiedOneAreKept) {
    const auto kept = [this](int n) { return model->keptCasillas.value(n); };
    test::registerTaxpayer(db(), QStringLiteral("20100070970"), QStringLiteral("EMPRESA S.A."),
                           QStringLiteral("CONTADOR"));
    load(QStringLiteral("20100070970"));
    type(461, QStringLiteral("100000")); // tax 29,500
    EXPECT_EQ(kept(151), QStringLiteral("100000"));
    EXPECT_EQ(kept(114), QString());
    EXPECT_EQ(kept(500), QStringLiteral("29500")); // an original declaration: all of 113

    for (const auto& [correl, tax] : {std::pair{"CORREL=1", "20000"}, std::pair{"CORREL=2", "25,000"}}) {
        qel::declaration::testing::storeCasilla(db(), model->key(), QStringLiteral("113"), QString::fromLatin1(tax),
                                                QStringLiteral("HDET"), qel::declaration::testing::fields(correl));
    }
    model->clickOption(QStringLiteral("OptRectifica"), 1);
    EXPECT_EQ(kept(114), QStringLiteral("25000")); // the latest version sent
    EXPECT_EQ(kept(500), QStringLiteral("4500"));

    type(461, QStringLiteral("50000")); // tax 14,750: below the rectified one
    EXPECT_EQ(kept(151), QStringLiteral("50000"));
    EXPECT_EQ(kept(500), QStringLiteral("0"));

    model->clickOption(QStringLiteral("OptRectifica"), 0);
    EXPECT_EQ(kept(114), QString());
    EXPECT_EQ(kept(500), QStringLiteral("14750"));
}
