#include "store/DeclarationLock.h"
#include "support/TestServer.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using qel::store::Database;
using qel::store::DeclarationKey;
using qel::store::DeclarationLock;

namespace {

// Declarations of their own: advisory locks are the server's, whatever the schema.
DeclarationKey someKey() {
    return {QString::number(QRandomGenerator::global()->bounded(10000000, 99999999)) + u"123"_s, u"2018"_s, u"0588"_s};
}

// Two sessions on one database, each with its own connection: what one holds, the other is
// refused and told who holds it; another declaration is free; a lock ends with its holder.
// (On a file the lock ends with the holder's process, which the system sees to.)
void twoSessions(const std::function<std::unique_ptr<Database>()>& connect, bool endsWithConnection) {
    std::unique_ptr<Database> ana = connect();
    std::unique_ptr<Database> luis = connect();
    ASSERT_TRUE(ana && luis);
    const DeclarationKey first = someKey();
    const DeclarationKey second = someKey();

    auto held = DeclarationLock::acquire(*ana, first, u"ANA"_s);
    ASSERT_TRUE(held.lock) << held.error.toStdString();

    auto refused = DeclarationLock::acquire(*luis, first, u"LUIS"_s);
    EXPECT_FALSE(refused.lock);
    ASSERT_TRUE(refused.holder);
    EXPECT_EQ(refused.holder->user, u"ANA"_s);
    EXPECT_TRUE(DeclarationLock::acquire(*luis, second, u"LUIS"_s).lock) << "two declarations at once";
    held.lock.reset();
    EXPECT_TRUE(DeclarationLock::acquire(*luis, first, u"LUIS"_s).lock) << "released with its holder";
    if (!endsWithConnection) {
        return;
    }

    // A holder whose connection ends (its process died) holds nothing.
    auto again = DeclarationLock::acquire(*ana, first, u"ANA"_s);
    ASSERT_TRUE(again.lock);
    again.lock.release(); // never released by the session itself
    ana.reset();
    EXPECT_TRUE(DeclarationLock::acquire(*luis, first, u"LUIS"_s).lock);
}

} // namespace

TEST(DeclarationLock, PerDeclarationOnAFile) {
    const qel::test::TempDatabase file(false);
    twoSessions([&file] { return Database::open(file.path()).database; }, false);
}

TEST(DeclarationLock, PerDeclarationOnTheServer) {
    QEL_NEED_SERVER(server);
    const QString uri = server->schemaUri();
    twoSessions([&uri] { return Database::openServer(uri).database; }, true);
}

// Two environments in two schemas of one server database hold the same taxpayer's declarations
// apart: the lock of one is no lock of the other.
TEST(DeclarationLock, PerEnvironmentOnOneServerDatabase) {
    QEL_NEED_SERVER(first);
    QEL_NEED_SERVER(second);
    const DeclarationKey key = someKey();
    auto one = DeclarationLock::acquire(first->db(), key, u"ANA"_s);
    auto other = DeclarationLock::acquire(second->db(), key, u"LUIS"_s);
    EXPECT_TRUE(one.lock) << one.error.toStdString();
    EXPECT_TRUE(other.lock) << other.error.toStdString();
}
