#include "annexes/PriorBalanceModel.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace qel::annexes {
namespace {

class PriorBalanceTest : public ::testing::Test {
protected:
    void TearDown() override { prompter->verify(); }

    // A sent version of the 2017 return with its balance in favour in casilla 138.
    void sent2017(int correl, const QString& balance) {
        store::DeclarationKey previous = key;
        previous.periodo = QStringLiteral("2017");
        test::insertRow(database.db(), QStringLiteral("HCAB"), previous,
                        {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("CORREL"), correl}});
        test::insertRow(database.db(), QStringLiteral("HDET"), previous,
                        {{QStringLiteral("SEMANA"), 0},
                         {QStringLiteral("CORREL"), correl},
                         {QStringLiteral("CASILLA"), QStringLiteral("138")},
                         {QStringLiteral("i_valor"), balance}});
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    const store::DeclarationKey key = test::demoKey();
};

TEST_F(PriorBalanceTest, TheBalanceComesFromTheLastVersionSentOfTheYearBefore) {
    sent2017(1, QStringLiteral("(5,000)"));
    sent2017(2, QStringLiteral("(7,000)"));
    struct Case {
        const char* what;
        QStringList kept;
        bool readOnly;
        const char* balance;
    };
    for (const Case& c : {Case{"nothing entered yet", {}, false, "7,000"},
                          Case{"a part already entered", {QString(), QStringLiteral("10")}, false, ""},
                          Case{"a sent version is only looked at", {}, true, ""}}) {
        PriorBalanceModel model(database.db(), *prompter, key, c.readOnly, c.kept);
        model.load();
        EXPECT_EQ(model.text(202), QString::fromLatin1(c.balance)) << c.what;
    }
}

TEST_F(PriorBalanceTest, ThePartsMayNotExceedTheBalance) {
    PriorBalanceModel model(database.db(), *prompter, key, false, {});
    model.load();
    ASSERT_TRUE(model.setText(202, QStringLiteral("1,000")));
    model.setText(203, QStringLiteral("600"));
    model.setText(204, QStringLiteral("401"));
    EXPECT_EQ(model.unappliedText(), QStringLiteral("(1)"));
    prompter->expectMessage(PriorBalanceModel::kPartsExceed, app::Icon::Critical);
    EXPECT_FALSE(model.save());
    EXPECT_FALSE(model.isClosed());

    model.setText(204, QStringLiteral("400"));
    ASSERT_TRUE(model.save());
    EXPECT_EQ(PriorBalanceModel::decode(model.result()), (QMap<int, QString>{{127, QStringLiteral("0")},
                                                                             {202, QStringLiteral("1000")},
                                                                             {203, QStringLiteral("600")},
                                                                             {204, QStringLiteral("400")}}));
}

TEST_F(PriorBalanceTest, LeavingAModifiedWindowAsksFirst) {
    struct Case {
        app::Button answer;
        bool closed;
        bool result;
    };
    for (const Case& c : {Case{app::Button::Cancel, false, false}, Case{app::Button::No, true, false},
                          Case{app::Button::Yes, true, true}}) {
        PriorBalanceModel model(database.db(), *prompter, key, false, {});
        EXPECT_TRUE(model.setText(203, QStringLiteral("")));
        prompter->expectQuestion(PriorBalanceModel::kModified, c.answer, app::Icon::Question);
        EXPECT_EQ(model.leave(), c.closed);
        EXPECT_EQ(!model.result().isEmpty(), c.result);
    }
    PriorBalanceModel untouched(database.db(), *prompter, key, false, {});
    EXPECT_TRUE(untouched.leave()); // nothing typed: no question
}

} // namespace
} // namespace qel::annexes
