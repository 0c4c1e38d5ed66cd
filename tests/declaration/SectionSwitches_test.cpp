#include "FormFixture.h"

#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using app::Button;
using app::Icon;

const QString kRuc = QStringLiteral("20100070970");
const QString kOtherRuc = QStringLiteral("20100113610");

class SectionSwitchesTest : public testing::FormFixture {
protected:
    void SetUp() override {
        for (const QString& ruc : {kRuc, kOtherRuc}) {
            test::registerTaxpayer(db(), ruc, QStringLiteral("D'ONOFRIO S.A."));
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

    void addRow(const QString& table, const QVariantMap& values = {}, const QString& ruc = kRuc) {
        test::insertRow(db(), table, test::demoKey(ruc), values);
    }
    int rows(const QString& table, const QString& ruc = kRuc) {
        return test::rowCount(db(), table, test::demoKey(ruc));
    }
    QStringList assistantTypes() {
        return testing::firstColumn(db(), QStringLiteral("SELECT TIPO_ASIST FROM TMPACTA ORDER BY TIPO_ASIST"));
    }
    void typeInto(int casilla, const QString& digits) { testing::typeKeys(*model, casilla, digits); }
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
        QString message;
        for (const DeleteOnNoSection& section : SectionSwitches::deleteOnNoSections()) {
            message = section.option == option ? section.message : message;
        }
        db().run(QStringLiteral("DELETE FROM ") + table).finish();

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
            prompter->expectQuestion(message, answer, Icon::Question);
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
    form.clickOption(QStringLiteral("optAutos"), 1);
    addRow(QStringLiteral("TMPF584VEHIC"), testing::fields("des_placa=ABC-123"));
    for (const char* casilla : {"CASILLA=705", "CASILLA=716", "CASILLA=600"}) {
        addRow(QStringLiteral("TMPF584DET"), testing::fields(casilla));
    }
    for (const char* base : {"CAS_ADI=706; CAS_DET=716; tipo=V", "CAS_ADI=706; CAS_DET=716; tipo=R"}) {
        addRow(QStringLiteral("TMPF572DETBAS"), testing::fields(base));
    }
    form.setText(876, QStringLiteral("250,000"));
    form.setText(701, QStringLiteral("1"));

    prompter->expectQuestion(QStringLiteral("Usted tiene registrado detalle de Vehiculos. Si selecciona NO se "
                                            "eliminarán los registros. ¿Desea continuar?"),
                             Button::Yes, Icon::Question);
    form.clickOption(QStringLiteral("optAutos"), 0);

    EXPECT_EQ(rows(QStringLiteral("TMPF584VEHIC")), 0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT group_concat(CASILLA) FROM TMPF584DET")).toString(),
              QStringLiteral("600"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT group_concat(tipo) FROM TMPF572DETBAS")).toString(),
              QStringLiteral("R"));
    EXPECT_TRUE(form.text(876).isEmpty());
    EXPECT_FALSE(form.box(876).enabled);
    EXPECT_TRUE(form.text(701).isEmpty());
}

// The ITAN assistant rows go by their type: 7 the ITAN used as credit, 9 the ITAN payments.
TEST_F(SectionSwitchesTest, ItanAnswersDeleteTheirAssistantRowsByType) {
    DeclarationFormModel& form = open();
    const auto fill = [this] {
        db().run(QStringLiteral("DELETE FROM TMPACTA")).finish();
        for (const char* type : {"TIPO_ASIST=4", "TIPO_ASIST=7", "TIPO_ASIST=8", "TIPO_ASIST=9"}) {
            QVariantMap row = testing::fields(type);
            row.insert(QStringLiteral("PER_PAG"), QStringLiteral("01"));
            addRow(QStringLiteral("TMPACTA"), row);
        }
    };

    fill();
    form.clickOption(QStringLiteral("OptItan"), 1);
    form.clickOption(QStringLiteral("OptItanAnexo"), 1);
    EXPECT_TRUE(form.box(279).enabled);
    form.clickOption(QStringLiteral("OptItanAnexo"), 0);
    EXPECT_EQ(assistantTypes(), QStringList({"4", "7", "8"}));
    EXPECT_FALSE(form.box(279).enabled);

    fill();
    form.clickCheck(QStringLiteral("chkItanPagos"), 0); // used as an expense
    form.clickOption(QStringLiteral("OptItanAnexo"), 1);
    form.clickOption(QStringLiteral("OptItanAnexo"), 0);
    EXPECT_EQ(assistantTypes(), QStringList({"4", "8"}));

    fill();
    form.clickCheck(QStringLiteral("chkItanPagos"), 1);
    EXPECT_TRUE(form.box(126).enabled);
    form.clickCheck(QStringLiteral("chkItanPagos"), 1);
    EXPECT_EQ(assistantTypes(), QStringList({"4", "8", "9"}));
    EXPECT_FALSE(form.box(126).enabled);

    fill();
    form.clickOption(QStringLiteral("OptItan"), 0);
    EXPECT_EQ(assistantTypes(), QStringList({"4", "8"}));
    EXPECT_FALSE(form.control(QStringLiteral("OptItanAnexo")).enabled);
    EXPECT_FALSE(form.box(131).enabled);
}

TEST_F(SectionSwitchesTest, DonationsNoDeletesWithoutAsking) {
    DeclarationFormModel& form = open();
    form.clickOption(QStringLiteral("OptDonaciones"), 1);
    addRow(QStringLiteral("TMPF586DONAC"), testing::fields("mto_donacion=5000"));
    form.setText(227, QStringLiteral("(5,000)"));

    form.clickOption(QStringLiteral("OptDonaciones"), 0);

    EXPECT_EQ(rows(QStringLiteral("TMPF586DONAC")), 0);
    EXPECT_TRUE(form.text(227).isEmpty());
    EXPECT_FALSE(form.box(227).enabled);
}

TEST_F(SectionSwitchesTest, ExemptionFixesTheTaxAtZeroUntilAnsweredNo) {
    DeclarationFormModel& form = open();
    typeInto(461, QStringLiteral("100000"));
    ASSERT_EQ(form.text(113), QStringLiteral("29,500"));

    form.clickOption(QStringLiteral("OptTipoCont"), 1);
    EXPECT_EQ(form.text(113), QStringLiteral("0"));
    EXPECT_TRUE(form.box(113).locked);
    EXPECT_TRUE(form.control(QStringLiteral("cboBaseLegalExonera")).enabled);

    form.clickOption(QStringLiteral("OptTipoCont"), 0);
    EXPECT_EQ(form.text(113), QStringLiteral("29,500"));
    EXPECT_FALSE(form.control(QStringLiteral("cboBaseLegalExonera")).enabled);
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
        form.setText(c.box, QStringLiteral("LEY 123"));
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
    const QStringList questions = {QStringLiteral("OptTipoCont"), QStringLiteral("OptConvEstab"),
                                   QStringLiteral("OptBeneficiosTrib"), QStringLiteral("OptInafectacion"),
                                   QStringLiteral("OptReorganizacion")};
    for (const QString& question : questions) {
        form.clickOption(question, 1);
    }
    form.clickOption(QStringLiteral("OptContMonExt"), 0);
    addRow(QStringLiteral("TMPF535DETVAR"), testing::fields("CASILLA=278"));
    addRow(QStringLiteral("TMPF535DETVAR"), testing::fields("CASILLA=150"));

    form.clickOption(QStringLiteral("OptDomiciliado"), 0);

    for (const QString& question : questions) {
        EXPECT_EQ(form.option(question), 0) << question.toStdString();
        EXPECT_FALSE(form.control(question).enabled) << question.toStdString();
    }
    EXPECT_EQ(form.option(QStringLiteral("OptContMonExt")), -1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT group_concat(CASILLA) FROM TMPF535DETVAR")).toString(),
              QStringLiteral("150"));
    EXPECT_FALSE(form.box(224).enabled);
    // The tax of a non-domiciled taxpayer is typed.
    EXPECT_TRUE(form.box(113).enabled);
    EXPECT_FALSE(form.box(113).locked);

    form.clickOption(QStringLiteral("OptDomiciliado"), 1);
    for (const QString& question : questions) {
        EXPECT_TRUE(form.control(question).enabled) << question.toStdString();
    }
}

TEST_F(SectionSwitchesTest, AmazoniaActivitiesOpenTheDomicileAndItsZone) {
    DeclarationFormModel& form = open();
    EXPECT_FALSE(form.control(QStringLiteral("OptDomFiscal")).enabled);
    form.clickOption(QStringLiteral("OptUbicAmazonia"), 1);
    form.clickOption(QStringLiteral("OptLeyAmazonia"), 1);
    EXPECT_EQ(form.option(QStringLiteral("OptUbicAmazonia")), 0);
    ASSERT_TRUE(form.clickOption(QStringLiteral("OptDomFiscal"), 1));
    EXPECT_TRUE(form.control(QStringLiteral("CmdZona1")).enabled);
    form.clickOption(QStringLiteral("OptZona"), 0);
    form.setControlText(QStringLiteral("TxtOfReg"), QStringLiteral("LIMA"));

    form.clickOption(QStringLiteral("OptLeyAmazonia"), 0);

    EXPECT_EQ(form.option(QStringLiteral("OptDomFiscal")), -1);
    EXPECT_FALSE(form.control(QStringLiteral("OptDomFiscal")).enabled);
    EXPECT_EQ(form.option(QStringLiteral("OptZona")), -1);
    EXPECT_TRUE(form.controlText(QStringLiteral("TxtOfReg")).isEmpty());
    EXPECT_FALSE(form.control(QStringLiteral("CmdZona1")).enabled);
}

TEST_F(SectionSwitchesTest, RectificationRemindsAndOpensItsCasillas) {
    DeclarationFormModel& form = open();
    prompter->expectMessage(QStringLiteral("Recuerde que debe consignar información en todas las casillas, inclusive "
                                           "aquellas que no está rectificando.\nEn caso se determine un mayor "
                                           "porcentaje o coeficiente para los pagos a cuenta mensuales, de ser el caso "
                                           "deberá regularizar el pago."),
                            Icon::Exclamation);
    form.clickOption(QStringLiteral("OptRectifica"), 1);
    for (const int n : {141, 144, 145}) {
        EXPECT_TRUE(form.box(n).enabled) << n;
    }
    form.setText(141, QStringLiteral("(100)"));
    form.clickOption(QStringLiteral("OptRectifica"), 0);
    EXPECT_FALSE(form.box(141).enabled);
    EXPECT_TRUE(form.text(141).isEmpty());

    prompter->expectMessage(QStringLiteral("Usted está optando por el sistema de arrastre B"), Icon::Information);
    form.clickOption(QStringLiteral("OptArrastre2005"), 1);
}

TEST_F(SectionSwitchesTest, ItfQuestionOpensItsPageAndNoEmptiesIt) {
    DeclarationFormModel& form = open();
    form.clickOption(QStringLiteral("OptITF"), 1);
    ASSERT_TRUE(form.box(155).enabled);
    typeInto(155, QStringLiteral("1000000"));
    ASSERT_EQ(form.text(160), QStringLiteral("85"));

    form.clickOption(QStringLiteral("OptITF"), 0);
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
    test::insertRow(db(), QStringLiteral("CAB"), key, testing::fields("SEMANA=0; ESTADO=0"));
    for (const auto& [casilla, value] :
         {std::pair{"829", "1"}, {"874", "0"}, {"819", "0"}, {"227", "5000"}, {"805", "1"}, {"804", "1"}}) {
        testing::storeCasilla(db(), key, QString::fromLatin1(casilla), QString::fromLatin1(value));
    }
    test::insertRow(db(), QStringLiteral("F582ALQUILER"), key, testing::fields("nro_doc=10"));
    test::insertRow(db(), QStringLiteral("F535MERMAS"), key, testing::fields("num_documento=1"));

    DeclarationFormModel& form = open(DeclarationFormModel::Mode::Modify, kRuc);

    EXPECT_TRUE(buttonsOn(QStringLiteral("cmdAlquileres")));
    EXPECT_FALSE(buttonsOn(QStringLiteral("cmdMermas")));
    EXPECT_EQ(rows(QStringLiteral("TMPF535MERMAS")), 1);
    EXPECT_FALSE(form.box(227).enabled);
    EXPECT_EQ(form.text(227), QStringLiteral("(5,000)"));
    EXPECT_TRUE(form.box(141).enabled);
    EXPECT_TRUE(form.box(224).enabled);
    EXPECT_TRUE(form.control(QStringLiteral("OptContMonExt")).enabled);
    // Under a stability agreement the tax is typed.
    EXPECT_FALSE(form.box(113).locked);
}

} // namespace
} // namespace qel::declaration
