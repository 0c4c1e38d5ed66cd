#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <optional>

class QSqlDatabase;

namespace qel::store {

// The office server a libpq connection URI names: postgresql://[user@][host][:port][/database]
// [?key=value&...]. A host may also be a socket folder, given as ?host=/run/postgresql or
// percent-encoded (%2Frun%2Fpostgresql). What is left out, libpq takes from its environment
// (PGHOST, PGPORT, PGUSER, PGDATABASE) and the password from ~/.pgpass, as psql does.
struct ServerAddress {
    QString uri;
    QString host;
    int port = -1;
    QString database;
    QString user;
    QList<QPair<QString, QString>> options; // sslmode, connect_timeout, application_name ...

    // Host, port, database, user and options on a QPSQL connection.
    void applyTo(QSqlDatabase& db) const;
    QString display() const { return uri; }
};

// The address of a URI, or nothing with the reason in `error` (not a postgresql:// URI, a port
// that is no number, a password written in it).
std::optional<ServerAddress> parseServerUri(const QString& uri, QString* error = nullptr);

// Whether a database setting names a server rather than a file.
bool isServerUri(const QString& text);

} // namespace qel::store
