#include "SentVersionsFixture.h"
#include "declaration/SaveFixture.h"
#include "declaration/commands/SaveCommand.h"

using namespace Qt::StringLiterals;

namespace qel::declaration::testing {
namespace {

// A sent version opened from the list of sent declarations: shown as it was sent, with only
// the order-number boxes and the save and exit commands at the user's hand.
class SentVersionViewTest : public SaveTest {
protected:
    void SetUp() override {
        SaveTest::SetUp();
        test::addSentVersion(db(), key(), u"1"_s, u"V1"_s);
        // Casilla values the form can show.
        const store::SqlFilter version = key().versionFilter(u"1"_s);
        db().run(u"UPDATE HDET SET i_valor='1500' "_s + version.text, version.values).finish();
    }
};

TEST_F(SentVersionViewTest, OpensReadOnlyWithTheOrderNumberFrame) {
    // A row whose casilla is not a number belongs to no control: the taxpayer stays chosen.
    test::insertRow(db(), u"HDET"_s, key(),
                    {{u"SEMANA"_s, 0}, {u"CORREL"_s, u"1"_s}, {u"CASILLA"_s, u"X"_s}, {u"i_valor"_s, u"1"_s}});
    open(1, u"1"_s);
    EXPECT_EQ(model().comboCode(u"CmbRuc"_s), kRuc);
    EXPECT_EQ(model().controlText(u"TxtRazon"_s), kName);
    for (const char* name : {"TxtNumOrdenE", "TxtNumOrdenE2", "cmdGrabar", "cmdSalir"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(model().control(QString::fromLatin1(name)).enabled);
        EXPECT_TRUE(model().control(QString::fromLatin1(name)).visible);
    }
    for (const char* name : {"CmbRuc", "OptRectifica", "ChkITF", "cboContador", "TxtNombreA", "cmdValidar"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(model().control(QString::fromLatin1(name)).enabled);
    }
    EXPECT_TRUE(model().box(359).locked);
    EXPECT_EQ(model().typeKey(359, QLatin1Char('7')), KeyResult::Refused);
    EXPECT_FALSE(model().payment().enabled);

    // An ordinary opening keeps the order-number frame hidden.
    test::insertRow(db(), u"CAB"_s, key(), {{u"SEMANA"_s, 0}, {u"ESTADO"_s, 0}});
    open(1);
    EXPECT_FALSE(model().control(u"TxtNumOrdenE"_s).visible);
    EXPECT_FALSE(model().control(u"TxtNumOrdenE"_s).enabled);
    EXPECT_TRUE(model().control(u"cmdValidar"_s).enabled);
}

TEST_F(SentVersionViewTest, WrongOrderNumberIsRefusedAndWritesNothing) {
    struct Case {
        const char* why;
        const char* number;
        const char* again;
    };
    // 100008 passes the check digit; which numbers pass is the order number rule's own table.
    for (const Case& c : {Case{"empty", "", ""}, Case{"confirmation differs", "100008", "100009"},
                          Case{"check digit", "100007", "100007"}}) {
        SCOPED_TRACE(c.why);
        open(1, u"1"_s);
        const QByteArray before = test::sentTablesDigest(db());
        model().setControlText(u"TxtNumOrdenE"_s, QString::fromLatin1(c.number));
        model().setControlText(u"TxtNumOrdenE2"_s, QString::fromLatin1(c.again));
        prompter.shown.clear();

        EXPECT_EQ(session->saving().run(), SaveCommand::Outcome::OrderNumberRejected);

        ASSERT_EQ(prompter.shown.size(), 1);
        EXPECT_EQ(prompter.shown.at(0).text, u"Número de Orden Ingresado No corresponde a la declaración enviada."_s);
        EXPECT_EQ(prompter.shown.at(0).icon, app::Icon::Information);
        EXPECT_EQ(test::sentTablesDigest(db()), before);
    }
}

} // namespace
} // namespace qel::declaration::testing
