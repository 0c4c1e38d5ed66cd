#include "base/Passwords.h"

#include <gtest/gtest.h>
#include <sodium.h>

using namespace qel;

namespace {

// Two users with one password store different texts, each of which verifies only that user's
// password; the digest of the first version still verifies and is recognised as such.
TEST(Passwords, EachStoredHashIsSaltedAndVerifies) {
    const QString ana = app::hashPassword(QStringLiteral("Contraseña 2019"));
    const QString luis = app::hashPassword(QStringLiteral("Contraseña 2019"));
    ASSERT_FALSE(ana.isEmpty());
    EXPECT_NE(ana, luis);
    EXPECT_TRUE(ana.startsWith(QStringLiteral("$argon2id$"))) << ana.toStdString();

    const QString legacy = app::passwordDigest(QStringLiteral("contador"), QStringLiteral("contador"));
    const QString demo = app::hashDemoPassword(QStringLiteral("contador"));
    const struct {
        QString stored;
        QString user;
        QString password;
        bool verifies;
        bool legacyDigest;
        bool demoAccount;
    } cases[] = {
        {ana, QStringLiteral("ANA"), QStringLiteral("Contraseña 2019"), true, false, false},
        {luis, QStringLiteral("LUIS"), QStringLiteral("Contraseña 2019"), true, false, false},
        {ana, QStringLiteral("ANA"), QStringLiteral("contraseña 2019"), false, false, false},
        {ana, QStringLiteral("ANA"), QString(), false, false, false},
        {legacy, QStringLiteral("CONTADOR"), QStringLiteral("contador"), true, true, false},
        {legacy, QStringLiteral("SUPERVISOR"), QStringLiteral("contador"), false, true, false},
        {demo, QStringLiteral("CONTADOR"), QStringLiteral("contador"), true, false, true},
        {demo, QStringLiteral("CONTADOR"), QStringLiteral("supervisor"), false, false, true},
        {QString(), QStringLiteral("CONTADOR"), QString(), false, false, false},
        {QStringLiteral("$argon2id$roto"), QStringLiteral("CONTADOR"), QStringLiteral("x"), false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toStdString() + " / " + c.password.toStdString());
        EXPECT_EQ(app::verifyPassword(c.stored, c.user, c.password), c.verifies);
        EXPECT_EQ(app::isLegacyDigest(c.stored), c.legacyDigest);
        EXPECT_EQ(app::isDemoPassword(c.stored), c.demoAccount);
    }
}

// A hash keeps its own costs: one made with the costs of the last version still verifies.
TEST(Passwords, AHashMadeWithOtherCostsStillVerifies) {
    ASSERT_GE(sodium_init(), 0);
    char older[crypto_pwhash_STRBYTES];
    ASSERT_EQ(
        crypto_pwhash_str(older, "contador", 8, crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE),
        0);
    EXPECT_TRUE(
        app::verifyPassword(QString::fromLatin1(older), QStringLiteral("CONTADOR"), QStringLiteral("contador")));
    EXPECT_FALSE(app::verifyPassword(QString::fromLatin1(older), QStringLiteral("CONTADOR"), QStringLiteral("otra")));
    EXPECT_NE(QString::fromLatin1(older).section(QLatin1Char('$'), 3, 3),
              app::hashPassword(QStringLiteral("contador")).section(QLatin1Char('$'), 3, 3));
}

} // namespace
