#include "launcher/LauncherFixtures.h"
#include "launcher/UserAccounts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qel;

// The launcher builds its window for the name it finds before the password has verified; that
// name must be the very one the login then answers, or the window would be another user's.
TEST(UserAccounts, TheNameFoundBeforeTheLoginIsTheOneTheLoginAnswers) {
    test::TempDatabase temp;
    test::ensureLauncherUsers(temp.db());
    const launcher::UserAccounts accounts(temp.db());

    // The name given, its right password, and the name as CLAVES holds it (none: no such user).
    const std::tuple<const char*, const char*, std::optional<QString>> cases[] = {
        {"CONTADOR", "contador", "CONTADOR"},
        {" contador ", "contador", "CONTADOR"},
        {"Supervisor", "supervisor", "SUPERVISOR"},
        {"NADIE", "contador", std::nullopt},
        {"", "contador", std::nullopt},
        {"   ", "contador", std::nullopt},
    };
    for (const auto& [user, password, expected] : cases) {
        SCOPED_TRACE(user);
        const std::optional<QString> found = accounts.storedName(QString::fromLatin1(user));
        EXPECT_EQ(found, expected);
        EXPECT_EQ(accounts.authenticate(QString::fromLatin1(user), QString::fromLatin1(password)), found);
    }
}
