#pragma once

#include "store/Database.h"

#include <QString>
#include <memory>

namespace qel::test {

// The office server of the tests: QEL_TEST_SERVER holds a connection URI (scripts/test.sh
// starts a throwaway cluster and sets it). Each TestServer works in a schema of its own, made
// first in the search path and dropped at the end, so that tests never see each other's tables.
class TestServer {
public:
    // Null when no server is configured (the caller skips) or it cannot be reached (the
    // reason in `error`).
    static std::unique_ptr<TestServer> connect(QString* error = nullptr);
    static QString uri() { return qEnvironmentVariable("QEL_TEST_SERVER"); }
    // The server's URI with `schema` first in the search path.
    static QString uriWithSchema(const QString& schema) {
        const QString base = uri();
        return base + (base.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?')) +
               QStringLiteral("options=-csearch_path%3D") + schema;
    }
    ~TestServer();

    store::Database& db() { return *m_db; }
    const QString& schema() const { return m_schema; }
    // The URI with the schema first in the search path, for a second process or connection.
    QString schemaUri() const { return uriWithSchema(m_schema); }

private:
    TestServer() = default;
    std::unique_ptr<store::Database> m_db;
    QString m_schema;
};

} // namespace qel::test

// Skips the test when no server is configured; fails it when one is but cannot be reached.
#define QEL_NEED_SERVER(server)                                                                                        \
    if (qel::test::TestServer::uri().isEmpty()) {                                                                      \
        GTEST_SKIP() << "Sin servidor de pruebas: QEL_TEST_SERVER no está definido.";                                  \
    }                                                                                                                  \
    QString server##Error;                                                                                             \
    auto server = qel::test::TestServer::connect(&server##Error);                                                      \
    ASSERT_TRUE(server) << server##Error.toStdString()
