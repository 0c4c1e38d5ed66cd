#include "../declaration/FormFixture.h"
#include "annexes/TrialBalanceDetail.h"
#include "annexes/TrialBalancePage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace qel::annexes {
namespace {

using app::Button;
using app::Icon;
using Row = TrialBalanceRow;

const QString kRuc = QStringLiteral("20100070970");

// Entered amounts (opening, movements, transfers, adjustment; debit then credit) and the
// sixteen columns they give, in table order.
TEST(TrialBalanceRowTest, DerivesTheComputedColumnsByClass) {
    struct Case {
        const char* name;
        Row::AccountClass accountClass;
        std::array<int, 8> entries;
        std::array<int, 16> expected;
    };
    const Row::AccountClass balance = Row::AccountClass::Balance;
    const Row::AccountClass result = Row::AccountClass::Result;
    const Case cases[] = {
        {"credit closing balance",
         balance,
         {100, 0, 50, 200, 0, 0, 0, 0},
         {100, 0, 50, 200, 150, 200, 0, 50, 0, 0, 0, 0, 0, 50, 0, 0}},
        {"debit balance plus transfers is an asset",
         balance,
         {0, 0, 500, 200, 30, 10, 5, 25},
         {0, 0, 500, 200, 500, 200, 300, 0, 30, 10, 5, 25, 300, 0, 0, 0}},
        {"transfers turn it into a liability",
         balance,
         {0, 0, 100, 0, 0, 150, 0, 0},
         {0, 0, 100, 0, 100, 0, 100, 0, 0, 150, 0, 0, 0, 50, 0, 0}},
        {"even sides leave nothing",
         balance,
         {40, 0, 0, 40, 0, 0, 0, 0},
         {40, 0, 0, 40, 40, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"expense account is a loss",
         result,
         {0, 0, 800, 100, 0, 0, 0, 0},
         {0, 0, 800, 100, 800, 100, 700, 0, 0, 0, 0, 0, 0, 0, 700, 0}},
        {"income account is a gain",
         result,
         {0, 0, 0, 900, 0, 0, 0, 0},
         {0, 0, 0, 900, 0, 900, 0, 900, 0, 0, 0, 0, 0, 0, 0, 900}},
    };
    for (const Case& c : cases) {
        Row row;
        for (int i = 0; i < 8; ++i) {
            row.entries[i] = c.entries[i] * Row::kUnit;
        }
        const auto derived = row.derive(c.accountClass);
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(derived[i], c.expected[i] * Row::kUnit) << c.name << ": " << Row::columns().at(i).toStdString();
        }
    }
}

class TrialBalancePageTest : public declaration::testing::FormFixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kRuc, QStringLiteral("D'ONOFRIO S.A."));
        makeModel();
        attachCalculation();
        page = &attach<TrialBalancePage>();
        load(kRuc);
    }

    QStringList codes() {
        QStringList list;
        QSqlQuery query = db().run(QStringLiteral("SELECT Codigo FROM TMPF582BALANCE"));
        while (query.next()) {
            list.append(query.value(0).toString());
        }
        return list;
    }
    int chartSize(const QString& plan) {
        return db().scalar(QStringLiteral("SELECT count(*) FROM F544BALCUEN WHERE plan=?"), {plan}).toInt();
    }
    QString amount(const QString& code, const QString& column) {
        return db()
            .scalar(QStringLiteral("SELECT %1 FROM TMPF582BALANCE WHERE Codigo=?").arg(column), {code})
            .toString();
    }
    void storeBalance(const QString& code, int movementsDebit) {
        test::insertRow(db(), QStringLiteral("F582BALANCE"), test::demoKey(kRuc),
                        {{QStringLiteral("plan"), QStringLiteral("2")},
                         {QStringLiteral("Codigo"), code},
                         {QStringLiteral("mov_ejerci_d"), movementsDebit},
                         {QStringLiteral("suma_mayor_d"), movementsDebit}});
    }
    void type(const QString& code, const QString& column, int value) {
        db().run(QStringLiteral("UPDATE TMPF582BALANCE SET %1=? WHERE Codigo=?").arg(column), {value, code}).finish();
    }

    TrialBalancePage* page = nullptr;
};

TEST_F(TrialBalancePageTest, EachChartListsItsAccountsButItsResultAccount) {
    struct Case {
        int option;
        const char* plan;
        const char* left;
        const char* kept;
    };
    for (const Case& c : {Case{1, "1", "891", "89"}, Case{2, "2", "89", "891"}}) {
        ASSERT_TRUE(model->clickOption(QStringLiteral("OptPlan"), c.option));
        const QStringList listed = codes();
        EXPECT_EQ(listed.size(), chartSize(QString::fromLatin1(c.plan)) - 1) << c.plan;
        EXPECT_FALSE(listed.contains(QString::fromLatin1(c.left))) << c.plan;
        EXPECT_TRUE(listed.contains(QString::fromLatin1(c.kept))) << c.plan;
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM TMPF582BALANCE WHERE plan<>?"), {c.plan}).toInt(),
                  0);
        EXPECT_EQ(amount(QStringLiteral("10"), QStringLiteral("saldo_deudor")), QStringLiteral("0"));
    }
}

TEST_F(TrialBalancePageTest, AChartReloadKeepsTheStoredAmountsAndDropsTheTypedOnes) {
    storeBalance(QStringLiteral("6591"), 700);
    model->clickOption(QStringLiteral("OptPlan"), 2);
    type(QStringLiteral("101"), QStringLiteral("mov_ejerci_d"), 55);
    model->clickOption(QStringLiteral("OptPlan"), 1);
    model->clickOption(QStringLiteral("OptPlan"), 2);
    EXPECT_EQ(amount(QStringLiteral("6591"), QStringLiteral("mov_ejerci_d")), QStringLiteral("700"));
    EXPECT_EQ(amount(QStringLiteral("101"), QStringLiteral("mov_ejerci_d")), QStringLiteral("0"));
    EXPECT_EQ(model->text(240), QStringLiteral("700"));
}

TEST_F(TrialBalancePageTest, DeleteEmptiesEveryAmountOnlyAfterYes) {
    storeBalance(QStringLiteral("6591"), 700);
    model->clickOption(QStringLiteral("OptPlan"), 2);
    prompter->expectQuestion(TrialBalancePage::kDeleteQuestion, Button::No, Icon::Question);
    model->clickCommand(QStringLiteral("CmdEliminar"), 0);
    EXPECT_EQ(amount(QStringLiteral("6591"), QStringLiteral("mov_ejerci_d")), QStringLiteral("700"));
    prompter->expectQuestion(TrialBalancePage::kDeleteQuestion, Button::Yes, Icon::Question);
    model->clickCommand(QStringLiteral("CmdEliminar"), 0);
    EXPECT_EQ(amount(QStringLiteral("6591"), QStringLiteral("mov_ejerci_d")), QStringLiteral("0"));
    EXPECT_EQ(codes().size(), chartSize(QStringLiteral("2")) - 1);
}

TEST_F(TrialBalancePageTest, ImportAsksOnlyWhenTheBalanceHoldsValues) {
    model->clickOption(QStringLiteral("OptPlan"), 2);
    model->clickCommand(QStringLiteral("cmdImportar"), 0);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, TrialBalancePage::kTransferWindow);
    EXPECT_EQ(opener.requests.at(0).code, QStringLiteral("2"));

    type(QStringLiteral("101"), QStringLiteral("mov_ejerci_d"), 55);
    prompter->expectQuestion(TrialBalancePage::kImportQuestion, Button::No, Icon::Question,
                             QStringLiteral("Confirmar"));
    model->clickCommand(QStringLiteral("cmdImportar"), 0);
    EXPECT_EQ(opener.requests.size(), 1);
}

TEST_F(TrialBalancePageTest, ModifyOpensTheDetailOfTheSelectedAccountOnly) {
    model->clickOption(QStringLiteral("OptPlan"), 2);
    prompter->expectMessage(QStringLiteral("Tiene que seleccionar el registro a modificar."), Icon::Critical,
                            QStringLiteral("Error"));
    model->clickCommand(QStringLiteral("cmdDetalleBalance"), 0);
    EXPECT_TRUE(opener.requests.isEmpty());

    model->selectGridRow(TrialBalancePage::kGrid, 0);
    model->clickCommand(QStringLiteral("cmdDetalleBalance"), 0);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, TrialBalancePage::kDetailWindow);
    EXPECT_EQ(opener.requests.at(0).keyValues, QStringList{QStringLiteral("10")});

    // The totals row closes the grid and is no account.
    model->selectGridRow(TrialBalancePage::kGrid, static_cast<int>(codes().size()));
    prompter->expectMessage(QStringLiteral("Tiene que seleccionar el registro a modificar."));
    model->clickCommand(QStringLiteral("cmdDetalleBalance"), 0);
    EXPECT_EQ(opener.requests.size(), 1);
}

TEST_F(TrialBalancePageTest, ExportWritesTheBalanceNamedAfterTheRuc) {
    model->clickOption(QStringLiteral("OptPlan"), 2);
    type(QStringLiteral("101"), QStringLiteral("mov_ejerci_d"), 1234567);
    model->moduleFolder = database.folder();
    const QString folder = QDir::toNativeSeparators(QDir(database.folder()).absolutePath());
    prompter->expectMessage(QStringLiteral("La declaración se encuentra en el directorio ") + folder +
                                QStringLiteral(" con el nombre: 20100070970_QEL.txt"),
                            Icon::Information);
    model->clickCommand(QStringLiteral("cmdArchivo"), 0);
    QFile file(QDir(folder).filePath(QStringLiteral("20100070970_QEL.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.mid(0, 3),
              (QStringList{QStringLiteral("KOLVA"), QStringLiteral("BALANCE DE COMPROBACION HISTORICO"),
                           QStringLiteral("RUC : 20100070970")}));
    EXPECT_TRUE(lines.at(3).startsWith(QStringLiteral("Cuenta Saldos Iniciales")));
    const QString account = lines.filter(QRegularExpression(QStringLiteral("^101 "))).value(0);
    EXPECT_EQ(account.left(7 + 45), QStringLiteral("101    0              0              1234567        "));
}

// The detail window of an account of the business chart.
class TrialBalanceDetailTest : public TrialBalancePageTest {
protected:
    TrialBalanceDetail detail() {
        return TrialBalanceDetail(TrialBalanceTable(db(), test::demoKey(kRuc), QStringLiteral("2")), *prompter,
                                  QStringLiteral("2018"));
    }
};

TEST_F(TrialBalanceDetailTest, ComputesByClassAndSavesTheSixteenAmounts) {
    model->clickOption(QStringLiteral("OptPlan"), 2);
    TrialBalanceDetail window = detail();
    ASSERT_TRUE(window.open(QStringLiteral("101")));
    EXPECT_EQ(window.classText(), QStringLiteral("Cuenta de Balance"));
    window.setBoxText(QStringLiteral("txtSaldoIni"), 0, QStringLiteral("100"));
    window.setBoxText(QStringLiteral("txtMovEjer"), 0, QStringLiteral("50"));
    window.setBoxText(QStringLiteral("txtMovEjer"), 1, QStringLiteral("2a00"));
    EXPECT_EQ(window.boxText(QStringLiteral("txtMovEjer"), 1), QStringLiteral("200"));
    EXPECT_EQ(window.boxText(QStringLiteral("txtSumaMayor"), 0), QStringLiteral("150"));
    EXPECT_EQ(window.boxText(QStringLiteral("txtSaldo"), 1), QStringLiteral("50"));
    EXPECT_EQ(window.boxText(QStringLiteral("txtCuentasBalance"), 1), QStringLiteral("50"));
    EXPECT_EQ(window.boxText(QStringLiteral("txtResultados"), 0), QStringLiteral("0"));
    ASSERT_TRUE(window.save());
    EXPECT_TRUE(window.isClosed());
    EXPECT_EQ(amount(QStringLiteral("101"), QStringLiteral("saldo_acreed")), QStringLiteral("50"));
    EXPECT_EQ(amount(QStringLiteral("101"), QStringLiteral("cuenta_bal_p")), QStringLiteral("50"));

    TrialBalanceDetail expense = detail();
    ASSERT_TRUE(expense.open(QStringLiteral("601")));
    EXPECT_EQ(expense.classText(), QStringLiteral("Cuenta de Resultados"));
    expense.setBoxText(QStringLiteral("txtMovEjer"), 0, QStringLiteral("80"));
    EXPECT_EQ(expense.boxText(QStringLiteral("txtResultados"), 0), QStringLiteral("80"));
    EXPECT_EQ(expense.boxText(QStringLiteral("txtCuentasBalance"), 0), QStringLiteral("0"));
}

TEST_F(TrialBalanceDetailTest, ClosingAfterTypingAsksAndNoDiscards) {
    model->clickOption(QStringLiteral("OptPlan"), 2);
    TrialBalanceDetail window = detail();
    ASSERT_TRUE(window.open(QStringLiteral("101")));
    window.close();
    EXPECT_TRUE(window.isClosed());

    TrialBalanceDetail typed = detail();
    ASSERT_TRUE(typed.open(QStringLiteral("101")));
    typed.setBoxText(QStringLiteral("txtniif"), 0, QStringLiteral("9"));
    prompter->expectQuestion(TrialBalanceDetail::kSaveQuestion, Button::No);
    typed.close();
    EXPECT_TRUE(typed.isClosed());
    EXPECT_EQ(amount(QStringLiteral("101"), QStringLiteral("impli_niif_d")), QStringLiteral("0"));
}

} // namespace
} // namespace qel::annexes
