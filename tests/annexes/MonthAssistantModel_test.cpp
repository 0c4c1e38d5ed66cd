#include "annexes/MonthAssistantModel.h"
#include "support/TestSupport.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace qel::annexes {
namespace {

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
    QMap<QString, QString> stored(const QString& type) {
        QMap<QString, QString> rows;
        QSqlQuery q = db().run(QStringLiteral("SELECT PER_PAG, saluti FROM TMPACTA WHERE TIPO_ASIST=?"), {type});
        while (q.next()) {
            rows.insert(q.value(0).toString(), q.value(1).toString());
        }
        return rows;
    }

    test::TempDatabase m_temp;
    std::unique_ptr<app::ScriptedPrompter> m_prompter = test::makePrompter();
};

TEST_F(MonthAssistantTest, MonthsRunIntoTheFirstFourOfTheNextYear) {
    const MonthAssistantModel model = open(QStringLiteral("FrmAnexo130"), 130);
    struct Case {
        int row;
        const char* label;
        const char* key;
    };
    for (const Case& c :
         {Case{0, "01 - 2018", "201801"}, Case{2, "03 - 2018", "201803"}, Case{11, "12 - 2018", "201812"},
          Case{13, "02 - 2019", "201902"}, Case{15, "04 - 2019", "201904"}}) {
        EXPECT_EQ(model.monthLabel(c.row), QString::fromLatin1(c.label));
        EXPECT_EQ(model.monthKey(c.row), QString::fromLatin1(c.key));
    }
}

TEST_F(MonthAssistantTest, AWithholdingInRowFourteenIsStoredForFebruaryOfTheNextYear) {
    MonthAssistantModel model = open(QStringLiteral("FrmAnexo130"), 130);
    ASSERT_TRUE(model.setCellText(13, 0, QStringLiteral("2,500")));
    ASSERT_TRUE(model.setCellText(2, 0, QStringLiteral("100")));
    ASSERT_TRUE(model.save());
    EXPECT_EQ(model.result(), QStringLiteral("2600"));
    EXPECT_EQ(stored(QStringLiteral("8")),
              (QMap<QString, QString>{{QStringLiteral("201803"), QStringLiteral("100")},
                                      {QStringLiteral("201902"), QStringLiteral("2500")}}));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT min(factor) FROM TMPACTA")).toDouble(), 1.0);
    // The header exists now, with its check code reset.
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT cNumero FROM CAB")).toString(), QStringLiteral("0"));
}

TEST_F(MonthAssistantTest, SavingEveryCellEmptyLeavesNoRowOfItsTypeOnly) {
    for (const char* type : {"8", "4"}) {
        test::insertRow(db(), QStringLiteral("TMPACTA"), m_key,
                        {{QStringLiteral("TIPO_ASIST"), QString::fromLatin1(type)},
                         {QStringLiteral("PER_PAG"), QStringLiteral("201805")},
                         {QStringLiteral("saluti"), 700}});
    }
    MonthAssistantModel model = open(QStringLiteral("FrmAnexo130"), 130);
    EXPECT_EQ(model.cellText(4, 0), QStringLiteral("700"));
    ASSERT_TRUE(model.setCellText(4, 0, QStringLiteral(" ")));
    EXPECT_EQ(model.totalText(), QStringLiteral("0"));
    ASSERT_TRUE(model.save());
    EXPECT_EQ(model.result(), QStringLiteral("0"));
    EXPECT_TRUE(stored(QStringLiteral("8")).isEmpty());
    EXPECT_EQ(stored(QStringLiteral("4")).size(), 1);
}

TEST_F(MonthAssistantTest, PaymentTotalsFollowEveryCell) {
    MonthAssistantModel model = open(QStringLiteral("FrmAnexo128"), 128);
    int changes = 0;
    model.setChangeListener([&changes] { ++changes; });
    ASSERT_EQ(model.columnIndex(QStringLiteral("compen")), 1);
    ASSERT_EQ(model.columnIndex(QStringLiteral("6")), 5);
    EXPECT_EQ(model.columnIndex(QStringLiteral("7")), -1);
    EXPECT_EQ(model.columnIndex(QStringLiteral("factor")), -1);

    // A row with only a compensation totals that compensation.
    model.setCellText(0, model.columnIndex(QStringLiteral("compen")), QStringLiteral("1234567"));
    EXPECT_EQ(model.rowTotalText(0), QStringLiteral("1,234,567"));
    EXPECT_EQ(model.cellText(0, 1), QStringLiteral("1,234,567"));
    EXPECT_EQ(model.editText(0, 1), QStringLiteral("1234567"));
    EXPECT_EQ(model.cellText(0, 0), QString());

    model.setCellText(1, model.columnIndex(QStringLiteral("pago_r")), QStringLiteral("(2,000,000)"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(model.total(), -765433);
    EXPECT_EQ(model.totalText(), QStringLiteral("(765,433)"));
}

TEST_F(MonthAssistantTest, PaymentRowsKeepEveryColumnAndReadBack) {
    MonthAssistantModel model = open(QStringLiteral("FrmAnexo128"), 128);
    model.setCellText(0, model.columnIndex(QStringLiteral("pago_r")), QStringLiteral("900"));
    model.setCellText(0, model.columnIndex(QStringLiteral("saluti")), QStringLiteral("100"));
    ASSERT_TRUE(model.save());
    QSqlQuery q = db().run(QStringLiteral("SELECT saluti, compen, pago_r FROM TMPACTA WHERE TIPO_ASIST='4'"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("100"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("0")); // empty cells of a written row are 0
    EXPECT_EQ(q.value(2).toString(), QStringLiteral("900"));
    EXPECT_FALSE(q.next());

    const MonthAssistantModel again = open(QStringLiteral("FrmAnexo128"), 128);
    EXPECT_EQ(again.totalText(), QStringLiteral("1000"));
    EXPECT_EQ(again.cellText(0, 3), QStringLiteral("900"));
}

TEST_F(MonthAssistantTest, TheItanWindowServesBothCasillasWithTheirOwnTypes) {
    struct Case {
        const char* window;
        int casilla;
        const char* type;
        const char* total;
    };
    for (const Case& c :
         {Case{"FrmAnexo126", 126, "7", "Total Casilla 126 :"}, Case{"FrmAnexo126", 131, "9", "Total Casilla 131 :"},
          Case{"frmAnexo131", 131, "9", "Total Casilla 131 :"}}) {
        const MonthAssistantKind* kind = MonthAssistantKind::find(QString::fromLatin1(c.window), c.casilla);
        ASSERT_NE(kind, nullptr) << c.window;
        EXPECT_EQ(kind->type, QString::fromLatin1(c.type)) << c.window << c.casilla;
        EXPECT_EQ(kind->totalCaption, QString::fromUtf8(c.total));
    }
    EXPECT_EQ(MonthAssistantKind::find(QStringLiteral("frmAnexo227"), 227), nullptr);
}

TEST_F(MonthAssistantTest, ASentVersionOpensReadOnly) {
    test::insertRow(db(), QStringLiteral("TMPACTA"), m_key,
                    {{QStringLiteral("TIPO_ASIST"), QStringLiteral("9")},
                     {QStringLiteral("PER_PAG"), QStringLiteral("201901")},
                     {QStringLiteral("saluti"), 300}});
    MonthAssistantModel model = open(QStringLiteral("FrmAnexo131"), 131, true);
    EXPECT_EQ(model.cellText(12, 0), QStringLiteral("300"));
    EXPECT_FALSE(model.setCellText(12, 0, QStringLiteral("5")));
    EXPECT_FALSE(model.save());
    EXPECT_EQ(model.totalText(), QStringLiteral("300"));
    EXPECT_EQ(stored(QStringLiteral("9")).value(QStringLiteral("201901")), QStringLiteral("300"));
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("CAB")), 0);
}

} // namespace
} // namespace qel::annexes
