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
    temp.db()
        .run(QStringLiteral("UPDATE CLAVES SET Clave=? WHERE Usuario='AUDITOR'"),
             {app::hashPassword(QStringLiteral("auditor"))})
        .finish();
    const launcher::UserAccounts accounts(temp.db());

    const struct {
        const char* early;    // the password the early check was given
        const char* user;     // the login
        const char* password; // the password the login was given
        std::optional<QString> expected;
    } cases[] = {
        {"contador", "CONTADOR", "contador", QStringLiteral("CONTADOR")},
        {"contador", " contador ", "contador", QStringLiteral("CONTADOR")},
        {"auditor", "AUDITOR", "auditor", QStringLiteral("AUDITOR")},
        {"otra", "AUDITOR", "otra", std::nullopt},
        {"auditor", "AUDITOR", "otra", std::nullopt}, // a right early check does not carry over
        {"otra", "AUDITOR", "auditor", QStringLiteral("AUDITOR")},
        {"contador", "NADIE", "contador", std::nullopt},
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
    const QString stored = app::passwordDigest(QStringLiteral("CONTADOR"), QStringLiteral("contador"));

    launcher::EarlyPasswordCheck right(temp.path(), QStringLiteral("contador"), QStringLiteral("contador"));
    EXPECT_EQ(right.verdict(stored, QStringLiteral("CONTADOR"), QStringLiteral("contador")), true);

    launcher::EarlyPasswordCheck changed(temp.path(), QStringLiteral("CONTADOR"), QStringLiteral("contador"));
    EXPECT_EQ(changed.verdict(app::hashPassword(QStringLiteral("contador")), QStringLiteral("CONTADOR"),
                              QStringLiteral("contador")),
              std::nullopt);

    launcher::EarlyPasswordCheck missing(temp.folder() + QStringLiteral("/no-existe.db"), QStringLiteral("CONTADOR"),
                                         QStringLiteral("contador"));
    EXPECT_EQ(missing.verdict(stored, QStringLiteral("CONTADOR"), QStringLiteral("contador")), std::nullopt);
}
