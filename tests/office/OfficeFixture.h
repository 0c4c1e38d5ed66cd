#pragma once

#include "launcher/LauncherFixtures.h"
#include "store/Database.h"
#include "store/ReferenceData.h"
#include "store/Schema.h"
#include "store/TransactionGuard.h"
#include "support/TestServer.h"
#include "support/TestSupport.h"

#include <QString>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace qel::test {

// The one database that several connections or processes of an office test share: a file
// (as the other tests make it) or a schema of its own on the test server, with the whole
// schema, the reference data, the demo users and the tables of a sent declaration.
class OfficeDatabase {
public:
    static constexpr const char* kFile = "file";
    static constexpr const char* kServer = "server";

    // Null, with the reason in `why`, when the engine is the server and no server is configured.
    static std::unique_ptr<OfficeDatabase> make(const QString& engine, QString* why) {
        std::unique_ptr<OfficeDatabase> made(new OfficeDatabase);
        if (engine != QLatin1String(kServer)) {
            made->m_file.emplace();
            made->prepare();
            return made;
        }
        if (TestServer::uri().isEmpty()) {
            *why = QStringLiteral("Sin servidor de pruebas: QEL_TEST_SERVER no está definido.");
            return nullptr;
        }
        made->m_server = TestServer::connect(why);
        if (!made->m_server) {
            ADD_FAILURE() << "test server: " << why->toStdString();
            return nullptr;
        }
        store::Database& db = made->m_server->db();
        store::TransactionGuard transaction(db);
        store::createSchema(db);
        store::loadReferenceData(db);
        store::loadDemoUsers(db);
        transaction.commit();
        made->prepare();
        return made;
    }

    store::Database& db() { return m_server ? m_server->db() : m_file->db(); }
    // What another connection, process or PM000.INI opens.
    QString address() const { return m_server ? m_server->schemaUri() : m_file->path(); }
    bool onServer() { return db().engine() == store::Engine::PostgreSQL; }
    QString folder() const { return m_file ? m_file->folder() : QString(); }
    // A new connection of this test's own, as a second process would open it.
    std::unique_ptr<store::Database> connect() const {
        auto opened = store::Database::open(address());
        EXPECT_TRUE(opened.database) << opened.errorText.toStdString();
        return std::move(opened.database);
    }

private:
    OfficeDatabase() = default;
    void prepare() {
        ensureLauncherUsers(db());
        ensureSentTables(db());
    }

    std::optional<TempDatabase> m_file;
    std::unique_ptr<TestServer> m_server;
};

// The engines an office test runs on, each test named after its engine.
inline const auto kOfficeEngines = ::testing::Values(OfficeDatabase::kFile, OfficeDatabase::kServer);
inline std::string officeEngineName(const ::testing::TestParamInfo<const char*>& info) {
    return info.param;
}

} // namespace qel::test

// Makes `office` for the engine of the test's parameter, or skips the test.
#define QEL_OFFICE_DATABASE(office)                                                                                    \
    QString office##Why;                                                                                               \
    auto office = qel::test::OfficeDatabase::make(QString::fromLatin1(GetParam()), &office##Why);                      \
    if (!office) {                                                                                                     \
        if (!office##Why.isEmpty() && qel::test::TestServer::uri().isEmpty()) {                                        \
            GTEST_SKIP() << office##Why.toStdString();                                                                 \
        }                                                                                                              \
        FAIL();                                                                                                        \
    }
