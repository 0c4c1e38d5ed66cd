#include "FormFixture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

using app::Button;
using app::Icon;

const QString kRuc = u"20100070970"_s;
const QString kOtherRuc = u"20100113610"_s;

class SectionSwitchesTest : public testing::FormFixture {
protected:
    void SetUp() override {
        for (const QString& ruc : {kRuc, kOtherRuc}) {
            test::registerTaxpayer(db(), ruc, u"D'ONOFRIO S.A."_s);
        }
    }

    // The form as the session builds it: the rules hook in before the loader.
    DeclarationFormModel& open(DeclarationFormModel::Mode mode = DeclarationFormModel::Mode::New,
                               const QString& ruc = {}) {
        makeModel();
        model->mode = mode;
        model->openRuc = ruc;
        attachCalculation();
        return load(mode == DeclarationFormModel::Mode::New ? kRuc : QString());
    }

    QStringList assistantTypes() {
        return testing::firstColumn(db(), u"SELECT TIPO_ASIST FROM TMPACTA ORDER BY TIPO_ASIST"_s);
    }
    void typeInto(int casilla, const QString& digits) { testing::typeKeys(*model, casilla, digits); }
    // What the question asks before its "No" deletes the section's rows.
    static QString question(const QString& option) {
        const auto& sections = SectionSwitches::deleteOnNoSections();
        const auto section =
            std::find_if(sections.begin(), sections.end(), [&](const auto& s) { return s.option == option; });
        return section == sections.end() ? QString() : section->message;
    }
    bool buttonsOn(const QString& array) {
        const ControlState& state = model->control(array);
        return state.enabled && state.memberEnabled.value(0) && state.memberEnabled.value(2);
    }
};

// Every question whose "No" deletes the section's rows: nothing asked without rows, "No" to
// the question keeps everything and "Si", "Yes" deletes exactly the section's rows of this
// declaration.
TEST_F(SectionSwitchesTest, NoOnASectionDeletesItsRowsOnlyAfterYes) {
    struct Case {
        const char* option;
        const char* table;
        const char* array;
        const char* values = "";
        const char* otherGrid = nullptr; // rows of the same table that another question keeps
    };
    const QList<Case> cases = {
        {"OptAlquileres", "TMPF582ALQUILER", "cmdAlquileres"},
        {"optAutos", "TMPF584VEHIC", "cmdVehiculos"},
        {"OptColab", "TMPF582COLCAB", "cmdColabEmp"},
        {"OptDesmedros", "TMPF535DESMEDROS", "cmdDesmedros"},
        {"optDesuso", "TMPF542DESUSO", "cmdDistribucion"},
        {"OptMermas", "TMPF535MERMAS", "cmdMermas"},
        {"OptOperAdminFin", "TMPF542OPERFIN", "cmdAdministradorOper", "ind_tipo_oper=2", "ind_tipo_oper=1"},
        {"OptOperFinAdmin", "TMPF542OPERFIN", "cmdOperAdminis", "ind_tipo_oper=1", "ind_tipo_oper=2"},
        {"OptPerdidaExtraord", "TMPF535PEREXTRA", "cmdPerdidasExtraord"},
        {"OptRegalias", "TMPF535REGALIAS", "cmdRegalias"},
        {"optRentasInternacionales", "TMPF586IDERTA", "cmdInternacional"},
        {"Opttecno", "TMPF584GASINV", "cmdDirecto"},
    };
    DeclarationFormModel& form = open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        const QString option = QString::fromUtf8(c.option);
        const QString table = QString::fromUtf8(c.table);
        const QString array = QString::fromUtf8(c.array);
        db().run(u"DELETE FROM "_s + table).finish();

        ASSERT_TRUE(form.clickOption(option, 1));
        EXPECT_TRUE(buttonsOn(array));
        ASSERT_TRUE(form.clickOption(option, 0)); // no rows: nothing asked
        EXPECT_FALSE(buttonsOn(array));

        form.clickOption(option, 1);
        addRow(table, testing::fields(c.values));
        addRow(table, testing::fields(c.values));
        addRow(table, testing::fields(c.values), kOtherRuc);
        if (c.otherGrid != nullptr) {
            addRow(table, testing::fields(c.otherGrid));
        }
        const int before = rows(table);

        for (const Button answer : {Button::No, Button::Yes}) {
            const bool yes = answer == Button::Yes;
            prompter->expectQuestion(question(option), answer, Icon::Question);
            form.clickOption(option, 0);
            EXPECT_EQ(form.option(option), yes ? 0 : 1);
            EXPECT_EQ(rows(table), yes ? before - 2 : before);
            EXPECT_EQ(buttonsOn(array), !yes);
        }
        EXPECT_EQ(rows(table, kOtherRuc), 1);
    }
    EXPECT_EQ(prompter->pending(), 0);
}

TEST_F(SectionSwitchesTest, VehiclesNoTakesTheirCasillasAndBasesAlong) {
    DeclarationFormModel& form = open();
    form.clickOption(u"optAutos"_s, 1);
    addRow(u"TMPF584VEHIC"_s, testing::fields("des_placa=ABC-123"));
    for (const char* casilla : {"CASILLA=705", "CASILLA=716", "CASILLA=600"}) {
        addRow(u"TMPF584DET"_s, testing::fields(casilla));
    }
    for (const char* base : {"CAS_ADI=706; CAS_DET=716; tipo=V", "CAS_ADI=706; CAS_DET=716; tipo=R"}) {
        addRow(u"TMPF572DETBAS"_s, testing::fields(base));
    }
    form.setText(876, u"250,000"_s);
    form.setText(701, u"1"_s);

    prompter->expectQuestion(question(u"optAutos"_s), Button::Yes, Icon::Question);
    form.clickOption(u"optAutos"_s, 0);

    EXPECT_EQ(rows(u"TMPF584VEHIC"_s), 0);
    EXPECT_EQ(db().scalar(u"SELECT group_concat(CASILLA) FROM TMPF584DET"_s).toString(), u"600"_s);
    EXPECT_EQ(db().scalar(u"SELECT group_concat(tipo) FROM TMPF572DETBAS"_s).toString(), u"R"_s);
    EXPECT_TRUE(form.text(876).isEmpty());
    EXPECT_FALSE(form.box(876).enabled);
    EXPECT_TRUE(form.text(701).isEmpty());
}

// The ITAN assistant rows go by their type: 7 the ITAN used as credit, 9 the ITAN payments.
TEST_F(SectionSwitchesTest, ItanAnswersDeleteTheirAssistantRowsByType) {
    DeclarationFormModel& form = open();
    const auto fill = [this] {
        db().run(u"DELETE FROM TMPACTA"_s).finish();
        for (const char* type : {"4", "7", "8", "9"}) {
            addRow(u"TMPACTA"_s, testing::fields(u"TIPO_ASIST=%1; PER_PAG=01"_s.arg(QString::fromLatin1(type))));
        }
    };

    fill();
    form.clickOption(u"OptItan"_s, 1);
    form.clickOption(u"OptItanAnexo"_s, 1);
    EXPECT_TRUE(form.box(279).enabled);
    form.clickOption(u"OptItanAnexo"_s, 0);
    EXPECT_EQ(assistantTypes(), QStringList({"4", "7", "8"}));
    EXPECT_FALSE(form.box(279).enabled);

    fill();
    form.clickCheck(u"chkItanPagos"_s, 0); // used as an expense
    form.clickOption(u"OptItanAnexo"_s, 1);
    form.clickOption(u"OptItanAnexo"_s, 0);
    EXPECT_EQ(assistantTypes(), QStringList({"4", "8"}));

    fill();
    form.clickCheck(u"chkItanPagos"_s, 1);
    EXPECT_TRUE(form.box(126).enabled);
    form.clickCheck(u"chkItanPagos"_s, 1);
    EXPECT_EQ(assistantTypes(), QStringList({"4", "8", "9"}));
    EXPECT_FALSE(form.box(126).enabled);

    fill();
    form.clickOption(u"OptItan"_s, 0);
    EXPECT_EQ(assistantTypes(), QStringList({"4", "8"}));
    EXPECT_FALSE(form.control(u"OptItanAnexo"_s).enabled);
    EXPECT_FALSE(form.box(131).enabled);
}

TEST_F(SectionSwitchesTest, DonationsNoDeletesWithoutAsking) {
    DeclarationFormModel& form = open();
    form.clickOption(u"OptDonaciones"_s, 1);
    addRow(u"TMPF586DONAC"_s, testing::fields("mto_donacion=5000"));
    form.setText(227, u"(5,000)"_s);

    form.clickOption(u"OptDonaciones"_s, 0);

    EXPECT_EQ(rows(u"TMPF586DONAC"_s), 0);
    EXPECT_TRUE(form.text(227).isEmpty());
    EXPECT_FALSE(form.box(227).enabled);
}

// The tax fixed at zero for the exempt taxpayer (the calculation tests take it further) comes
// back with the answer No.
TEST_F(SectionSwitchesTest, ExemptionFixesTheTaxAtZeroUntilAnsweredNo) {
    DeclarationFormModel& form = open();
    typeInto(461, u"100000"_s);
    form.clickOption(u"OptTipoCont"_s, 1);
    EXPECT_EQ(form.text(113), u"0"_s);
    EXPECT_TRUE(form.control(u"cboBaseLegalExonera"_s).enabled);
    form.clickOption(u"OptTipoCont"_s, 0);
    EXPECT_EQ(form.text(113), u"29,500"_s);
    EXPECT_FALSE(form.control(u"cboBaseLegalExonera"_s).enabled);
}

TEST_F(SectionSwitchesTest, OtherSpecifyOpensOnlyForTheOtherEntryOfEachList) {
    struct Case {
        const char* question;
        const char* list;
        int box;
        const char* other;
    };
    DeclarationFormModel& form = open();
    for (const Case& c : {Case{"OptBeneficiosTrib", "cboBeneficiosTrib", 201, "9"},
                          Case{"OptTipoCont", "cboBaseLegalExonera", 216, "5"},
                          Case{"OptInafectacion", "cboBaseLegalInafecta", 222, "6"}}) {
        SCOPED_TRACE(c.list);
        const QString list = QString::fromUtf8(c.list);
        form.clickOption(QString::fromUtf8(c.question), 1);
        ASSERT_TRUE(form.chooseCombo(list, QString::fromUtf8(c.other)));
        EXPECT_TRUE(form.box(c.box).enabled);
        form.setText(c.box, u"LEY 123"_s);
        QString another;
        for (const ComboItem& item : form.control(list).items) {
            another = item.code != QString::fromUtf8(c.other) ? item.code : another;
        }
        form.chooseCombo(list, another);
        EXPECT_FALSE(form.box(c.box).enabled);
        EXPECT_TRUE(form.text(c.box).isEmpty());
        form.clickOption(QString::fromUtf8(c.question), 0);
    }
}

TEST_F(SectionSwitchesTest, NonDomiciledAnswersNoToTheBenefitQuestions) {
    DeclarationFormModel& form = open();
    const QStringList questions = {u"OptTipoCont"_s, u"OptConvEstab"_s, u"OptBeneficiosTrib"_s, u"OptInafectacion"_s,
                                   u"OptReorganizacion"_s};
    for (const QString& question : questions) {
        form.clickOption(question, 1);
    }
    form.clickOption(u"OptContMonExt"_s, 0);
    addRow(u"TMPF535DETVAR"_s, testing::fields("CASILLA=278"));
    addRow(u"TMPF535DETVAR"_s, testing::fields("CASILLA=150"));

    form.clickOption(u"OptDomiciliado"_s, 0);

    for (const QString& question : questions) {
        EXPECT_EQ(form.option(question), 0) << question.toStdString();
        EXPECT_FALSE(form.control(question).enabled) << question.toStdString();
    }
    EXPECT_EQ(form.option(u"OptContMonExt"_s), -1);
    EXPECT_EQ(db().scalar(u"SELECT group_concat(CASILLA) FROM TMPF535DETVAR"_s).toString(), u"150"_s);
    EXPECT_FALSE(form.box(224).enabled);
    // The tax of a non-domiciled taxpayer is typed.
    EXPECT_TRUE(form.box(113).enabled);
    EXPECT_FALSE(form.box(113).locked);

    form.clickOption(u"OptDomiciliado"_s, 1);
    for (const QString& question : questions) {
        EXPECT_TRUE(form.control(question).enabled) << question.toStdString();
    }
}

TEST_F(SectionSwitchesTest, AmazoniaActivitiesOpenTheDomicileAndItsZone) {
    DeclarationFormModel& form = open();
    EXPECT_FALSE(form.control(u"OptDomFiscal"_s).enabled);
    form.clickOption(u"OptUbicAmazonia"_s, 1);
    form.clickOption(u"OptLeyAmazonia"_s, 1);
    EXPECT_EQ(form.option(u"OptUbicAmazonia"_s), 0);
    ASSERT_TRUE(form.clickOption(u"OptDomFiscal"_s, 1));
    EXPECT_TRUE(form.control(u"CmdZona1"_s).enabled);
    form.clickOption(u"OptZona"_s, 0);
    form.setControlText(u"TxtOfReg"_s, u"LIMA"_s);

    form.clickOption(u"OptLeyAmazonia"_s, 0);

    EXPECT_EQ(form.option(u"OptDomFiscal"_s), -1);
    EXPECT_FALSE(form.control(u"OptDomFiscal"_s).enabled);
    EXPECT_EQ(form.option(u"OptZona"_s), -1);
    EXPECT_TRUE(form.controlText(u"TxtOfReg"_s).isEmpty());
    EXPECT_FALSE(form.control(u"CmdZona1"_s).enabled);
}

TEST_F(SectionSwitchesTest, RectificationRemindsAndOpensItsCasillas) {
    DeclarationFormModel& form = open();
    prompter->expectMessage(SectionSwitches::kRectifyReminder, Icon::Exclamation);
    form.clickOption(u"OptRectifica"_s, 1);
    for (const int n : {141, 144, 145}) {
        EXPECT_TRUE(form.box(n).enabled) << n;
    }
    form.setText(141, u"(100)"_s);
    form.clickOption(u"OptRectifica"_s, 0);
    EXPECT_FALSE(form.box(141).enabled);
    EXPECT_TRUE(form.text(141).isEmpty());

    prompter->expectMessage(u"Usted está optando por el sistema de arrastre B"_s, Icon::Information);
    form.clickOption(u"OptArrastre2005"_s, 1);
}

TEST_F(SectionSwitchesTest, ItfQuestionOpensItsPageAndNoEmptiesIt) {
    DeclarationFormModel& form = open();
    form.clickOption(u"OptITF"_s, 1);
    ASSERT_TRUE(form.box(155).enabled);
    typeInto(155, u"1000000"_s);
    ASSERT_EQ(form.text(160), u"85"_s);

    form.clickOption(u"OptITF"_s, 0);
    for (const int n : {155, 161, 165, 565, 143, 181}) {
        EXPECT_TRUE(form.text(n).isEmpty()) << n;
    }
    EXPECT_FALSE(form.box(155).enabled);
    EXPECT_FALSE(form.box(181).enabled);
}

// A stored declaration brings its sections back as they were answered: nothing is asked,
// deleted or emptied.
TEST_F(SectionSwitchesTest, LoadedAnswersSetTheSectionsWithoutAskingOrDeleting) {
    const store::DeclarationKey key = test::demoKey(kRuc);
    addRow(u"CAB"_s, testing::fields("SEMANA=0; ESTADO=0"));
    for (const auto& [casilla, value] :
         {std::pair{"829", "1"}, {"874", "0"}, {"819", "0"}, {"227", "5000"}, {"805", "1"}, {"804", "1"}}) {
        testing::storeCasilla(db(), key, QString::fromLatin1(casilla), QString::fromLatin1(value));
    }
    addRow(u"F582ALQUILER"_s, testing::fields("nro_doc=10"));
    addRow(u"F535MERMAS"_s, testing::fields("num_documento=1"));

    DeclarationFormModel& form = open(DeclarationFormModel::Mode::Modify, kRuc);

    EXPECT_TRUE(buttonsOn(u"cmdAlquileres"_s));
    EXPECT_FALSE(buttonsOn(u"cmdMermas"_s));
    EXPECT_EQ(rows(u"TMPF535MERMAS"_s), 1);
    EXPECT_FALSE(form.box(227).enabled);
    EXPECT_EQ(form.text(227), u"(5,000)"_s);
    EXPECT_TRUE(form.box(141).enabled);
    EXPECT_TRUE(form.box(224).enabled);
    EXPECT_TRUE(form.control(u"OptContMonExt"_s).enabled);
    // Under a stability agreement the tax is typed.
    EXPECT_FALSE(form.box(113).locked);
}

} // namespace
} // namespace qel::declaration
