#include "store/DeclarationLock.h"
#include "store/Schema.h"
#include "support/TestServer.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using qel::store::Database;
using qel::store::DeclarationKey;
using qel::store::DeclarationLock;

namespace {

// Declarations of their own: advisory locks are the server's, whatever the schema.
DeclarationKey someKey() {
    return {QString::number(QRandomGenerator::global()->bounded(10000000, 99999999)) + QStringLiteral("123"),
            QStringLiteral("2018"), QStringLiteral("0588")};
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

    auto held = DeclarationLock::acquire(*ana, first, QStringLiteral("ANA"));
    ASSERT_TRUE(held.lock) << held.error.toStdString();

    auto refused = DeclarationLock::acquire(*luis, first, QStringLiteral("LUIS"));
    EXPECT_FALSE(refused.lock);
    EXPECT_TRUE(refused.error.isEmpty());
    ASSERT_TRUE(refused.holder);
    EXPECT_EQ(refused.holder->user, QStringLiteral("ANA"));
    EXPECT_TRUE(refused.holder->since.isValid());
    EXPECT_TRUE(refused.holder->text().startsWith(QStringLiteral("ANA en "))) << refused.holder->text().toStdString();

    auto other = DeclarationLock::acquire(*luis, second, QStringLiteral("LUIS"));
    EXPECT_TRUE(other.lock) << "two declarations at once";

    held.lock.reset();
    auto after = DeclarationLock::acquire(*luis, first, QStringLiteral("LUIS"));
    ASSERT_TRUE(after.lock) << "released with its holder";
    after.lock.reset();
    if (!endsWithConnection) {
        return;
    }

    // A holder whose connection ends (its process died) holds nothing.
    auto again = DeclarationLock::acquire(*ana, first, QStringLiteral("ANA"));
    ASSERT_TRUE(again.lock);
    again.lock.release(); // never released by the session itself
    ana.reset();
    EXPECT_TRUE(DeclarationLock::acquire(*luis, first, QStringLiteral("LUIS")).lock);
}

} // namespace

TEST(DeclarationLock, PerDeclarationOnAFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("QEL.db"));
    ASSERT_TRUE(qel::store::createDatabase(path).database);
    twoSessions([&path] { return Database::open(path).database; }, false);
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
    const qel::store::DeclarationKey key{QStringLiteral("20100113610"), QStringLiteral("2018"), QStringLiteral("0588")};
    auto one = qel::store::DeclarationLock::acquire(first->db(), key, QStringLiteral("ANA"));
    auto other = qel::store::DeclarationLock::acquire(second->db(), key, QStringLiteral("LUIS"));
    EXPECT_TRUE(one.lock) << one.error.toStdString();
    EXPECT_TRUE(other.lock) << other.error.toStdString();
}
