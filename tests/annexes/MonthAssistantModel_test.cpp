#include "AnnexFixture.h"
#include "annexes/MonthAssistantModel.h"
#include "management/SentVersionsFixture.h"

using namespace Qt::StringLiterals;

namespace qel::annexes {
namespace {

class MonthAssistantTest : public testing::AnnexFixture {
protected:
    MonthAssistantModel months(const QString& window, int casilla, bool readOnly = false) {
        const MonthAssistantKind* kind = MonthAssistantKind::find(window, casilla);
        EXPECT_NE(kind, nullptr);
        MonthAssistantModel model(db(), *prompter, key(), *kind, readOnly);
        model.load();
        return model;
    }
    // "per_pag|saluti" of the stored rows of one type.
    QStringList stored(const QString& type) {
        return test::tableRows(db(), u"TMPACTA"_s, {u"PER_PAG"_s, u"saluti"_s}, {u" WHERE TIPO_ASIST=?"_s, {type}});
    }
    void insert(const char* type, const char* month, int amount) {
        test::insertRow(db(), u"TMPACTA"_s, key(),
                        testing::columns(u"TIPO_ASIST=%1; PER_PAG=%2; saluti=%3"_s.arg(type, month).arg(amount)));
    }
};

// The months run from January into April of the next year, row fourteen being February; each
// window keeps its rows under its casilla's own type, the ITAN window serving 126 and 131 alike.
TEST_F(MonthAssistantTest, EachCasillaStoresItsMonthsUnderItsOwnType) {
    for (const auto& [window, casilla, type] :
         {std::tuple{"FrmAnexo130", 130, "8"}, {"FrmAnexo126", 126, "7"}, {"FrmAnexo126", 131, "9"}}) {
        SCOPED_TRACE(casilla);
        MonthAssistantModel model = months(QString::fromLatin1(window), casilla);
        EXPECT_EQ(model.monthLabel(15), u"04 - 2019"_s);
        ASSERT_TRUE(model.setCellText(13, 0, u"2,500"_s));
        ASSERT_TRUE(model.setCellText(2, 0, u"100"_s));
        ASSERT_TRUE(model.save());
        EXPECT_EQ(model.result(), u"2600"_s);
        EXPECT_EQ(stored(QString::fromLatin1(type)), QStringList({"201803|100", "201902|2500"}));
    }
    EXPECT_EQ(db().scalar(u"SELECT min(factor) FROM TMPACTA"_s).toDouble(), 1.0);
    // The header exists now, with its check code reset.
    EXPECT_EQ(db().scalar(u"SELECT cNumero FROM CAB"_s).toString(), u"0"_s);
}

TEST_F(MonthAssistantTest, SavingEveryCellEmptyLeavesNoRowOfItsTypeOnly) {
    insert("8", "201805", 700);
    insert("4", "201805", 700);
    MonthAssistantModel model = months(u"FrmAnexo130"_s, 130);
    EXPECT_EQ(model.cellText(4, 0), u"700"_s);
    ASSERT_TRUE(model.setCellText(4, 0, u" "_s));
    EXPECT_EQ(model.totalText(), u"0"_s);
    ASSERT_TRUE(model.save());
    EXPECT_EQ(model.result(), u"0"_s);
    EXPECT_TRUE(stored(u"8"_s).isEmpty());
    EXPECT_EQ(stored(u"4"_s).size(), 1);
}

// The payments take amounts in parentheses as negative, and the total follows every cell.
TEST_F(MonthAssistantTest, PaymentTotalsTakeNegativeAmounts) {
    MonthAssistantModel model = months(u"FrmAnexo128"_s, 128);
    int changes = 0;
    model.setChangeListener([&changes] { ++changes; });
    model.setCellText(0, model.columnIndex(u"compen"_s), u"1234567"_s);
    model.setCellText(1, model.columnIndex(u"pago_r"_s), u"(2,000,000)"_s);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(model.total(), -765433);
    EXPECT_EQ(model.totalText(), u"(765,433)"_s);
}

} // namespace
} // namespace qel::annexes
