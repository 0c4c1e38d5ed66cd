#include "launcher/EarlyPasswordCheck.h"
#include "launcher/LauncherFixtures.h"
#include "launcher/UserAccounts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qel;

// A login with a check started early answers exactly as one without it, whatever the early
// check read: the verdict only stands for the same stored hash, name and password.
TEST(EarlyPasswordCheck, ALoginAnswersAsWithoutIt) {
    test::TempDatabase temp;
    test::ensureLauncherUsers(temp.db());
    temp.db().run("UPDATE CLAVES SET Clave=? WHERE Usuario='AUDITOR'", {app::hashPassword("auditor")}).finish();
    const launcher::UserAccounts accounts(temp.db());

    const struct {
        const char* early;    // the password the early check was given
        const char* user;     // the login
        const char* password; // the password the login was given
        std::optional<QString> expected;
    } cases[] = {
        {"contador", "CONTADOR", "contador", "CONTADOR"}, {"contador", " contador ", "contador", "CONTADOR"},
        {"auditor", "AUDITOR", "auditor", "AUDITOR"},     {"otra", "AUDITOR", "otra", std::nullopt},
        {"auditor", "AUDITOR", "otra", std::nullopt}, // a right early check does not carry over
        {"otra", "AUDITOR", "auditor", "AUDITOR"},        {"contador", "NADIE", "contador", std::nullopt},
    };
    for (const auto& c : cases) {
        launcher::EarlyPasswordCheck early(temp.path(), QString::fromLatin1(c.user), QString::fromLatin1(c.early));
        EXPECT_EQ(accounts.authenticate(QString::fromLatin1(c.user), QString::fromLatin1(c.password), &early),
                  c.expected)
            << c.user << " / " << c.early << " / " << c.password;
    }
}

TEST(EarlyPasswordCheck, GivesNoVerdictForAnotherHashOrAFileItCouldNotRead) {
    test::TempDatabase temp;
    test::ensureLauncherUsers(temp.db());
    const QString stored = app::passwordDigest("CONTADOR", "contador");

    launcher::EarlyPasswordCheck right(temp.path(), "contador", "contador");
    EXPECT_EQ(right.verdict(stored, "CONTADOR", "contador"), true);

    launcher::EarlyPasswordCheck changed(temp.path(), "CONTADOR", "contador");
    EXPECT_EQ(changed.verdict(app::hashPassword("contador"), "CONTADOR", "contador"), std::nullopt);

    launcher::EarlyPasswordCheck missing(temp.folder() + "/no-existe.db", "CONTADOR", "contador");
    EXPECT_EQ(missing.verdict(stored, "CONTADOR", "contador"), std::nullopt);
}
