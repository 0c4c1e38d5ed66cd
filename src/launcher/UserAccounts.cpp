#include "launcher/UserAccounts.h"

#include "app/ProcessState.h"
#include "base/Passwords.h"
#include "launcher/EarlyPasswordCheck.h"
#include "store/Database.h"

#include <QSqlQuery>

namespace qel::launcher {

const QString UserAccounts::kWrongCredentials = QStringLiteral("Usuario o contraseña incorrectos.");

std::optional<QString> UserAccounts::authenticate(const QString& user, const QString& password,
                                                  EarlyPasswordCheck* early) const {
    const QString name = user.trimmed();
    if (name.isEmpty()) {
        return std::nullopt;
    }
    QSqlQuery row =
        m_db.run(QStringLiteral("SELECT Usuario, Clave FROM CLAVES WHERE upper(trim(Usuario))=?"), {name.toUpper()});
    if (!row.next()) {
        return std::nullopt;
    }
    const QVariant rowName = row.value(0);
    const QString stored = rowName.toString().trimmed();
    const QString digest = row.value(1).toString().trimmed();
    row.finish();
    const std::optional<bool> checked = early ? early->verdict(digest, stored, password) : std::nullopt;
    if (!(checked ? *checked : app::verifyPassword(digest, stored, password))) {
        return std::nullopt;
    }
    if (app::isLegacyDigest(digest)) {
        // The unsalted digest of the first version gives way to a hash of its own.
        const QString rehashed =
            app::isDemoPassword(digest) ? app::hashDemoPassword(password) : app::hashPassword(password);
        if (!rehashed.isEmpty()) {
            m_db.run(QStringLiteral("UPDATE CLAVES SET Clave=? WHERE Usuario=?"), {rehashed, rowName}).finish();
        }
    }
    return stored;
}

QString UserAccounts::add(const QString& user, const QString& password, const QString& kind) const {
    const QString name = user.trimmed().toUpper();
    if (name.isEmpty()) {
        return QStringLiteral("Indique el nombre del usuario.");
    }
    if (password.isEmpty()) {
        return QStringLiteral("Indique la contraseña del usuario %1.").arg(name);
    }
    if (m_db.scalar(QStringLiteral("SELECT 1 FROM CLAVES WHERE upper(trim(Usuario))=?"), {name}).isValid()) {
        return QStringLiteral("El usuario %1 ya está registrado.").arg(name);
    }
    const QString hashed = app::hashPassword(password);
    if (hashed.isEmpty()) {
        return QStringLiteral("No se pudo cifrar la contraseña.");
    }
    m_db.run(QStringLiteral("INSERT INTO CLAVES (Usuario, Clave, tipo) VALUES (?, ?, ?)"), {name, hashed, kind})
        .finish();
    return {};
}

bool UserAccounts::isDemo(const QString& user) const {
    return app::isDemoPassword(
        m_db.scalar(QStringLiteral("SELECT Clave FROM CLAVES WHERE upper(trim(Usuario))=?"), {user.trimmed().toUpper()})
            .toString());
}

bool UserAccounts::seesEveryTaxpayer(const QString& user) const {
    return app::UserKind(m_db, user) == QStringLiteral("0");
}

} // namespace qel::launcher
