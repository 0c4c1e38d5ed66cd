#pragma once

#include "launcher/LauncherFixtures.h"
#include "store/Database.h"
#include "support/TestServer.h"
#include "support/TestSupport.h"

#include <QString>
#include <gtest/gtest.h>
#include <memory>

namespace qel::test {

// The one database that several connections or processes of an office test share: a file
// (as the other tests make it: on the server when the whole suite runs there) or a schema of its
// own on the test server, with the whole schema, the reference data, the demo users and the
// tables of a sent declaration.
class OfficeDatabase : public TempDatabase {
public:
    static constexpr const char* kFile = "file";
    static constexpr const char* kServer = "server";

    explicit OfficeDatabase(bool server) : TempDatabase(server || testsOnServer()) {
        if (isOpen()) {
            ensureLauncherUsers(db());
            ensureSentTables(db());
        }
    }

    // What another connection, process or PM000.INI opens.
    QString address() const { return path(); }
    bool onServer() { return db().engine() == store::Engine::PostgreSQL; }
    // A new connection of this test's own, as a second process would open it.
    std::unique_ptr<store::Database> connect() const {
        auto opened = store::Database::open(address());
        EXPECT_TRUE(opened.database) << opened.errorText.toStdString();
        return std::move(opened.database);
    }
};
// The engines an office test runs on, each test named after its engine.
inline const auto kOfficeEngines = ::testing::Values(OfficeDatabase::kFile, OfficeDatabase::kServer);
inline std::string officeEngineName(const ::testing::TestParamInfo<const char*>& info) {
    return info.param;
}

} // namespace qel::test

// Makes `office` for the engine of the test's parameter, or skips the test when that is the
// server and none is configured.
#define QEL_OFFICE_DATABASE(office)                                                                                    \
    const bool office##OnServer = qstrcmp(GetParam(), qel::test::OfficeDatabase::kServer) == 0;                        \
    if (office##OnServer && qel::test::TestServer::uri().isEmpty()) {                                                  \
        GTEST_SKIP() << "Sin servidor de pruebas: QEL_TEST_SERVER no está definido.";                                  \
    }                                                                                                                  \
    auto office = std::make_unique<qel::test::OfficeDatabase>(office##OnServer);                                       \
    ASSERT_TRUE(office->isOpen())
