#include "AnnexFixture.h"
#include "annexes/AssistantCatalog.h"
#include "annexes/CasillaAssistantModel.h"
#include "annexes/DetailedLines.h"
#include "annexes/checks/AssistantListChecks.h"
#include "annexes/checks/NonDomiciledChecks.h"
#include "annexes/checks/VehicleChecks.h"
#include "declaration/model/WorkingCasillas.h"

namespace qel::annexes {
namespace {

using app::Icon;
using Values = QList<std::pair<QString, QString>>;

QString u(const char* text) {
    return QString::fromUtf8(text);
}

class AssistantListsTest : public testing::AnnexFixture {
protected:
    // Saves a row through a detail window; "" when saved, else the message it was refused with.
    bool save(const QString& window, const Values& values, const QString& refusal, const QString& code = {}) {
        open(window, app::FormRequest::kAdd, {}, code);
        fill(values);
        if (!refusal.isEmpty()) {
            prompter->expectMessage(refusal, Icon::Critical, QString());
        }
        return model->grabar();
    }
    CasillaAssistantModel assistant(const QString& window, int casilla) {
        return CasillaAssistantModel(db(), *prompter, *AssistantCatalog::instance().find(window, casilla), key(),
                                     casilla);
    }
    void working(const QMap<int, QString>& values) { declaration::WorkingCasillas::store(db(), key(), values); }
};

Values adjustment(const char* kind, const char* amount) {
    return {{u("des_concepto"), u("GASTOS SIN SUSTENTO")},
            {u("ind_tipo"), u(kind)},
            {u("mto_base_cont"), u("0")},
            {u("mto_base_trib"), u("0")},
            {u("MTO_ADIC_DEDUC"), u(amount)}};
}

Values investment(const char* share, const char* balance) {
    return {{u("des_emp_ext"), u("ANDES HOLDING LTD")},
            {u("cod_pais"), u("9249")},
            {u("cod_vinc"), u("1")},
            {u("tipo_oper"), u("1")},
            {u("mto_porc"), u(share)},
            {u("mto_saldo"), u(balance)}};
}

Values withheld(const char* service, const char* rate) {
    return {{u("Cod_denom"), u(service)},
            {u("mto_gasto_costo"), u("50000")},
            {u("mto_base"), u("50000")},
            {u("mto_tasa"), u(rate)},
            {u("mto_retenc"), u("15000")}};
}

// What each detail window behind the new lists refuses, and that a right row is written.
TEST_F(AssistantListsTest, DetailWindowsRefuseWhatTheirChecksRefuse) {
    struct Case {
        const char* window;
        Values values;
        QString refusal; // empty: saved
        const char* code = "";
    };
    const QList<Case> cases = {
        {"frmAdicDeducOtros", adjustment("", "1200"), AdjustmentChecks::kKindMissing, "103"},
        {"frmAdicDeducOtros", adjustment("P", "0"), u("El importe debe ser mayor a 0."), "103"},
        {"frmAdicDeducOtros", adjustment("T", "1200"), {}, "103"},
        {"frmInverExtranjeroDet", investment("0", "1000"), u("El porcentaje debe ser mayor a 0.")},
        {"frmInverExtranjeroDet", investment("100.01", "1000"), u("La cantidad ingresada supera el máximo permitido.")},
        {"frmInverExtranjeroDet", investment("100", "0"), u("El saldo debe ser mayor a 0.")},
        {"frmInverExtranjeroDet", investment("100", "1000"), {}},
        {"frmGastosNoDomDet", withheld("01", "0.99"), WithheldExpenseChecks::kRateOutside},
        {"frmGastosNoDomDet", withheld("01", "100.01"), u("La cantidad ingresada supera el máximo permitido.")},
        {"frmGastosNoDomDet", withheld("01", "1"), {}},
        {"frmGastosNoDomDet", withheld("01", "100"), u("Ya se registró el servicio.")},
        {"frmGastosNoDomDet", withheld("02", "100"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.window) + " " + c.refusal.toStdString());
        const QString table = AnnexCatalog::instance().window(u(c.window))->table;
        const int before = rows(table);
        EXPECT_EQ(save(u(c.window), c.values, c.refusal, u(c.code)), c.refusal.isEmpty());
        EXPECT_EQ(rows(table), before + (c.refusal.isEmpty() ? 1 : 0));
        prompter->verify();
    }
}

TEST_F(AssistantListsTest, ATrustNeedsEachPartyAndABalance) {
    Values trust = {{u("tip_doc_fideicomitente"), u("06")},
                    {u("nro_doc_fideicomitente"), u("20100047218")},
                    {u("des_fideicomitente"), u("INMOBILIARIA SUR SAC")},
                    {u("tip_doc_fiduciaria"), u("06")},
                    {u("nro_doc_fiduciaria"), u("20100130204")},
                    {u("tip_doc_fideicomisario"), u("01")},
                    {u("nro_doc_fideicomisario"), u("40123456")},
                    {u("des_fideicomisario"), u("QUISPE MAMANI LUIS")},
                    {u("tip_patrimonio"), u("3")},
                    {u("mto_saldo"), u("250000")}};
    EXPECT_FALSE(save(u("frmFideicomisoDet"), trust, u("Registre el nombre o razón social del fiduciario.")));
    trust.append({u("des_fiduciaria"), u("FIDUCIARIA DEL PERU SA")});
    EXPECT_TRUE(save(u("frmFideicomisoDet"), trust, {}));
    EXPECT_EQ(column(u("TMPF535FIDEICO"), u("num_correl")), u("1"));
}

// The other lines of 103 are the itemised rows by kind; the total follows them.
TEST_F(AssistantListsTest, ItemisedAdjustmentsFillTheOtherLinesBeforeTheTotal) {
    ASSERT_TRUE(save(u("frmAdicDeducOtros"), adjustment("P", "1000"), {}, u("103")));
    ASSERT_TRUE(save(u("frmAdicDeducOtros"), adjustment("P", "250"), {}, u("103")));
    ASSERT_TRUE(save(u("frmAdicDeducOtros"), adjustment("T", "500"), {}, u("103")));
    ASSERT_TRUE(save(u("frmAdicDeducOtros"), adjustment("P", "70"), {}, u("105")));
    CasillaAssistantModel additions = assistant(u("frmAnexo103"), 103);
    EXPECT_EQ(additions.text(545), u("1250"));
    EXPECT_EQ(additions.text(749), u("500"));
    EXPECT_FALSE(additions.setText(545, u("9")));
    ASSERT_TRUE(additions.setText(520, u("100")));
    EXPECT_EQ(additions.text(590), u("1850"));
    CasillaAssistantModel deductions = assistant(u("frmAnexo105"), 105);
    EXPECT_EQ(deductions.text(559), u("70"));
    EXPECT_EQ(deductions.text(752), u("0")); // once itemised, both lines come from the rows
}

TEST_F(AssistantListsTest, TheDetailButtonOpensItsWindowAndTakesItsValue) {
    CasillaAssistantModel additions = assistant(u("frmAnexo103"), 103);
    additions.setOpener(&opener);
    opener.answers.insert(u("frmExesoRem"), u("4000"));
    EXPECT_FALSE(additions.openDetail(520)); // a line without a detail window
    ASSERT_TRUE(additions.openDetail(522));
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, u("frmExesoRem"));
    EXPECT_EQ(opener.requests.at(0).casilla, 522);
    EXPECT_EQ(additions.text(522), u("4000"));
    EXPECT_EQ(additions.text(590), u("4000"));
    ASSERT_TRUE(additions.openDetail(749));
    EXPECT_EQ(opener.requests.at(1).name, u("frmAdicDeduc"));
    EXPECT_EQ(opener.requests.at(1).casilla, 103);
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
        CasillaAssistantModel excess = assistant(u("frmExesoRem"), c.casilla);
        for (int month = 1; month <= 12; ++month) {
            ASSERT_TRUE(excess.setText(2000 + month, u(c.monthlyIncome)));
            ASSERT_TRUE(excess.setText(1000 + month, u(c.monthlyExpense)));
        }
        EXPECT_EQ(excess.text(ExpenseExcess::kLimit), u(c.limit));
        EXPECT_EQ(excess.text(c.casilla), u(c.excess));
    }
}

TEST_F(AssistantListsTest, ExpenseExcessNeedsEveryMonthsIncomeAndKeepsItsRows) {
    CasillaAssistantModel excess = assistant(u("frmExesoRem"), 522);
    for (int month = 1; month <= 11; ++month) {
        ASSERT_TRUE(excess.setText(2000 + month, u("100000")));
    }
    ASSERT_TRUE(excess.setText(1003, u("9000")));
    prompter->expectMessage(MonthlyIncomeCheck::kMissing, Icon::Exclamation);
    EXPECT_FALSE(excess.save());
    ASSERT_TRUE(excess.setText(2012, u("0")));
    ASSERT_TRUE(excess.save());
    EXPECT_EQ(excess.result(), u("3500")); // 9,000 - 0.5 % of 1,100,000
    EXPECT_EQ(declaration::WorkingCasillas::value(db(), key(), 522), u("3500"));
    CasillaAssistantModel reopened = assistant(u("frmExesoRem"), 522);
    EXPECT_EQ(reopened.text(2012), u("0"));
    EXPECT_EQ(reopened.text(1003), u("9000"));
    EXPECT_EQ(rows(u("TMPF572DETBAS")), 12);
}

TEST_F(AssistantListsTest, OtherIncomeRowsFillTheThirdPartyLinesOf476) {
    Values line = {
        {u("des_concepto"), u("VENTA DE CHATARRA")}, {u("mto_peru"), u("3200")}, {u("mto_extranjero"), u("800")}};
    ASSERT_TRUE(save(u("frmMinOtrosDet"), line, {}, u("476")));
    CasillaAssistantModel other = assistant(u("frmpergan2015"), 476);
    EXPECT_EQ(other.text(769), u("3200"));
    EXPECT_EQ(other.text(770), u("800"));
    EXPECT_EQ(other.text(674), u("3200"));
    EXPECT_EQ(other.text(675), u("800"));
}

// A concession's other income opens the list of casilla 476 once the concession is typed.
TEST_F(AssistantListsTest, AConcessionOpensTheOtherIncomeOnceNumbered) {
    open(u("frmDetalleMineras"));
    fill({{u("nro_anexo"), u("2")}});
    prompter->expectMessage(u("Para ingresar a registrar los Otros Ingresos debe primero ingresar el Número de "
                              "Concesión o U.E.A."),
                            Icon::Exclamation);
    model->click(AnnexDetailModel::commandOf(u("frmMinOtros")));
    EXPECT_TRUE(opener.requests.isEmpty());
    fill({{u("nro_concesion"), u("01123")}});
    model->click(AnnexDetailModel::commandOf(u("frmMinOtros")));
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, u("frmMinOtros"));
    EXPECT_EQ(opener.requests.at(0).code, u("476"));
}

Values vehicle(const char* plate, const char* identified) {
    return {{u("cod_categ"), u("A2")},       {u("des_placa"), u(plate)},          {u("mto_adq"), u("50000")},
            {u("Fec_Ing"), u("01/02/2017")}, {u("cod_condicion"), u("1")},        {u("cod_actividad"), u("1")},
            {u("mto_gasto"), u("3000")},     {u("ind_ded_gasto"), u(identified)}, {u("ind_sustitucion"), u("0")}};
}

// The vehicles detailed may not exceed those owned, nor those identified the number the income
// level allows once it is known.
TEST_F(AssistantListsTest, VehicleDetailLimits) {
    struct Case {
        const char* name;
        QMap<int, QString> casillas; // 705 owned, 710 the most that may deduct
        const char* identified;
        int accepted; // of three vehicles
        QString refusal;
    };
    const QList<Case> cases = {
        {"no numbers yet", {}, "1", 3, {}},
        {"two owned", {{705, u("2")}}, "0", 2, VehicleChecks::kMoreThanOwned},
        {"one may deduct", {{705, u("5")}, {710, u("1")}}, "1", 1, VehicleChecks::kIncomeLevel},
        {"one may deduct, none identified", {{705, u("5")}, {710, u("1")}}, "0", 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db().run(QStringLiteral("DELETE FROM TMPF584VEHIC")).finish();
        db().run(QStringLiteral("DELETE FROM TMPF584DET")).finish();
        working(c.casillas);
        for (int i = 0; i < 3; ++i) {
            const QByteArray plate = QByteArray("ABC10") + QByteArray::number(i);
            const bool refused = i >= c.accepted;
            EXPECT_EQ(
                save(u("frmDetVehiculos"), vehicle(plate.constData(), c.identified), refused ? c.refusal : QString()),
                !refused);
            prompter->verify();
        }
        EXPECT_EQ(rows(u("TMPF584VEHIC")), c.accepted);
    }
    // Modifying a vehicle already counted is not adding one.
    open(u("frmDetVehiculos"), app::FormRequest::kModify, {u("A2"), u("ABC100")});
    fill({{u("mto_gasto"), u("3500")}});
    EXPECT_TRUE(model->grabar());
}

} // namespace
} // namespace qel::annexes

namespace qel::annexes {
namespace {

class ProviderExpenseTest : public testing::AnnexFixture {};

// The provider's expense detailed by month: only once the provider is saved; the total comes
// back as the expense, and the months are the provider's own rows.
TEST_F(ProviderExpenseTest, MonthlyDetailOfASavedProvider) {
    const QList<std::pair<QString, QString>> provider = {
        {u("tipo_doc"), u("07")},   {u("nro_doc"), u("AB123456")},
        {u("tip_renta"), u("02")},  {u("des_razon"), u("TECH CONSULTING LLC")},
        {u("cod_pais"), u("9249")}, {u("mto_gasto"), u("20000")},
        {u("mto_tasa"), u("30")},   {u("mto_no_retencion"), u("0")},
        {u("retencion"), u("1")},   {u("mto_ret"), u("6000")}};
    open(u("frmNoDomic"));
    fill(provider);
    prompter->expectMessage(NonDomiciledChecks::kSaveFirst, Icon::Exclamation);
    model->click(AnnexDetailModel::commandOf(NonDomiciledChecks::kDetail));
    EXPECT_TRUE(opener.requests.isEmpty());
    ASSERT_TRUE(model->grabar());

    open(u("frmNoDomic"), app::FormRequest::kModify, {u("7"), u("AB123456"), u("02")});
    opener.answers.insert(NonDomiciledChecks::kDetail, u("24000"));
    model->click(AnnexDetailModel::commandOf(NonDomiciledChecks::kDetail));
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).keyValues.mid(1), (QStringList{u("AB123456"), u("02")}));
    EXPECT_EQ(model->value(u("txtGasto")), u("24000"));

    const AssistantDef* def = AssistantCatalog::instance().find(NonDomiciledChecks::kDetail, 0);
    ASSERT_NE(def, nullptr);
    CasillaAssistantModel months(db(), *prompter, *def, key(), 0, false, opener.requests.at(0).keyValues);
    ASSERT_TRUE(months.setText(1001, u("14000")));
    ASSERT_TRUE(months.setText(1006, u("10000")));
    ASSERT_TRUE(months.save());
    EXPECT_EQ(months.result(), u("24000"));
    EXPECT_EQ(column(u("TMPF4170DET"), u("CASILLA")), u("01,06"));
    CasillaAssistantModel other(db(), *prompter, *def, key(), 0, false, {u("7"), u("ZZ999"), u("02")});
    EXPECT_TRUE(other.text(1001).isEmpty());
}

} // namespace
} // namespace qel::annexes
