#include "FormFixture.h"

#include <gtest/gtest.h>

using namespace qel;
using namespace qel::declaration;

namespace {

using namespace Qt::StringLiterals;

// A form with its calculation rules, typed into as a user types.
class CalculationTest : public qel::declaration::testing::FormFixture {
protected:
    CalculationTest() {
        makeModel(u"CONTADOR"_s, u"1"_s);
        model->caption = u" 588 Declaración"_s;
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
    type(464, u"5000"_s);
    expectShown({{463, "0"}, {467, "(5,000)"}, {489, "(5,000)"}, {101, "(5,000)"}, {100, "0"}, {107, "(5,000)"}});
    EXPECT_TRUE(model->box(120).enabled);
    type(103, u"6000"_s);
    expectShown({{106, "1,000"}, {107, "(0)"}});
    EXPECT_FALSE(model->box(120).enabled);
    type(103, u"1000"_s);
    expectShown({{106, "0"}, {107, "(4,000)"}, {110, "0"}});
    EXPECT_TRUE(model->box(120).enabled);
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
        model->clickOption(u"OpRegRenta"_s, c.regime);
        type(461, QString::fromLatin1(c.sales));
        EXPECT_EQ(shown(110), model->text(463)) << c.name;
        EXPECT_EQ(shown(113), QString::fromLatin1(c.tax)) << c.name;
        EXPECT_EQ(model->currentRate, QString::fromLatin1(c.rate)) << c.name;
        EXPECT_TRUE(model->box(113).locked) << c.name;
    }
}

TEST_F(CalculationTest, AnExclusivePairAsksWhenTheTypedBoxIsLeft) {
    model->clickOption(u"OptPlan"_s, 2);
    type(417, u"300"_s);
    const QString question =
        u"Las casillas 416 y 417 son excluyentes.\n¿Desea registrar información en la casilla 416?."_s;
    prompter->expectQuestion(question, app::Button::No, app::Icon::Question);
    type(416, u"500"_s);
    expectShown({{416, ""}, {417, "(300)"}, {425, "(300)"}});

    prompter->expectQuestion(question, app::Button::Yes, app::Icon::Question);
    type(416, u"500"_s);
    expectShown({{416, "500"}, {417, ""}, {425, "500"}});
}

TEST_F(CalculationTest, TheMypeRegimeWarnsAbove1700Uit) {
    // 1700 UIT of 2018 = 7,055,000.
    type(461, u"7055000"_s);
    model->clickOption(u"OpRegRenta"_s, 2); // exactly the limit: no warning
    model->clickOption(u"OpRegRenta"_s, 1);
    type(461, u"7055001"_s);
    prompter->expectMessage(u"Sus ingresos superan las 1700 UIT, usted debe declarar en el Régimen General."_s,
                            app::Icon::Critical);
    model->clickOption(u"OpRegRenta"_s, 2);
    EXPECT_EQ(model->option(u"OpRegRenta"_s), 2); // the choice stays as made
}

TEST_F(CalculationTest, TheBalanceSheetTotalsEmptyWhenNothingIsTyped) {
    model->clickOption(u"OptPlan"_s, 2);
    type(359, u"1000"_s);
    type(376, u"200"_s);
    expectShown({{376, "(200)"}, {390, "800"}});
    type(359, QString());
    type(376, QString());
    EXPECT_EQ(shown(390), QString());
}

TEST_F(CalculationTest, HelpTextsOfComputedCasillas) {
    type(461, u"1000"_s);
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
        type(461, u"200000"_s);
        EXPECT_EQ(shown(113), u"0"_s);
        EXPECT_TRUE(model->box(113).locked);
        EXPECT_EQ(shown(686), QString::fromLatin1(coefficient));
        EXPECT_EQ(shown(610), u"1.5"_s);
        model->clickOption(QString::fromLatin1(question), 0);
    }
}

// The ITF column's own payments, compensations and interest bring its balance up to date as
// they are typed, as the income tax's column does.
TEST_F(CalculationTest, TheItfBalanceFollowsItsPaymentsAndCompensations) {
    for (const int n : {155, 156, 163, 164, 143}) {
        model->Habcasilla(n);
    }
    type(155, u"1000000"_s); // 565 = 85
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
    // The kept 151, 114 and 500.
    const auto kept = [this] {
        return QStringList{model->keptCasillas.value(151), model->keptCasillas.value(114),
                           model->keptCasillas.value(500)}
            .join(u'|');
    };
    test::registerTaxpayer(db(), u"20100070970"_s, u"EMPRESA S.A."_s, u"CONTADOR"_s);
    load(u"20100070970"_s);
    type(461, u"100000"_s);                // tax 29,500
    EXPECT_EQ(kept(), u"100000||29500"_s); // an original declaration: all of 113

    for (const auto& [correl, tax] : {std::pair{"CORREL=1", "20000"}, std::pair{"CORREL=2", "25,000"}}) {
        qel::declaration::testing::storeCasilla(db(), model->key(), u"113"_s, QString::fromLatin1(tax), u"HDET"_s,
                                                qel::declaration::testing::fields(correl));
    }
    model->clickOption(u"OptRectifica"_s, 1);
    EXPECT_EQ(kept(), u"100000|25000|4500"_s); // the latest version sent

    type(461, u"50000"_s); // tax 14,750: below the rectified one
    EXPECT_EQ(kept(), u"50000|25000|0"_s);

    model->clickOption(u"OptRectifica"_s, 0);
    EXPECT_EQ(kept(), u"50000||14750"_s);
}
