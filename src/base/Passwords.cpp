#include "base/Passwords.h"

#include <QCryptographicHash>
#include <algorithm>
#include <cstddef>
#include <sodium.h>

namespace qel::app {

namespace {

const QString kDemoMark = QStringLiteral("demo ");

// Argon2id with 19 MiB of memory and two passes, the least cost that password-storage guidance
// accepts for it: a login with the password on the command line then waits about 15 ms instead
// of 60. A hash keeps the costs it was made with, so older hashes verify at theirs.
constexpr unsigned long long kHashPasses = 2;
constexpr std::size_t kHashMemory = 19U * 1024U * 1024U;

bool libraryReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

QString withoutDemoMark(const QString& stored) {
    return stored.startsWith(kDemoMark) ? stored.mid(kDemoMark.size()) : stored;
}

} // namespace

QString hashPassword(const QString& password) {
    if (!libraryReady()) {
        return {};
    }
    const QByteArray secret = password.toUtf8();
    char hashed[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hashed, secret.constData(), static_cast<unsigned long long>(secret.size()), kHashPasses,
                          kHashMemory) != 0) {
        return {};
    }
    return QString::fromLatin1(hashed);
}

QString hashDemoPassword(const QString& password) {
    const QString hashed = hashPassword(password);
    return hashed.isEmpty() ? hashed : kDemoMark + hashed;
}

bool isLegacyDigest(const QString& stored) {
    const QString text = withoutDemoMark(stored.trimmed());
    static const QString hexDigits = QStringLiteral("0123456789abcdefABCDEF");
    return text.size() == 64 && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return hexDigits.contains(c); });
}

bool isDemoPassword(const QString& stored) {
    return stored.startsWith(kDemoMark);
}

bool verifyPassword(const QString& stored, const QString& user, const QString& password) {
    const QString text = withoutDemoMark(stored.trimmed());
    if (isLegacyDigest(text)) {
        return text.compare(passwordDigest(user, password), Qt::CaseInsensitive) == 0;
    }
    if (!libraryReady() || text.isEmpty()) {
        return false;
    }
    const QByteArray hashed = text.toLatin1();
    const QByteArray secret = password.toUtf8();
    return crypto_pwhash_str_verify(hashed.constData(), secret.constData(),
                                    static_cast<unsigned long long>(secret.size())) == 0;
}

QString passwordDigest(const QString& user, const QString& password) {
    const QByteArray material = (user.trimmed().toUpper() + QLatin1Char(':') + password).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(material, QCryptographicHash::Sha256).toHex());
}

} // namespace qel::app
