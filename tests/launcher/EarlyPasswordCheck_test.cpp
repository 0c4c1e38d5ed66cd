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

    // The password the early check was given (none without one), the login's user and
    // password, the name as CLAVES holds it (none: no such user), and whether the login passes.
    const std::tuple<const char*, const char*, const char*, std::optional<QString>, bool> cases[] = {
        {"contador", "CONTADOR", "contador", "CONTADOR", true},
        {"contador", " contador ", "contador", "CONTADOR", true},
        {"auditor", "AUDITOR", "auditor", "AUDITOR", true},
        {"otra", "AUDITOR", "otra", "AUDITOR", false},
        {"auditor", "AUDITOR", "otra", "AUDITOR", false}, // a right early check does not carry over
        {"otra", "AUDITOR", "auditor", "AUDITOR", true},
        {"contador", "NADIE", "contador", std::nullopt, false},
        {nullptr, "CONTADOR", "contador", "CONTADOR", true},
        {nullptr, " contador ", "contador", "CONTADOR", true},
        {nullptr, "Supervisor", "supervisor", "SUPERVISOR", true},
        {nullptr, "CONTADOR", "CONTADOR", "CONTADOR", false},
        {nullptr, "CONTADOR", "supervisor", "CONTADOR", false},
        {nullptr, "CONTADOR", "", "CONTADOR", false},
        {nullptr, "NADIE", "contador", std::nullopt, false},
        {nullptr, "", "", std::nullopt, false},
        {nullptr, "   ", "contador", std::nullopt, false},
    };
    for (const auto& [password, user, given, stored, passes] : cases) {
        const char* earlyPassword = password; // a structured binding cannot be captured
        SCOPED_TRACE(std::string(user) + " / " + (earlyPassword ? earlyPassword : "-") + " / " + given);
        std::optional<launcher::EarlyPasswordCheck> early;
        if (earlyPassword) {
            early.emplace(temp.path(), user, earlyPassword);
        }
        EXPECT_EQ(accounts.authenticate(user, given, early ? &*early : nullptr), passes ? stored : std::nullopt);
    }
}

TEST(EarlyPasswordCheck, GivesNoVerdictForAnotherHashOrAFileItCouldNotRead) {
    test::TempDatabase temp;
    test::ensureLauncherUsers(temp.db());
    const QString stored = app::passwordDigest("CONTADOR", "contador");

    launcher::EarlyPasswordCheck right(temp.path(), "contador", "contador");
    EXPECT_EQ(right.verifiedUser(), QString("CONTADOR")) << "the name as stored, for the module ahead";
    EXPECT_EQ(right.verdict(stored, "CONTADOR", "contador"), true) << "the login asks after the module";

    launcher::EarlyPasswordCheck wrong(temp.path(), "CONTADOR", "otra");
    EXPECT_EQ(wrong.verifiedUser(), std::nullopt);

    launcher::EarlyPasswordCheck changed(temp.path(), "CONTADOR", "contador");
    EXPECT_EQ(changed.verdict(app::hashPassword("contador"), "CONTADOR", "contador"), std::nullopt);

    launcher::EarlyPasswordCheck missing(temp.folder() + "/no-existe.db", "CONTADOR", "contador");
    EXPECT_EQ(missing.verdict(stored, "CONTADOR", "contador"), std::nullopt);
    EXPECT_EQ(missing.verifiedUser(), std::nullopt);
}
