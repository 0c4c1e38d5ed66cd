#pragma once

#include "launcher/LauncherFixtures.h"
#include "store/Database.h"
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
        const bool server = engine == QLatin1String(kServer);
        if (server && TestServer::uri().isEmpty()) {
            *why = QStringLiteral("Sin servidor de pruebas: QEL_TEST_SERVER no está definido.");
            return nullptr;
        }
        std::unique_ptr<OfficeDatabase> made(new OfficeDatabase(server));
        if (!made->m_database->isOpen()) {
            return nullptr; // the failure is the test's already
        }
        ensureLauncherUsers(made->db());
        ensureSentTables(made->db());
        return made;
    }

    store::Database& db() { return m_database->db(); }
    // What another connection, process or PM000.INI opens.
    QString address() const { return m_database->path(); }
    bool onServer() { return db().engine() == store::Engine::PostgreSQL; }
    // A new connection of this test's own, as a second process would open it.
    std::unique_ptr<store::Database> connect() const {
        auto opened = store::Database::open(address());
        EXPECT_TRUE(opened.database) << opened.errorText.toStdString();
        return std::move(opened.database);
    }

private:
    // The file of the file engine is a file as the other tests make it: on the server when the
    // whole suite runs there.
    explicit OfficeDatabase(bool server) {
        if (server) {
            m_database.emplace(true);
        } else {
            m_database.emplace();
        }
    }

    std::optional<TempDatabase> m_database;
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
