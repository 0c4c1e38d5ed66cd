#include "app/Passwords.h"

#include <QCryptographicHash>

namespace qel::app {

QString passwordDigest(const QString& user, const QString& password) {
    const QByteArray material = (user.trimmed().toUpper() + QLatin1Char(':') + password).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(material, QCryptographicHash::Sha256).toHex());
}

} // namespace qel::app
