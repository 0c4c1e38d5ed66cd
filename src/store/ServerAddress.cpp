#include "store/ServerAddress.h"

#include <QSqlDatabase>
#include <QUrl>

namespace qel::store {

namespace {

QString decoded(const QString& text) {
    return QUrl::fromPercentEncoding(text.toUtf8());
}

std::optional<ServerAddress> refuse(QString* error, const QString& text) {
    if (error != nullptr) {
        *error = text;
    }
    return std::nullopt;
}

} // namespace

bool isServerUri(const QString& text) {
    const QString t = text.trimmed();
    return t.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive) ||
           t.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive);
}

std::optional<ServerAddress> parseServerUri(const QString& text, QString* error) {
    const QString uri = text.trimmed();
    if (!isServerUri(uri)) {
        return refuse(error, QStringLiteral("La dirección del servidor '%1' no comienza con postgresql://.").arg(uri));
    }
    ServerAddress address;
    address.uri = uri;
    QString rest = uri.mid(uri.indexOf(QStringLiteral("://")) + 3);
    QString query;
    if (const auto mark = rest.indexOf(QLatin1Char('?')); mark >= 0) {
        query = rest.mid(mark + 1);
        rest = rest.left(mark);
    }
    QString authority = rest;
    if (const auto slash = rest.indexOf(QLatin1Char('/')); slash >= 0) {
        authority = rest.left(slash);
        address.database = decoded(rest.mid(slash + 1));
    }
    if (const auto at = authority.lastIndexOf(QLatin1Char('@')); at >= 0) {
        const QString credentials = authority.left(at);
        authority = authority.mid(at + 1);
        if (credentials.contains(QLatin1Char(':'))) {
            return refuse(error, QStringLiteral("La dirección del servidor no debe llevar la contraseña: guárdela en "
                                                "el archivo ~/.pgpass del usuario."));
        }
        address.user = decoded(credentials);
    }
    QString portText;
    if (authority.startsWith(QLatin1Char('['))) { // [::1]:5432
        const auto close = authority.indexOf(QLatin1Char(']'));
        address.host = authority.mid(1, close - 1);
        portText = authority.mid(close + 1).startsWith(QLatin1Char(':')) ? authority.mid(close + 2) : QString();
    } else if (const auto colon = authority.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        address.host = decoded(authority.left(colon));
        portText = authority.mid(colon + 1);
    } else {
        address.host = decoded(authority);
    }
    for (const QString& pair : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const auto equals = pair.indexOf(QLatin1Char('='));
        const QString key = decoded(equals < 0 ? pair : pair.left(equals));
        const QString value = equals < 0 ? QString() : decoded(pair.mid(equals + 1));
        if (key == QStringLiteral("password")) {
            return refuse(error, QStringLiteral("La dirección del servidor no debe llevar la contraseña: guárdela en "
                                                "el archivo ~/.pgpass del usuario."));
        }
        if (key == QStringLiteral("host")) {
            address.host = value;
        } else if (key == QStringLiteral("port")) {
            portText = value;
        } else if (key == QStringLiteral("dbname")) {
            address.database = value;
        } else if (key == QStringLiteral("user")) {
            address.user = value;
        } else {
            address.options.append({key, value});
        }
    }
    if (!portText.isEmpty()) {
        bool ok = false;
        address.port = portText.toInt(&ok);
        if (!ok || address.port <= 0 || address.port > 65535) {
            return refuse(error,
                          QStringLiteral("El puerto '%1' de la dirección del servidor no es válido.").arg(portText));
        }
    }
    return address;
}

void ServerAddress::applyTo(QSqlDatabase& db) const {
    if (!host.isEmpty()) {
        db.setHostName(host);
    }
    if (port > 0) {
        db.setPort(port);
    }
    if (!database.isEmpty()) {
        db.setDatabaseName(database);
    }
    if (!user.isEmpty()) {
        db.setUserName(user);
    }
    QStringList pairs;
    for (const auto& [key, value] : options) {
        pairs.append(key + QLatin1Char('=') + value);
    }
    db.setConnectOptions(pairs.join(QLatin1Char(';')));
}

} // namespace qel::store
