#include "AnnexFixture.h"
#include "annexes/DetailedLines.h"
#include "annexes/checks/AssistantListChecks.h"
#include "annexes/checks/NonDomiciledChecks.h"
#include "annexes/checks/VehicleChecks.h"
#include "declaration/model/WorkingCasillas.h"

using namespace Qt::StringLiterals;

namespace qel::annexes {
namespace {

using testing::requested;

using app::Icon;

const QString kAboveMaximum = u"La cantidad ingresada supera el máximo permitido."_s;

class AssistantListsTest : public testing::AnnexFixture {
protected:
    // Saves a row through a detail window opened with `code`; a non-empty `refusal` must refuse it.
    bool saveRow(const QString& window, const std::string& pairs, const QString& refusal = {},
                 const QString& code = {}) {
        add(window, code);
        fill(pairs.c_str());
        return save(refusal);
    }
    bool adjustment(const char* kindAndAmount, const char* casilla = "103", const QString& refusal = {}) {
        return saveRow(u"frmAdicDeducOtros"_s,
                       "des_concepto=GASTOS SIN SUSTENTO; mto_base_cont=0; mto_base_trib=0; " +
                           std::string(kindAndAmount),
                       refusal, QString::fromLatin1(casilla));
    }
};

// What each detail window behind the new lists refuses, and that a right row is written.
TEST_F(AssistantListsTest, DetailWindowsRefuseWhatTheirChecksRefuse) {
    const std::string investment = "des_emp_ext=ANDES HOLDING LTD; cod_pais=9249; cod_vinc=1; tipo_oper=1; ";
    const auto withheld = [](const char* service, const char* rate) {
        return "Cod_denom=" + std::string(service) + "; mto_gasto_costo=50000; mto_base=50000; mto_tasa=" + rate +
               "; mto_retenc=15000";
    };
    const std::string adjust = "des_concepto=GASTOS SIN SUSTENTO; mto_base_cont=0; mto_base_trib=0; ";
    const std::string trust = "tip_doc_fideicomitente=06; nro_doc_fideicomitente=20100047218; "
                              "des_fideicomitente=INMOBILIARIA SUR SAC; tip_doc_fiduciaria=06; "
                              "nro_doc_fiduciaria=20100130204; tip_doc_fideicomisario=01; "
                              "nro_doc_fideicomisario=40123456; des_fideicomisario=QUISPE MAMANI LUIS; "
                              "tip_patrimonio=3; mto_saldo=250000; des_fiduciaria=";
    struct Case {
        const char* window;
        std::string values;
        QString refusal; // empty: saved
        const char* code = "";
    };
    const Case cases[] = {
        {"frmAdicDeducOtros", adjust + "ind_tipo=; MTO_ADIC_DEDUC=1200", AdjustmentChecks::kKindMissing, "103"},
        {"frmAdicDeducOtros", adjust + "ind_tipo=P; MTO_ADIC_DEDUC=0", u"El importe debe ser mayor a 0."_s, "103"},
        {"frmInverExtranjeroDet", investment + "mto_porc=0; mto_saldo=1000", u"El porcentaje debe ser mayor a 0."_s},
        {"frmInverExtranjeroDet", investment + "mto_porc=100.01; mto_saldo=1000", kAboveMaximum},
        {"frmInverExtranjeroDet", investment + "mto_porc=100; mto_saldo=0", u"El saldo debe ser mayor a 0."_s},
        {"frmInverExtranjeroDet", investment + "mto_porc=100; mto_saldo=1000", {}},
        {"frmGastosNoDomDet", withheld("01", "0.99"), WithheldExpenseChecks::kRateOutside},
        {"frmGastosNoDomDet", withheld("01", "100.01"), kAboveMaximum},
        {"frmGastosNoDomDet", withheld("01", "1"), {}},
        {"frmGastosNoDomDet", withheld("01", "100"), u"Ya se registró el servicio."_s},
        {"frmGastosNoDomDet", withheld("02", "100"), {}},
        {"frmFideicomisoDet", trust, u"Registre el nombre o razón social del fiduciario."_s},
        {"frmFideicomisoDet", trust + "FIDUCIARIA DEL PERU SA", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values);
        const QString table = AnnexCatalog::instance().window(QString::fromLatin1(c.window))->table;
        const int before = rows(table);
        EXPECT_EQ(saveRow(QString::fromLatin1(c.window), c.values, c.refusal, QString::fromLatin1(c.code)),
                  c.refusal.isEmpty());
        EXPECT_EQ(rows(table), before + (c.refusal.isEmpty() ? 1 : 0));
    }
}

// The other lines of 103 are the itemised rows by kind; the total follows them.
TEST_F(AssistantListsTest, ItemisedAdjustmentsFillTheOtherLinesBeforeTheTotal) {
    ASSERT_TRUE(adjustment("ind_tipo=P; MTO_ADIC_DEDUC=1000"));
    ASSERT_TRUE(adjustment("ind_tipo=P; MTO_ADIC_DEDUC=250"));
    ASSERT_TRUE(adjustment("ind_tipo=T; MTO_ADIC_DEDUC=500"));
    ASSERT_TRUE(adjustment("ind_tipo=P; MTO_ADIC_DEDUC=70", "105"));
    CasillaAssistantModel additions = assistant(u"frmAnexo103"_s, 103);
    EXPECT_EQ(additions.text(545), u"1250"_s);
    EXPECT_EQ(additions.text(749), u"500"_s);
    EXPECT_FALSE(additions.setText(545, u"9"_s));
    ASSERT_TRUE(additions.setText(520, u"100"_s));
    EXPECT_EQ(additions.text(590), u"1850"_s);
    CasillaAssistantModel deductions = assistant(u"frmAnexo105"_s, 105);
    EXPECT_EQ(deductions.text(559), u"70"_s);
    EXPECT_EQ(deductions.text(752), u"0"_s); // once itemised, both lines come from the rows

    // A line's detail button opens its window and takes its value.
    additions.setOpener(&opener);
    opener.answers.insert(u"frmExesoRem"_s, u"4000"_s);
    EXPECT_FALSE(additions.openDetail(520)); // a line without a detail window
    ASSERT_TRUE(additions.openDetail(522));
    EXPECT_EQ(requested(opener), "frmExesoRem code=522 casilla=522");
    EXPECT_EQ(additions.text(522), u"4000"_s);
    EXPECT_EQ(additions.text(590), u"5850"_s);
    ASSERT_TRUE(additions.openDetail(749));
    EXPECT_EQ(requested(opener), "frmExesoRem code=522 casilla=522; frmAdicDeduc code=103 casilla=103");
}

// The excess over the limit: 0.5 % of the income up to 40 UIT for recreation, 6 % for the board.
TEST_F(AssistantListsTest, ExpenseExcessByItsLimit) {
    struct Case {
        int casilla;
        const char* monthlyIncome;
        const char* monthlyExpense;
        const char* limit;
        const char* excess;
    };
    // The UIT of 2018 is 4,150: 40 UIT = 166,000.
    for (const Case& c : {Case{522, "100000", "1000", "6000", "6000"}, Case{522, "100000", "400", "6000", "0"},
                          Case{522, "5000000", "20000", "166000", "74000"}, Case{523, "100000", "1000", "72000", "0"},
                          Case{523, "10000", "1000", "7200", "4800"}}) {
        SCOPED_TRACE(c.casilla);
        CasillaAssistantModel excess = assistant(u"frmExesoRem"_s, c.casilla);
        for (int month = 1; month <= 12; ++month) {
            ASSERT_TRUE(excess.setText(2000 + month, QString::fromLatin1(c.monthlyIncome)));
            ASSERT_TRUE(excess.setText(1000 + month, QString::fromLatin1(c.monthlyExpense)));
        }
        EXPECT_EQ(excess.text(ExpenseExcess::kLimit), QString::fromLatin1(c.limit));
        EXPECT_EQ(excess.text(c.casilla), QString::fromLatin1(c.excess));
    }
}

// Every month's income is needed; what was typed shows again when the window opens.
TEST_F(AssistantListsTest, ExpenseExcessNeedsEveryMonthsIncomeAndKeepsItsRows) {
    CasillaAssistantModel excess = assistant(u"frmExesoRem"_s, 522);
    for (int month = 1; month <= 11; ++month) {
        ASSERT_TRUE(excess.setText(2000 + month, u"100000"_s));
    }
    ASSERT_TRUE(excess.setText(1003, u"9000"_s));
    prompter->expectMessage(MonthlyIncomeCheck::kMissing, Icon::Exclamation);
    EXPECT_FALSE(excess.save());
    ASSERT_TRUE(excess.setText(2012, u"0"_s));
    ASSERT_TRUE(excess.save());
    EXPECT_EQ(excess.result(), u"3500"_s); // 9,000 - 0.5 % of 1,100,000
    CasillaAssistantModel reopened = assistant(u"frmExesoRem"_s, 522);
    EXPECT_EQ(reopened.text(2012), u"0"_s);
    EXPECT_EQ(reopened.text(1003), u"9000"_s);
}

// A concession's other income opens the list of casilla 476 once the concession is typed; its
// rows fill the third-party lines of 476.
TEST_F(AssistantListsTest, AConcessionsOtherIncomeFillsTheLinesOf476) {
    add(u"frmDetalleMineras"_s);
    fill("nro_anexo=2");
    prompter->expectMessage(u"Para ingresar a registrar los Otros Ingresos debe primero ingresar el Número de "
                            "Concesión o U.E.A."_s,
                            Icon::Exclamation);
    model->click(AnnexDetailModel::commandOf(u"frmMinOtros"_s));
    EXPECT_TRUE(opener.requests.isEmpty());
    fill("nro_concesion=01123");
    model->click(AnnexDetailModel::commandOf(u"frmMinOtros"_s));
    EXPECT_EQ(requested(opener), "frmMinOtros code=476");

    ASSERT_TRUE(saveRow(u"frmMinOtrosDet"_s, "des_concepto=VENTA DE CHATARRA; mto_peru=3200; mto_extranjero=800", {},
                        u"476"_s));
    CasillaAssistantModel other = assistant(u"frmpergan2015"_s, 476);
    for (const auto& [casilla, value] : {std::pair{769, "3200"}, {770, "800"}, {674, "3200"}, {675, "800"}}) {
        EXPECT_EQ(other.text(casilla), QString::fromLatin1(value)) << casilla;
    }
}

// The vehicles detailed may not exceed those owned, nor those identified the number the income
// level allows once it is known. Modifying a vehicle already counted is not adding one.
TEST_F(AssistantListsTest, VehicleDetailLimits) {
    struct Case {
        const char* name;
        QMap<int, QString> casillas; // 705 owned, 710 the most that may deduct
        const char* identified;
        int accepted; // of three vehicles
        QString refusal;
    };
    const Case cases[] = {
        {"no numbers yet", {}, "1", 3, {}},
        {"two owned", {{705, u"2"_s}}, "0", 2, VehicleChecks::kMoreThanOwned},
        {"one may deduct", {{705, u"5"_s}, {710, u"1"_s}}, "1", 1, VehicleChecks::kIncomeLevel},
        {"one may deduct, none identified", {{705, u"5"_s}, {710, u"1"_s}}, "0", 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clear(u"TMPF584VEHIC"_s);
        clear(u"TMPF584DET"_s);
        declaration::WorkingCasillas::store(db(), key(), c.casillas);
        for (int i = 0; i < 3; ++i) {
            const bool refused = i >= c.accepted;
            EXPECT_EQ(saveRow(u"frmDetVehiculos"_s,
                              "cod_categ=A2; des_placa=ABC10" + std::to_string(i) +
                                  "; mto_adq=50000; Fec_Ing=01/02/2017; cod_condicion=1; cod_actividad=1; "
                                  "mto_gasto=3000; ind_ded_gasto=" +
                                  c.identified + "; ind_sustitucion=0",
                              refused ? c.refusal : QString()),
                      !refused);
        }
        EXPECT_EQ(rows(u"TMPF584VEHIC"_s), c.accepted);
    }
    open(u"frmDetVehiculos"_s, app::FormRequest::kModify, {u"A2"_s, u"ABC100"_s});
    fill("mto_gasto=3500");
    EXPECT_TRUE(save());
}

// The provider's expense detailed by month: only once the provider is saved; the total comes
// back as the expense, and the months are the provider's own rows.
TEST_F(AssistantListsTest, MonthlyDetailOfASavedProvider) {
    add(u"frmNoDomic"_s);
    fill("tipo_doc=07; nro_doc=AB123456; tip_renta=02; des_razon=TECH CONSULTING LLC; cod_pais=9249; "
         "mto_gasto=20000; mto_tasa=30; mto_no_retencion=0; retencion=1; mto_ret=6000");
    prompter->expectMessage(NonDomiciledChecks::kSaveFirst, Icon::Exclamation);
    model->click(AnnexDetailModel::commandOf(NonDomiciledChecks::kDetail));
    EXPECT_TRUE(opener.requests.isEmpty());
    ASSERT_TRUE(save());

    open(u"frmNoDomic"_s, app::FormRequest::kModify, {u"7"_s, u"AB123456"_s, u"02"_s});
    opener.answers.insert(NonDomiciledChecks::kDetail, u"24000"_s);
    model->click(AnnexDetailModel::commandOf(NonDomiciledChecks::kDetail));
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).keyValues.mid(1), QStringList({"AB123456", "02"}));
    EXPECT_EQ(model->value(u"txtGasto"_s), u"24000"_s);

    const AssistantDef* def = AssistantCatalog::instance().find(NonDomiciledChecks::kDetail, 0);
    ASSERT_NE(def, nullptr);
    CasillaAssistantModel months(db(), *prompter, *def, key(), 0, false, opener.requests.at(0).keyValues);
    ASSERT_TRUE(months.setText(1001, u"14000"_s));
    ASSERT_TRUE(months.setText(1006, u"10000"_s));
    ASSERT_TRUE(months.save());
    EXPECT_EQ(months.result(), u"24000"_s);
    EXPECT_EQ(column(u"TMPF4170DET"_s, u"CASILLA"_s), u"01,06"_s);
    CasillaAssistantModel other(db(), *prompter, *def, key(), 0, false, {u"7"_s, u"ZZ999"_s, u"02"_s});
    EXPECT_TRUE(other.text(1001).isEmpty());
}

} // namespace
} // namespace qel::annexes
