#include "FormFixture.h"
#include "declaration/model/WorkingCasillas.h"

#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using Mode = DeclarationFormModel::Mode;

const QString kRucA = QStringLiteral("20100070970");
const QString kRucB = QStringLiteral("20100113610");
const QString kRucC = QStringLiteral("20131312955");

class FormLoaderTest : public testing::FormFixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kRucA, QStringLiteral("D'ONOFRIO S.A."), QStringLiteral("CONTADOR"));
        test::registerTaxpayer(db(), kRucB, QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR"));
        test::registerTaxpayer(db(), kRucC, QStringLiteral("MINERA DEL SUR S.A."), QStringLiteral("OTRO"));
    }

    // A stored declaration: its header and its casilla rows (of a sent version when correl is given).
    // The casillas as "casilla=value; ...".
    void addDeclaration(const QString& ruc, const QVariantMap& casillas, const QString& correl = {},
                        QVariantMap header = {}) {
        const store::DeclarationKey key = test::demoKey(ruc);
        const QString prefix = correl.isEmpty() ? QString() : QStringLiteral("H");
        const QVariantMap version = correl.isEmpty() ? QVariantMap() : QVariantMap{{QStringLiteral("CORREL"), correl}};
        header.insert(version);
        header.insert(QStringLiteral("SEMANA"), 0);
        header.insert(QStringLiteral("ESTADO"), 0);
        test::insertRow(db(), prefix + QStringLiteral("CAB"), key, header);
        for (auto it = casillas.cbegin(); it != casillas.cend(); ++it) {
            testing::storeCasilla(db(), key, it.key(), *it, prefix + QStringLiteral("DET"), version);
        }
    }

    DeclarationFormModel& open(Mode mode, const QString& ruc = {}, const QString& correl = {},
                               const QString& userKind = QStringLiteral("0"), const QString& user = test::kSupervisor) {
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

    EXPECT_EQ(form.caption,
              QStringLiteral("0588 Declaración Pago Anual Impuesto a la Renta 2018 3ra. Categoría e ITF - v 1.0"));
    // The questions name the period and the amount of 300 UIT of 2018 (4,150 each).
    EXPECT_TRUE(
        form.controlCaption(QStringLiteral("OptActEco"))
            .contains(QStringLiteral("al 31 de diciembre del 2018 iguales o superiores a S/  1,245,000 ( 300 UIT)")));
    EXPECT_TRUE(
        form.controlCaption(QStringLiteral("OptAlquileres")).endsWith(QStringLiteral("durante el ejercicio 2018?")));
    EXPECT_EQ(form.controlCaption(QStringLiteral("lblBalanceComprobacion")),
              QStringLiteral("Balance de Comprobación Histórico al 31/12/2018"));

    for (const QString& list : {QStringLiteral("cboTipDocRepLegal"), QStringLiteral("cboContador")}) {
        const QList<ComboItem>& items = form.control(list).items;
        ASSERT_EQ(items.size(), 3) << list.toStdString();
        EXPECT_EQ(items.at(0).text.simplified(), QStringLiteral("06 - RUC 11 5 1"));
        EXPECT_EQ(items.at(2).text.simplified(), QStringLiteral("99 - SIN DATOS 08 5 1"));
        // The document length is read back from position 71.
        EXPECT_EQ(items.at(0).text.mid(70, 2), QStringLiteral("11"));
        EXPECT_EQ(items.at(1).text.mid(70, 2), QStringLiteral("08"));
        EXPECT_EQ(items.at(2).code, QStringLiteral("99"));
    }
    const QStringList benefits = comboCodes(QStringLiteral("cboBeneficiosTrib"));
    EXPECT_TRUE(benefits.contains(QStringLiteral("1")));
    EXPECT_TRUE(benefits.contains(QStringLiteral("9")));
    for (const QString& leftOut :
         {QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")}) {
        EXPECT_FALSE(benefits.contains(leftOut)) << leftOut.toStdString();
    }
    EXPECT_FALSE(comboCodes(QStringLiteral("cboBaseLegalExonera")).isEmpty());
    EXPECT_EQ(form.currentPage, QStringLiteral("ident.general"));
}

TEST_F(FormLoaderTest, TaxpayerListFollowsTheUserKind) {
    struct Case {
        QString kind;
        QString user;
        QStringList rucs;
    };
    const QList<Case> cases = {
        {QStringLiteral("0"), QStringLiteral("SUPERVISOR"), {kRucA, kRucB, kRucC}},
        {QStringLiteral("1"), QStringLiteral("CONTADOR"), {kRucA, kRucB}},
        {QStringLiteral("1"), QString(), {}},
    };
    for (const Case& c : cases) {
        open(Mode::New, {}, {}, c.kind, c.user);
        EXPECT_EQ(comboCodes(QStringLiteral("CmbRuc")), c.rucs) << c.user.toStdString();
    }
}

// A list, a script or a recovery that names another user's taxpayer opens nothing of it: the
// user is told, the form stays empty and no working row of it is written.
TEST_F(FormLoaderTest, AnotherUsersTaxpayerIsNeverOpened) {
    addDeclaration(kRucC, testing::fields("100=5000"));
    test::insertRow(db(), QStringLiteral("F535SOCIOS"), test::demoKey(kRucC));
    prompter->expectMessage(
        QStringLiteral("El contribuyente %1 no está registrado para el usuario CONTADOR.").arg(kRucC),
        app::Icon::Exclamation, FormLoader::formCaption(QStringLiteral("0588"), QStringLiteral("2018")));
    open(Mode::Modify, kRucC, {}, QStringLiteral("1"), QStringLiteral("CONTADOR"));
    EXPECT_TRUE(model->comboCode(QStringLiteral("CmbRuc")).isEmpty());
    EXPECT_TRUE(model->text(100).isEmpty());
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("TMPF535SOCIOS")), 0);
    prompter->verify();

    open(Mode::Modify, kRucC); // the supervisor sees every taxpayer
    EXPECT_EQ(model->comboCode(QStringLiteral("CmbRuc")), kRucC);
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("TMPF535SOCIOS"), test::demoKey(kRucC)), 1);
    loader->emptyWorkingCopies(); // what closing the form does
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("TMPF535SOCIOS")), 0);
}

TEST_F(FormLoaderTest, TaxpayerWithoutDeclarationShowsEmptyBoxesAndDefaultAnswers) {
    test::insertRow(db(), QStringLiteral("TMPF535SOCIOS"), test::demoKey(kRucC));
    DeclarationFormModel& form = open(Mode::New);
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("TMPF535SOCIOS")), 0); // a new form starts with none
    form.setText(100, QStringLiteral("1,000"));
    form.setText(360, QStringLiteral("77"));
    form.setOption(QStringLiteral("OptRectifica"), 1);

    ASSERT_TRUE(form.chooseCombo(QStringLiteral("CmbRuc"), kRucB));

    EXPECT_EQ(form.ruc(), kRucB);
    EXPECT_EQ(form.existenceMark, QString());
    EXPECT_EQ(form.controlText(QStringLiteral("TxtRazon")), QStringLiteral("COMERCIAL ANDINA S.A.C."));
    for (const CasillaDef* def : form.casillas().boxes()) {
        const int n = def->number;
        if (n >= 240 && n <= 243) {
            continue; // the trial-balance totals
        }
        if (n >= 359 && n <= 390) {
            continue; // the business chart's assets keep what they show
        }
        EXPECT_EQ(form.text(n), QString()) << "txtValor(" << n << ")";
    }
    EXPECT_EQ(form.text(360), QStringLiteral("77"));
    EXPECT_EQ(form.option(QStringLiteral("OptRectifica")), -1);
    EXPECT_EQ(form.option(QStringLiteral("OptPlan")), -1);
    EXPECT_FALSE(form.loading());
    // Neither chart chosen: the general account list, without its result account.
    const int accounts = db().scalar(QStringLiteral("SELECT count(*) FROM F544BALCUEN WHERE plan='0' AND "
                                                    "formulario='0588' AND codigo<>'00'"))
                             .toInt();
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("TMPF582BALANCE"), test::demoKey(kRucB)), accounts);
    EXPECT_EQ(form.text(240), QStringLiteral("0"));
}

TEST_F(FormLoaderTest, NewModeRefusesATaxpayerWhoseDeclarationExists) {
    addDeclaration(kRucA, testing::fields("101=5000"));
    DeclarationFormModel& form = open(Mode::New);
    form.currentPage = QStringLiteral("renta");
    prompter->expectMessage(FormLoader::kAlreadyExists, app::Icon::Critical, form.caption);

    EXPECT_FALSE(loader->chooseTaxpayer(kRucA));

    EXPECT_EQ(form.existenceMark, QStringLiteral("N"));
    EXPECT_EQ(form.currentPage, QStringLiteral("ident.general"));
    EXPECT_EQ(form.text(101), QString());
    EXPECT_EQ(form.controlText(QStringLiteral("TxtRazon")), QString());
    EXPECT_TRUE(prompter->verify());
}

// The boxes show their stored values with their masks; the answers, the identification, the
// payment and the assistants' casillas go where the form keeps them.
TEST_F(FormLoaderTest, StoredDeclarationFillsTheForm) {
    QVariantMap casillas = testing::fields("101=5000; 100=1234567; 330=-2500; 342=2500; 686=0.1234; 005=1; "
                                           "805=1; 870=2; 293=B; 826=1; 828=0; 210=3; 239=2018-03-15; 280=LIMA; "
                                           "814=ROSA; 781=1; 527=300; 548=40; 690=12; 599=C; 137=1");
    casillas.insert(QStringLiteral("208"), QStringLiteral("  JUAN PEREZ  "));
    casillas.insert(QStringLiteral("510"), QStringLiteral("  DETALLE  "));
    addDeclaration(kRucA, casillas, {}, testing::fields("bcolibrad=02; nrocheque=000123"));

    DeclarationFormModel& form = open(Mode::Modify, kRucA);

    EXPECT_EQ(form.existenceMark, QStringLiteral("S"));
    EXPECT_EQ(form.ruc(), kRucA);
    EXPECT_EQ(form.controlText(QStringLiteral("TxtRazon")), QStringLiteral("D'ONOFRIO S.A."));
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
    EXPECT_EQ(form.option(QStringLiteral("OptRectifica")), 1);
    EXPECT_EQ(form.option(QStringLiteral("OptPlan")), 2);
    EXPECT_EQ(form.option(QStringLiteral("Optmetodo")), 1); // stored as its letter
    EXPECT_EQ(form.check(QStringLiteral("chkItanPagos"), 1), 1);
    EXPECT_EQ(form.check(QStringLiteral("chkItanPagos"), 0), 0);
    EXPECT_EQ(form.check(QStringLiteral("ChkRenta")), 1);
    EXPECT_EQ(form.comboCode(QStringLiteral("cboBaseLegalExonera")), QStringLiteral("3"));
    EXPECT_EQ(form.controlText(QStringLiteral("mkeFechaReorganiza")), QStringLiteral("15/03/2018"));
    EXPECT_EQ(form.controlText(QStringLiteral("TxtOfReg")), QStringLiteral("LIMA"));
    EXPECT_EQ(form.controlText(QStringLiteral("TxtNombreN")), QStringLiteral("ROSA"));
    EXPECT_EQ(form.slot781, QStringLiteral("1"));
    // The assistants' casillas go to their working table, descriptions with their blanks.
    EXPECT_EQ(WorkingCasillas::value(db(), form.key(), 510), QStringLiteral("  DETALLE  "));
    EXPECT_EQ(WorkingCasillas::value(db(), form.key(), 527), QStringLiteral("300"));
    EXPECT_EQ(WorkingCasillas::value(db(), form.key(), 548), QStringLiteral("40"));
    EXPECT_FALSE(form.keptCasillas.contains(527));
    EXPECT_EQ(form.detailTable3.value(690), QStringLiteral("12"));
    EXPECT_EQ(form.answerSlots.value(137), QStringLiteral("1"));
    const PaymentState& payment = form.payment();
    EXPECT_EQ(payment.kind + u'/' + payment.bank + u'/' + payment.cheque, QStringLiteral("C/02/000123"));
}

TEST_F(FormLoaderTest, SentVersionLoadsFromTheHistoryTables) {
    addDeclaration(kRucA, testing::fields("100=1"));
    addDeclaration(kRucA, testing::fields("100=2000"), QStringLiteral("1"));
    addDeclaration(kRucA, testing::fields("100=3000; 806=7501234"), QStringLiteral("2"),
                   testing::fields("bcolibrad=11"));
    test::insertRow(db(), QStringLiteral("HF535SOCIOS"), test::demoKey(kRucA), testing::fields("CORREL=2"));
    test::insertRow(db(), QStringLiteral("F535SOCIOS"), test::demoKey(kRucA));
    test::insertRow(db(), QStringLiteral("F535SOCIOS"), test::demoKey(kRucA));

    DeclarationFormModel& form = open(Mode::Modify, kRucA, QStringLiteral("2"));

    EXPECT_EQ(form.text(100), QStringLiteral("3,000"));
    EXPECT_EQ(form.controlText(QStringLiteral("TxtNumOrdenE")), QStringLiteral("7501234"));
    EXPECT_TRUE(form.control(QStringLiteral("TxtNumOrdenE")).enabled);
    EXPECT_EQ(form.payment().bank, QStringLiteral("11"));
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("TMPF535SOCIOS")), 1);
}

TEST_F(FormLoaderTest, TrialBalanceOfTheChosenChart) {
    addDeclaration(kRucA, testing::fields("870=2"));
    open(Mode::Modify, kRucA);

    const QStringList accounts = testing::firstColumn(
        db(), QStringLiteral("SELECT codigo FROM F544BALCUEN WHERE plan='2' AND formulario='0588' AND codigo<>'89' "
                             "ORDER BY Descrip"));
    const QStringList codes =
        testing::firstColumn(db(), QStringLiteral("SELECT Codigo FROM TMPF582BALANCE ORDER BY rowid"));
    EXPECT_EQ(testing::firstColumn(db(), QStringLiteral("SELECT DISTINCT plan FROM TMPF582BALANCE")),
              QStringList{QStringLiteral("2")});
    ASSERT_FALSE(accounts.isEmpty());
    EXPECT_EQ(codes, accounts);
    EXPECT_FALSE(codes.contains(QStringLiteral("89")));
}

TEST_F(FormLoaderTest, TrialBalanceTotalsInCasillas240To243) {
    addDeclaration(kRucA, testing::fields("870=2"));
    const store::DeclarationKey key = test::demoKey(kRucA);
    for (const char* account : {"plan=2; Codigo=10; suma_mayor_d=1500; suma_mayor_h=200; saldo_deudor=1300",
                                "plan=2; Codigo=40; suma_mayor_d=50; suma_mayor_h=; saldo_acreed=30"}) {
        test::insertRow(db(), QStringLiteral("F582BALANCE"), key, testing::fields(account));
    }

    DeclarationFormModel& form = open(Mode::Modify, kRucA);

    // The stored rows are the working trial balance: no account is added to them.
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("TMPF582BALANCE")), 2);
    EXPECT_EQ((QStringList{form.text(240), form.text(241), form.text(242), form.text(243)}),
              (QStringList{"1,550", "200", "1,300", "30"}));
}

} // namespace
} // namespace qel::declaration
