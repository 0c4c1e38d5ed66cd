#include "launcher/EarlyPasswordCheck.h"
#include "launcher/LauncherFixtures.h"
#include "launcher/UserAccounts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qel;

// The login checks the digest and answers the stored name; with a check started early it
// answers exactly as without, whatever the early check read: the verdict only stands for the
// same stored hash, name and password.
TEST(UserAccounts, TheLoginAnswersTheStoredNameWithOrWithoutAnEarlyCheck) {
    test::TempDatabase temp;
    test::ensureLauncherUsers(temp.db());
    temp.db().run("UPDATE CLAVES SET Clave=? WHERE Usuario='AUDITOR'", {app::hashPassword("auditor")}).finish();
    const launcher::UserAccounts accounts(temp.db());

    const struct {
        const char* early;    // the password the early check was given; none without one
        const char* user;     // the login
        const char* password; // the password the login was given
        std::optional<QString> expected;
    } cases[] = {
        {"contador", "CONTADOR", "contador", "CONTADOR"},    {"contador", " contador ", "contador", "CONTADOR"},
        {"auditor", "AUDITOR", "auditor", "AUDITOR"},        {"otra", "AUDITOR", "otra", std::nullopt},
        {"auditor", "AUDITOR", "otra", std::nullopt}, // a right early check does not carry over
        {"otra", "AUDITOR", "auditor", "AUDITOR"},           {"contador", "NADIE", "contador", std::nullopt},
        {nullptr, "CONTADOR", "contador", "CONTADOR"},       {nullptr, " contador ", "contador", "CONTADOR"},
        {nullptr, "SUPERVISOR", "supervisor", "SUPERVISOR"}, {nullptr, "CONTADOR", "CONTADOR", std::nullopt},
        {nullptr, "CONTADOR", "supervisor", std::nullopt},   {nullptr, "CONTADOR", "", std::nullopt},
        {nullptr, "NADIE", "contador", std::nullopt},        {nullptr, "", "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.user) + " / " + (c.early ? c.early : "-") + " / " + c.password);
        std::optional<launcher::EarlyPasswordCheck> early;
        if (c.early) {
            early.emplace(temp.path(), c.user, c.early);
        }
        EXPECT_EQ(accounts.authenticate(c.user, c.password, early ? &*early : nullptr), c.expected);
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
