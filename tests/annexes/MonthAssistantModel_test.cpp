#include "annexes/MonthAssistantModel.h"
#include "support/TestSupport.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::annexes {
namespace {

using Stored = QMap<QString, QString>;

class MonthAssistantTest : public ::testing::Test {
protected:
    store::Database& db() { return m_temp.db(); }
    const store::DeclarationKey m_key = test::demoKey();

    MonthAssistantModel open(const QString& window, int casilla, bool readOnly = false) {
        const MonthAssistantKind* kind = MonthAssistantKind::find(window, casilla);
        EXPECT_NE(kind, nullptr);
        MonthAssistantModel model(db(), *m_prompter, m_key, *kind, readOnly);
        model.load();
        return model;
    }
    // per_pag -> saluti of the stored rows of one type.
    Stored stored(const QString& type) {
        Stored rows;
        QSqlQuery q = db().run(u"SELECT PER_PAG, saluti FROM TMPACTA WHERE TIPO_ASIST=?"_s, {type});
        while (q.next()) {
            rows.insert(q.value(0).toString(), q.value(1).toString());
        }
        return rows;
    }
    void insert(const char* type, const char* month, int amount) {
        test::insertRow(db(), u"TMPACTA"_s, m_key,
                        {{u"TIPO_ASIST"_s, QString::fromLatin1(type)},
                         {u"PER_PAG"_s, QString::fromLatin1(month)},
                         {u"saluti"_s, amount}});
    }

    test::TempDatabase m_temp;
    std::unique_ptr<app::ScriptedPrompter> m_prompter = test::makePrompter();
};

TEST_F(MonthAssistantTest, MonthsRunIntoTheFirstFourOfTheNextYear) {
    const MonthAssistantModel model = open(u"FrmAnexo130"_s, 130);
    for (const auto& [row, label, key] : {std::tuple{0, "01 - 2018", "201801"},
                                          {11, "12 - 2018", "201812"},
                                          {12, "01 - 2019", "201901"},
                                          {15, "04 - 2019", "201904"}}) {
        EXPECT_EQ(model.monthLabel(row), QString::fromLatin1(label));
        EXPECT_EQ(model.monthKey(row), QString::fromLatin1(key));
    }
}

// Row fourteen is February of the next year; each window keeps its rows under its casilla's
// own type, the ITAN window serving 126 and 131 alike.
TEST_F(MonthAssistantTest, EachCasillaStoresItsMonthsUnderItsOwnType) {
    for (const auto& [window, casilla, type] :
         {std::tuple{"FrmAnexo130", 130, "8"}, {"FrmAnexo126", 126, "7"}, {"FrmAnexo126", 131, "9"}}) {
        SCOPED_TRACE(casilla);
        MonthAssistantModel model = open(QString::fromLatin1(window), casilla);
        ASSERT_TRUE(model.setCellText(13, 0, u"2,500"_s));
        ASSERT_TRUE(model.setCellText(2, 0, u"100"_s));
        ASSERT_TRUE(model.save());
        EXPECT_EQ(model.result(), u"2600"_s);
        EXPECT_EQ(stored(QString::fromLatin1(type)), Stored({{u"201803"_s, u"100"_s}, {u"201902"_s, u"2500"_s}}));
    }
    EXPECT_EQ(db().scalar(u"SELECT min(factor) FROM TMPACTA"_s).toDouble(), 1.0);
    // The header exists now, with its check code reset.
    EXPECT_EQ(db().scalar(u"SELECT cNumero FROM CAB"_s).toString(), u"0"_s);
}

TEST_F(MonthAssistantTest, SavingEveryCellEmptyLeavesNoRowOfItsTypeOnly) {
    insert("8", "201805", 700);
    insert("4", "201805", 700);
    MonthAssistantModel model = open(u"FrmAnexo130"_s, 130);
    EXPECT_EQ(model.cellText(4, 0), u"700"_s);
    ASSERT_TRUE(model.setCellText(4, 0, u" "_s));
    EXPECT_EQ(model.totalText(), u"0"_s);
    ASSERT_TRUE(model.save());
    EXPECT_EQ(model.result(), u"0"_s);
    EXPECT_TRUE(stored(u"8"_s).isEmpty());
    EXPECT_EQ(stored(u"4"_s).size(), 1);
}

// The payments: every cell moves the row's and the window's total.
TEST_F(MonthAssistantTest, PaymentTotalsFollowEveryCell) {
    MonthAssistantModel model = open(u"FrmAnexo128"_s, 128);
    int changes = 0;
    model.setChangeListener([&changes] { ++changes; });
    EXPECT_EQ(model.columnIndex(u"factor"_s), -1);
    const int compensation = model.columnIndex(u"compen"_s);
    const int payment = model.columnIndex(u"pago_r"_s);
    model.setCellText(0, compensation, u"1234567"_s);
    EXPECT_EQ(model.rowTotalText(0), u"1,234,567"_s);
    EXPECT_EQ(model.cellText(0, compensation), u"1,234,567"_s);
    EXPECT_EQ(model.editText(0, compensation), u"1234567"_s);
    EXPECT_EQ(model.cellText(0, 0), QString());
    model.setCellText(1, payment, u"(2,000,000)"_s);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(model.total(), -765433);
    EXPECT_EQ(model.totalText(), u"(765,433)"_s);
}

} // namespace
} // namespace qel::annexes
