#include "FormFixture.h"
#include "declaration/model/WorkingCasillas.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

using Mode = DeclarationFormModel::Mode;

const QString kRucA = u"20100070970"_s;
const QString kRucB = u"20100113610"_s;
const QString kRucC = u"20131312955"_s;

class FormLoaderTest : public testing::FormFixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kRucA, u"D'ONOFRIO S.A."_s, u"CONTADOR"_s);
        test::registerTaxpayer(db(), kRucB, u"COMERCIAL ANDINA S.A.C."_s, u"CONTADOR"_s);
        test::registerTaxpayer(db(), kRucC, u"MINERA DEL SUR S.A."_s, u"OTRO"_s);
    }

    // A stored declaration: its header and its casilla rows (of a sent version when correl is given).
    // The casillas as "casilla=value; ...".
    void addDeclaration(const QString& ruc, const QVariantMap& casillas, const QString& correl = {},
                        QVariantMap header = {}) {
        const store::DeclarationKey key = test::demoKey(ruc);
        const QString prefix = correl.isEmpty() ? QString() : u"H"_s;
        const QVariantMap version = correl.isEmpty() ? QVariantMap() : QVariantMap{{u"CORREL"_s, correl}};
        header.insert(version);
        header.insert(u"SEMANA"_s, 0);
        header.insert(u"ESTADO"_s, 0);
        test::insertRow(db(), prefix + u"CAB"_s, key, header);
        for (auto it = casillas.cbegin(); it != casillas.cend(); ++it) {
            testing::storeCasilla(db(), key, it.key(), *it, prefix + u"DET"_s, version);
        }
    }

    DeclarationFormModel& open(Mode mode, const QString& ruc = {}, const QString& correl = {},
                               const QString& userKind = u"0"_s, const QString& user = test::kSupervisor) {
        makeModel(user, userKind);
        model->mode = mode;
        model->openRuc = ruc;
        model->historyView = !correl.isEmpty();
        model->correl = correl;
        return load();
    }

    QStringList comboCodes(const QString& name) const {
        QStringList codes;
        for (const ComboItem& item : model->control(name).items) {
            codes.append(item.code);
        }
        return codes;
    }
};

TEST_F(FormLoaderTest, PreparesThePagesForThePeriod) {
    const DeclarationFormModel& form = open(Mode::New);

    EXPECT_EQ(form.caption, u"0588 Declaración Pago Anual Impuesto a la Renta 2018 3ra. Categoría e ITF - v 1.0"_s);
    // The questions name the period and the amount of 300 UIT of 2018 (4,150 each).
    EXPECT_TRUE(form.controlCaption(u"OptActEco"_s)
                    .contains(u"al 31 de diciembre del 2018 iguales o superiores a S/  1,245,000 ( 300 UIT)"_s));
    EXPECT_TRUE(form.controlCaption(u"OptAlquileres"_s).endsWith(u"durante el ejercicio 2018?"_s));
    // Of the benefits, 1 and 9 are listed; 2, 5, 6 and 7 are not.
    EXPECT_EQ(comboCodes(u"cboBeneficiosTrib"_s).filter(QRegularExpression(u"^[125679]$"_s)),
              (QStringList{u"1"_s, u"9"_s}));
    EXPECT_FALSE(comboCodes(u"cboBaseLegalExonera"_s).isEmpty());
    EXPECT_EQ(form.currentPage, u"ident.general"_s);
}

TEST_F(FormLoaderTest, TaxpayerListFollowsTheUserKind) {
    for (const auto& [kind, user, rucs] : {std::tuple{u"0"_s, u"SUPERVISOR"_s, QStringList{kRucA, kRucB, kRucC}},
                                           {u"1"_s, u"CONTADOR"_s, QStringList{kRucA, kRucB}},
                                           {u"1"_s, QString(), QStringList()}}) {
        open(Mode::New, {}, {}, kind, user);
        EXPECT_EQ(comboCodes(u"CmbRuc"_s), rucs) << user.toStdString();
    }
}

// A list, a script or a recovery that names another user's taxpayer opens nothing of it: the
// user is told, the form stays empty and no working row of it is written.
TEST_F(FormLoaderTest, AnotherUsersTaxpayerIsNeverOpened) {
    addDeclaration(kRucC, testing::fields("100=5000"));
    addRow(u"F535SOCIOS"_s, {}, kRucC);
    prompter->expectMessage(u"El contribuyente %1 no está registrado para el usuario CONTADOR."_s.arg(kRucC),
                            app::Icon::Exclamation, FormLoader::formCaption(u"0588"_s, u"2018"_s));
    open(Mode::Modify, kRucC, {}, u"1"_s, u"CONTADOR"_s);
    EXPECT_TRUE(model->comboCode(u"CmbRuc"_s).isEmpty());
    EXPECT_TRUE(model->text(100).isEmpty());
    EXPECT_EQ(test::rowCount(db(), u"TMPF535SOCIOS"_s), 0);
    prompter->verify();

    open(Mode::Modify, kRucC); // the supervisor sees every taxpayer
    EXPECT_EQ(model->comboCode(u"CmbRuc"_s), kRucC);
    EXPECT_EQ(rows(u"TMPF535SOCIOS"_s, kRucC), 1);
    loader->emptyWorkingCopies(); // what closing the form does
    EXPECT_EQ(test::rowCount(db(), u"TMPF535SOCIOS"_s), 0);
}

TEST_F(FormLoaderTest, TaxpayerWithoutDeclarationShowsEmptyBoxesAndDefaultAnswers) {
    addRow(u"TMPF535SOCIOS"_s, {}, kRucC);
    DeclarationFormModel& form = open(Mode::New);
    EXPECT_EQ(test::rowCount(db(), u"TMPF535SOCIOS"_s), 0); // a new form starts with none
    form.setText(100, u"1,000"_s);
    form.setText(360, u"77"_s);
    form.setOption(u"OptRectifica"_s, 1);

    ASSERT_TRUE(form.chooseCombo(u"CmbRuc"_s, kRucB));

    EXPECT_EQ(form.ruc(), kRucB);
    EXPECT_EQ(form.existenceMark, QString());
    EXPECT_EQ(form.controlText(u"TxtRazon"_s), u"COMERCIAL ANDINA S.A.C."_s);
    for (const CasillaDef* def : form.casillas().boxes()) {
        // The trial-balance totals and the business chart's assets keep what they show.
        const int n = def->number;
        if ((n < 240 || n > 243) && (n < 359 || n > 390)) {
            EXPECT_EQ(form.text(n), QString()) << "txtValor(" << n << ")";
        }
    }
    EXPECT_EQ(form.text(360), u"77"_s);
    EXPECT_EQ(form.option(u"OptRectifica"_s), -1);
    EXPECT_EQ(form.option(u"OptPlan"_s), -1);
    EXPECT_FALSE(form.loading());
    // Neither chart chosen: the general account list, without its result account.
    const int accounts = db().scalar(u"SELECT count(*) FROM F544BALCUEN WHERE plan='0' AND "
                                     "formulario='0588' AND codigo<>'00'"_s)
                             .toInt();
    EXPECT_EQ(rows(u"TMPF582BALANCE"_s, kRucB), accounts);
    EXPECT_EQ(form.text(240), u"0"_s);
}

// A declaration as older versions stored it: the boxes show their values with their masks, and
// the answers and the assistants' casillas go where the form keeps them. (What this version
// stores comes back whole: the round trip tests it control by control.)
TEST_F(FormLoaderTest, StoredDeclarationFillsTheForm) {
    QVariantMap casillas = testing::fields("101=5000; 100=1234567; 330=-2500; 342=2500; 686=0.1234; 005=1; 293=B; "
                                           "826=1; 781=1; 527=300; 548=40; 690=12; 137=1");
    casillas.insert(u"208"_s, u"  JUAN PEREZ  "_s);
    casillas.insert(u"510"_s, u"  DETALLE  "_s);
    addDeclaration(kRucA, casillas);

    DeclarationFormModel& form = open(Mode::Modify, kRucA);

    EXPECT_EQ(form.existenceMark, u"S"_s);
    EXPECT_EQ(form.ruc(), kRucA);
    EXPECT_EQ(form.controlText(u"TxtRazon"_s), u"D'ONOFRIO S.A."_s);
    // 101 always in parentheses, 330 and 342 of either sign, 686 as stored so that a save keeps
    // it, 5 kept out of its box.
    for (const auto& [casilla, shown] : {std::pair{101, "(5,000)"},
                                         {100, "1,234,567"},
                                         {330, "(2,500)"},
                                         {342, "2,500"},
                                         {208, "JUAN PEREZ"},
                                         {686, "0.1234"},
                                         {5, ""},
                                         {128, ""},
                                         {137, "1"}}) {
        EXPECT_EQ(form.text(casilla), QString::fromUtf8(shown)) << "casilla " << casilla;
    }
    EXPECT_EQ(form.option(u"Optmetodo"_s), 1); // stored as its letter
    EXPECT_EQ(form.check(u"chkItanPagos"_s, 1), 1);
    EXPECT_EQ(form.slot781, u"1"_s);
    // The assistants' casillas go to their working table, descriptions with their blanks.
    for (const auto& [casilla, value] : {std::pair{510, "  DETALLE  "}, {527, "300"}, {548, "40"}}) {
        EXPECT_EQ(WorkingCasillas::value(db(), form.key(), casilla), QString::fromLatin1(value)) << casilla;
    }
    EXPECT_FALSE(form.keptCasillas.contains(527));
    EXPECT_EQ(form.detailTable3.value(690), u"12"_s);
    EXPECT_EQ(form.answerSlots.value(137), u"1"_s);
}

TEST_F(FormLoaderTest, SentVersionLoadsFromTheHistoryTables) {
    addDeclaration(kRucA, testing::fields("100=1"));
    addDeclaration(kRucA, testing::fields("100=2000"), u"1"_s);
    addDeclaration(kRucA, testing::fields("100=3000; 806=7501234"), u"2"_s, testing::fields("bcolibrad=11"));
    addRow(u"HF535SOCIOS"_s, testing::fields("CORREL=2"));
    addRow(u"F535SOCIOS"_s);
    addRow(u"F535SOCIOS"_s);

    DeclarationFormModel& form = open(Mode::Modify, kRucA, u"2"_s);

    EXPECT_EQ(form.text(100), u"3,000"_s);
    EXPECT_EQ(form.controlText(u"TxtNumOrdenE"_s), u"7501234"_s);
    EXPECT_TRUE(form.control(u"TxtNumOrdenE"_s).enabled);
    EXPECT_EQ(form.payment().bank, u"11"_s);
    EXPECT_EQ(test::rowCount(db(), u"TMPF535SOCIOS"_s), 1);
}

TEST_F(FormLoaderTest, TrialBalanceOfTheChosenChart) {
    addDeclaration(kRucA, testing::fields("870=2"));
    open(Mode::Modify, kRucA);

    const QStringList accounts = testing::firstColumn(
        db(), u"SELECT codigo FROM F544BALCUEN WHERE plan='2' AND formulario='0588' AND codigo<>'89' "
              "ORDER BY Descrip"_s);
    const QStringList codes = testing::firstColumn(db(), u"SELECT Codigo FROM TMPF582BALANCE ORDER BY rowid"_s);
    EXPECT_EQ(testing::firstColumn(db(), u"SELECT DISTINCT plan FROM TMPF582BALANCE"_s), QStringList{u"2"_s});
    ASSERT_FALSE(accounts.isEmpty());
    EXPECT_EQ(codes, accounts);
    EXPECT_FALSE(codes.contains(u"89"_s));
}

TEST_F(FormLoaderTest, TrialBalanceTotalsInCasillas240To243) {
    addDeclaration(kRucA, testing::fields("870=2"));
    const store::DeclarationKey key = test::demoKey(kRucA);
    for (const char* account : {"plan=2; Codigo=10; suma_mayor_d=1500; suma_mayor_h=200; saldo_deudor=1300",
                                "plan=2; Codigo=40; suma_mayor_d=50; suma_mayor_h=; saldo_acreed=30"}) {
        test::insertRow(db(), u"F582BALANCE"_s, key, testing::fields(account));
    }

    DeclarationFormModel& form = open(Mode::Modify, kRucA);

    // The stored rows are the working trial balance: no account is added to them.
    EXPECT_EQ(test::rowCount(db(), u"TMPF582BALANCE"_s), 2);
    EXPECT_EQ((QStringList{form.text(240), form.text(241), form.text(242), form.text(243)}),
              (QStringList{"1,550", "200", "1,300", "30"}));
}

} // namespace
} // namespace qel::declaration
