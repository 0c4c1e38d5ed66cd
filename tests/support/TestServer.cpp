#include "support/TestServer.h"

#include <QUuid>

namespace qel::test {

QString TestServer::uri() {
    return qEnvironmentVariable("QEL_TEST_SERVER");
}

std::unique_ptr<TestServer> TestServer::connect(QString* error) {
    if (uri().isEmpty()) {
        return nullptr;
    }
    store::Database::OpenResult opened = store::Database::openServer(uri());
    if (!opened.database) {
        if (error != nullptr) {
            *error = opened.errorText;
        }
        return nullptr;
    }
    std::unique_ptr<TestServer> server(new TestServer);
    server->m_db = std::move(opened.database);
    server->m_schema = QStringLiteral("qel_test_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    server->m_db->run(QStringLiteral("CREATE SCHEMA ") + server->m_schema).finish();
    server->m_db->run(QStringLiteral("SET search_path TO ") + server->m_schema).finish();
    return server;
}

TestServer::~TestServer() {
    try {
        m_db->run(QStringLiteral("DROP SCHEMA ") + m_schema + QStringLiteral(" CASCADE")).finish();
    } catch (const store::DatabaseError&) {
        // A cluster of the test run is thrown away at its end anyway.
    }
}

QString TestServer::schemaUri() const {
    const QString base = uri();
    return base + (base.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?')) +
           QStringLiteral("options=-csearch_path%3D") + m_schema;
}

} // namespace qel::test
