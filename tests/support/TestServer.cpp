#include "support/TestServer.h"

#include <QUuid>

using namespace Qt::StringLiterals;

namespace qel::test {

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
    server->m_schema = u"qel_test_"_s + QUuid::createUuid().toString(QUuid::Id128).left(16);
    server->m_db->run(u"CREATE SCHEMA "_s + server->m_schema).finish();
    server->m_db->run(u"SET search_path TO "_s + server->m_schema).finish();
    return server;
}

TestServer::~TestServer() {
    try {
        m_db->run(u"DROP SCHEMA "_s + m_schema + u" CASCADE"_s).finish();
    } catch (const store::DatabaseError&) {
        // A cluster of the test run is thrown away at its end anyway.
    }
}

} // namespace qel::test
