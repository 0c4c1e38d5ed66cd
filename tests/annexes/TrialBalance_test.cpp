#include "../declaration/FormFixture.h"
#include "AnnexFixture.h"
#include "annexes/TrialBalanceDetail.h"
#include "annexes/TrialBalancePage.h"
#include "batch/BatchFixture.h"
#include "management/SentVersionsFixture.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::annexes {
namespace {

using app::Button;
using app::Icon;
using Row = TrialBalanceRow;

const QString kRuc = u"20100070970"_s;
const QString kSelectFirst = u"Tiene que seleccionar el registro a modificar."_s;

// Entered amounts (opening, movements, transfers, adjustment; debit then credit) and the
// sixteen columns they give, in table order.
TEST(TrialBalanceRowTest, DerivesTheComputedColumnsByClass) {
    struct Case {
        Row::AccountClass accountClass;
        std::array<int, 8> entries;
        std::array<int, 16> expected;
    };
    const Row::AccountClass balance = Row::AccountClass::Balance;
    const Row::AccountClass result = Row::AccountClass::Result;
    const Case cases[] = {
        // credit closing balance
        {balance, {100, 0, 50, 200, 0, 0, 0, 0}, {100, 0, 50, 200, 150, 200, 0, 50, 0, 0, 0, 0, 0, 50, 0, 0}},
        // debit balance plus transfers is an asset
        {balance, {0, 0, 500, 200, 30, 10, 5, 25}, {0, 0, 500, 200, 500, 200, 300, 0, 30, 10, 5, 25, 300, 0, 0, 0}},
        // transfers turn it into a liability
        {balance, {0, 0, 100, 0, 0, 150, 0, 0}, {0, 0, 100, 0, 100, 0, 100, 0, 0, 150, 0, 0, 0, 50, 0, 0}},
        // even sides leave nothing
        {balance, {40, 0, 0, 40, 0, 0, 0, 0}, {40, 0, 0, 40, 40, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        // expense account is a loss
        {result, {0, 0, 800, 100, 0, 0, 0, 0}, {0, 0, 800, 100, 800, 100, 700, 0, 0, 0, 0, 0, 0, 0, 700, 0}},
        // income account is a gain
        {result, {0, 0, 0, 900, 0, 0, 0, 0}, {0, 0, 0, 900, 0, 900, 0, 900, 0, 0, 0, 0, 0, 0, 0, 900}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        Row row;
        for (int i = 0; i < 8; ++i) {
            row.entries[i] = c.entries[i] * Row::kUnit;
        }
        const auto derived = row.derive(c.accountClass);
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(derived[i], c.expected[i] * Row::kUnit) << Row::columns().at(i).toStdString();
        }
    }
}

// The page of the business chart (plan 2) on a loaded form.
class TrialBalancePageTest : public declaration::testing::FormFixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kRuc, u"D'ONOFRIO S.A."_s);
        makeModel();
        attachCalculation();
        attach<TrialBalancePage>();
        load(kRuc);
    }

    QStringList codes() { return test::tableRows(db(), u"TMPF582BALANCE"_s, {u"Codigo"_s}, {}); }
    int chartSize(const QString& plan) {
        return db().scalar(u"SELECT count(*) FROM F544BALCUEN WHERE plan=?"_s, {plan}).toInt();
    }
    QString amount(const QString& code, const QString& column = u"mov_ejerci_d"_s) {
        return db().scalar(u"SELECT %1 FROM TMPF582BALANCE WHERE Codigo=?"_s.arg(column), {code}).toString();
    }
    void storeBalance(const QString& code, int movementsDebit) {
        test::insertRow(db(), u"F582BALANCE"_s, test::demoKey(kRuc),
                        declaration::testing::fields(
                            u"plan=2; Codigo=%1; mov_ejerci_d=%2; suma_mayor_d=%2"_s.arg(code).arg(movementsDebit)));
    }
    void type(const QString& code, int movementsDebit) {
        db().run(u"UPDATE TMPF582BALANCE SET mov_ejerci_d=? WHERE Codigo=?"_s, {movementsDebit, code}).finish();
    }
    void plan(int option) { ASSERT_TRUE(model->clickOption(u"OptPlan"_s, option)); }
    void click(const QString& command) { model->clickCommand(command, 0); }
};

TEST_F(TrialBalancePageTest, EachChartListsItsAccountsButItsResultAccount) {
    for (const auto& [option, chart, left, kept] : {std::tuple{1, "1", "891", "89"}, {2, "2", "89", "891"}}) {
        SCOPED_TRACE(chart);
        plan(option);
        const QStringList listed = codes();
        EXPECT_EQ(listed.size(), chartSize(QString::fromLatin1(chart)) - 1);
        EXPECT_FALSE(listed.contains(QString::fromLatin1(left)));
        EXPECT_TRUE(listed.contains(QString::fromLatin1(kept)));
        EXPECT_EQ(db().scalar(u"SELECT count(*) FROM TMPF582BALANCE WHERE plan<>?"_s, {chart}).toInt(), 0);
        EXPECT_EQ(amount(u"10"_s, u"saldo_deudor"_s), u"0"_s);
    }
}

// A reload of the chart keeps the stored amounts and drops the typed ones; the delete empties
// every amount only after Yes.
TEST_F(TrialBalancePageTest, AChartReloadKeepsTheStoredAmountsAndDeleteEmptiesThem) {
    storeBalance(u"6591"_s, 700);
    plan(2);
    type(u"101"_s, 55);
    plan(1);
    plan(2);
    EXPECT_EQ(amount(u"6591"_s), u"700"_s);
    EXPECT_EQ(amount(u"101"_s), u"0"_s);
    EXPECT_EQ(model->text(240), u"700"_s);

    prompter->expectQuestion(TrialBalancePage::kDeleteQuestion, Button::No, Icon::Question);
    click(u"CmdEliminar"_s);
    EXPECT_EQ(amount(u"6591"_s), u"700"_s);
    prompter->expectQuestion(TrialBalancePage::kDeleteQuestion, Button::Yes, Icon::Question);
    click(u"CmdEliminar"_s);
    EXPECT_EQ(amount(u"6591"_s), u"0"_s);
    EXPECT_EQ(codes().size(), chartSize(u"2"_s) - 1);
}

TEST_F(TrialBalancePageTest, ImportAsksOnlyWhenTheBalanceHoldsValues) {
    plan(2);
    click(u"cmdImportar"_s);
    EXPECT_EQ(testing::requested(opener), "frmTransferencia code=2");

    type(u"101"_s, 55);
    prompter->expectQuestion(TrialBalancePage::kImportQuestion, Button::No, Icon::Question, u"Confirmar"_s);
    click(u"cmdImportar"_s);
    EXPECT_EQ(testing::requested(opener), "frmTransferencia code=2");
}

// Modify opens the detail of the selected account only: the totals row closing the grid is no
// account.
TEST_F(TrialBalancePageTest, ModifyOpensTheDetailOfTheSelectedAccountOnly) {
    plan(2);
    prompter->expectMessage(kSelectFirst, Icon::Critical, u"Error"_s);
    click(u"cmdDetalleBalance"_s);
    EXPECT_TRUE(opener.requests.isEmpty());

    model->selectGridRow(TrialBalancePage::kGrid, 0);
    click(u"cmdDetalleBalance"_s);
    EXPECT_EQ(testing::requested(opener), "frmDetalleBalance code=2 action=2 keys=10");

    model->selectGridRow(TrialBalancePage::kGrid, static_cast<int>(codes().size()));
    prompter->expectMessage(kSelectFirst);
    click(u"cmdDetalleBalance"_s);
    EXPECT_EQ(testing::requested(opener), "frmDetalleBalance code=2 action=2 keys=10");
}

TEST_F(TrialBalancePageTest, ExportWritesTheBalanceNamedAfterTheRuc) {
    plan(2);
    type(u"101"_s, 1234567);
    model->moduleFolder = database.folder();
    const QString folder = QDir::toNativeSeparators(QDir(database.folder()).absolutePath());
    prompter->expectMessage(u"La declaración se encuentra en el directorio "_s + folder +
                                u" con el nombre: 20100070970_QEL.txt"_s,
                            Icon::Information);
    click(u"cmdArchivo"_s);
    const QStringList lines =
        QString::fromUtf8(test::readFile(QDir(folder).filePath(u"20100070970_QEL.txt"_s))).split(u'\n');
    EXPECT_EQ(lines.mid(0, 3), QStringList({"KOLVA", "BALANCE DE COMPROBACION HISTORICO", "RUC : 20100070970"}));
    EXPECT_TRUE(lines.at(3).startsWith(u"Cuenta Saldos Iniciales"_s));
    const QString account = lines.filter(QRegularExpression(u"^101 "_s)).value(0);
    EXPECT_EQ(account.left(7 + 45), u"101    0              0              1234567        "_s);
}

// The detail window of an account: an expense account's closing balance goes to the results;
// closing after typing asks, and No discards; closing untouched asks nothing.
TEST_F(TrialBalancePageTest, TheDetailOfAnExpenseAsksBeforeDiscarding) {
    plan(2);
    const auto detail = [this] {
        return TrialBalanceDetail(TrialBalanceTable(db(), test::demoKey(kRuc), u"2"_s), *prompter, u"2018"_s);
    };
    TrialBalanceDetail expense = detail();
    ASSERT_TRUE(expense.open(u"601"_s));
    EXPECT_EQ(expense.classText(), u"Cuenta de Resultados"_s);
    expense.setBoxText(u"txtMovEjer"_s, 0, u"80"_s);
    EXPECT_EQ(expense.boxText(u"txtResultados"_s, 0), u"80"_s);
    EXPECT_EQ(expense.boxText(u"txtCuentasBalance"_s, 0), u"0"_s);
    prompter->expectQuestion(TrialBalanceDetail::kSaveQuestion, Button::No);
    expense.close();
    EXPECT_TRUE(expense.isClosed());
    EXPECT_EQ(amount(u"601"_s), u"0"_s);

    TrialBalanceDetail untouched = detail();
    ASSERT_TRUE(untouched.open(u"101"_s));
    untouched.close();
    EXPECT_TRUE(untouched.isClosed());
}

} // namespace
} // namespace qel::annexes
