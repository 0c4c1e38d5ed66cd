#include "AnnexFixture.h"
#include "annexes/PriorBalanceModel.h"

using namespace Qt::StringLiterals;

namespace qel::annexes {
namespace {

class PriorBalanceTest : public testing::AnnexFixture {
protected:
    PriorBalanceModel window(bool readOnly = false, const QStringList& kept = {}) {
        return PriorBalanceModel(db(), *prompter, key(), readOnly, kept);
    }
};

// The balance in favour comes from casilla 138 of the last version sent of the year before.
TEST_F(PriorBalanceTest, TheBalanceComesFromTheLastVersionSentOfTheYearBefore) {
    store::DeclarationKey previous = key();
    previous.periodo = u"2017"_s;
    for (const auto& [correl, balance] : {std::pair{1, "(5,000)"}, {2, "(7,000)"}}) {
        test::insertRow(db(), u"HCAB"_s, previous, {{u"SEMANA"_s, 0}, {u"CORREL"_s, correl}});
        test::insertRow(db(), u"HDET"_s, previous,
                        {{u"SEMANA"_s, 0},
                         {u"CORREL"_s, correl},
                         {u"CASILLA"_s, u"138"_s},
                         {u"i_valor"_s, QString::fromLatin1(balance)}});
    }
    struct Case {
        const char* what;
        QStringList kept;
        bool readOnly;
        const char* balance;
    };
    for (const Case& c : {Case{"nothing entered yet", {}, false, "7,000"},
                          Case{"a part already entered", {QString(), u"10"_s}, false, ""},
                          Case{"a sent version is only looked at", {}, true, ""}}) {
        PriorBalanceModel model = window(c.readOnly, c.kept);
        model.load();
        EXPECT_EQ(model.text(202), QString::fromLatin1(c.balance)) << c.what;
    }
}

TEST_F(PriorBalanceTest, ThePartsMayNotExceedTheBalance) {
    PriorBalanceModel model = window();
    model.load();
    ASSERT_TRUE(model.setText(202, u"1,000"_s));
    model.setText(203, u"600"_s);
    model.setText(204, u"401"_s);
    EXPECT_EQ(model.unappliedText(), u"(1)"_s);
    prompter->expectMessage(PriorBalanceModel::kPartsExceed, app::Icon::Critical);
    EXPECT_FALSE(model.save());
    EXPECT_FALSE(model.isClosed());

    model.setText(204, u"400"_s);
    ASSERT_TRUE(model.save());
    EXPECT_EQ(PriorBalanceModel::decode(model.result()),
              (QMap<int, QString>{{127, u"0"_s}, {202, u"1000"_s}, {203, u"600"_s}, {204, u"400"_s}}));
}

TEST_F(PriorBalanceTest, LeavingAModifiedWindowAsksFirst) {
    EXPECT_TRUE(window().leave()); // nothing typed: no question
    for (const auto& [answer, closed, result] : {std::tuple{app::Button::Cancel, false, false},
                                                 {app::Button::No, true, false},
                                                 {app::Button::Yes, true, true}}) {
        PriorBalanceModel model = window();
        EXPECT_TRUE(model.setText(203, u""_s));
        prompter->expectQuestion(PriorBalanceModel::kModified, answer, app::Icon::Question);
        EXPECT_EQ(model.leave(), closed);
        EXPECT_EQ(!model.result().isEmpty(), result);
    }
}

} // namespace
} // namespace qel::annexes
