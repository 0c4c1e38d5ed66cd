#include "base/Passwords.h"

#include <gtest/gtest.h>
#include <sodium.h>

using namespace Qt::StringLiterals;

using namespace qel;

namespace {

// Two users with one password store different texts, each of which verifies only that user's
// password; the digest of the first version still verifies and is recognised as such.
TEST(Passwords, EachStoredHashIsSaltedAndVerifies) {
    const QString ana = app::hashPassword(u"Contraseña 2019"_s);
    const QString luis = app::hashPassword(u"Contraseña 2019"_s);
    ASSERT_FALSE(ana.isEmpty());
    EXPECT_NE(ana, luis);
    EXPECT_TRUE(ana.startsWith(u"$argon2id$"_s)) << ana.toStdString();

    const QString legacy = app::passwordDigest(u"contador"_s, u"contador"_s);
    const QString demo = app::hashDemoPassword(u"contador"_s);
    const struct {
        QString stored;
        QString user;
        QString password;
        bool verifies;
        bool legacyDigest;
        bool demoAccount;
    } cases[] = {
        {ana, u"ANA"_s, u"Contraseña 2019"_s, true, false, false},
        {luis, u"LUIS"_s, u"Contraseña 2019"_s, true, false, false},
        {ana, u"ANA"_s, u"contraseña 2019"_s, false, false, false},
        {ana, u"ANA"_s, QString(), false, false, false},
        {legacy, u"CONTADOR"_s, u"contador"_s, true, true, false},
        {legacy, u"SUPERVISOR"_s, u"contador"_s, false, true, false},
        {demo, u"CONTADOR"_s, u"contador"_s, true, false, true},
        {demo, u"CONTADOR"_s, u"supervisor"_s, false, false, true},
        {QString(), u"CONTADOR"_s, QString(), false, false, false},
        {u"$argon2id$roto"_s, u"CONTADOR"_s, u"x"_s, false, false, false},
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
    EXPECT_TRUE(app::verifyPassword(QString::fromLatin1(older), u"CONTADOR"_s, u"contador"_s));
    EXPECT_FALSE(app::verifyPassword(QString::fromLatin1(older), u"CONTADOR"_s, u"otra"_s));
}

} // namespace
