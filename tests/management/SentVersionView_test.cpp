#include "SentVersionsFixture.h"
#include "declaration/SaveFixture.h"
#include "declaration/commands/SaveCommand.h"

namespace qel::declaration::testing {
namespace {

// A sent version opened from the list of sent declarations: shown as it was sent, with only
// the order-number boxes and the save and exit commands at the user's hand.
class SentVersionViewTest : public SaveTest {
protected:
    void SetUp() override {
        SaveTest::SetUp();
        test::addSentVersion(db(), key(), QStringLiteral("1"), QStringLiteral("V1"));
        // Casilla values the form can show.
        const store::SqlFilter version = key().versionFilter(QStringLiteral("1"));
        db().run(QStringLiteral("UPDATE HDET SET i_valor='1500' ") + version.text, version.values).finish();
    }
};

TEST_F(SentVersionViewTest, OpensReadOnlyWithTheOrderNumberFrame) {
    // A row whose casilla is not a number belongs to no control: the taxpayer stays chosen.
    test::insertRow(db(), QStringLiteral("HDET"), key(),
                    {{QStringLiteral("SEMANA"), 0},
                     {QStringLiteral("CORREL"), QStringLiteral("1")},
                     {QStringLiteral("CASILLA"), QStringLiteral("X")},
                     {QStringLiteral("i_valor"), QStringLiteral("1")}});
    open(1, QStringLiteral("1"));
    EXPECT_EQ(model().comboCode(QStringLiteral("CmbRuc")), kRuc);
    EXPECT_EQ(model().controlText(QStringLiteral("TxtRazon")), kName);
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
    test::insertRow(db(), QStringLiteral("CAB"), key(), {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 0}});
    open(1);
    EXPECT_FALSE(model().control(QStringLiteral("TxtNumOrdenE")).visible);
    EXPECT_FALSE(model().control(QStringLiteral("TxtNumOrdenE")).enabled);
    EXPECT_TRUE(model().control(QStringLiteral("cmdValidar")).enabled);
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
        open(1, QStringLiteral("1"));
        const QByteArray before = test::sentTablesDigest(db());
        model().setControlText(QStringLiteral("TxtNumOrdenE"), QString::fromLatin1(c.number));
        model().setControlText(QStringLiteral("TxtNumOrdenE2"), QString::fromLatin1(c.again));
        prompter.shown.clear();

        EXPECT_EQ(session->saving().run(), SaveCommand::Outcome::OrderNumberRejected);

        ASSERT_EQ(prompter.shown.size(), 1);
        EXPECT_EQ(prompter.shown.at(0).text,
                  QStringLiteral("Número de Orden Ingresado No corresponde a la declaración enviada."));
        EXPECT_EQ(prompter.shown.at(0).icon, app::Icon::Information);
        EXPECT_EQ(test::sentTablesDigest(db()), before);
    }
}

} // namespace
} // namespace qel::declaration::testing
