#include "launcher/UserAccounts.h"

#include "app/Passwords.h"
#include "app/ProcessState.h"
#include "store/Database.h"

#include <QSqlQuery>

namespace qel::launcher {

const QString UserAccounts::kWrongCredentials = QStringLiteral("Usuario o contraseña incorrectos.");

std::optional<QString> UserAccounts::authenticate(const QString& user, const QString& password) const {
    const QString name = user.trimmed();
    if (name.isEmpty()) {
        return std::nullopt;
    }
    QSqlQuery row =
        m_db.run(QStringLiteral("SELECT Usuario, Clave FROM CLAVES WHERE upper(trim(Usuario))=?"), {name.toUpper()});
    if (!row.next()) {
        return std::nullopt;
    }
    const QString stored = row.value(0).toString().trimmed();
    const QString digest = row.value(1).toString().trimmed();
    row.finish();
    if (digest.compare(app::passwordDigest(stored, password), Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    return stored;
}

bool UserAccounts::seesEveryTaxpayer(const QString& user) const {
    return app::UserKind(m_db, user) == QStringLiteral("0");
}

} // namespace qel::launcher
