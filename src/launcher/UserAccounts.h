#pragma once

#include <QString>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::launcher {

// The launcher's users (CLAVES): who may log in, and what each one sees.
class UserAccounts {
public:
    static const QString kWrongCredentials; // "Usuario o contraseña incorrectos."

    explicit UserAccounts(store::Database& db) : m_db(db) {}

    // The user's name as CLAVES holds it when the password is right; nothing otherwise.
    // The name is found without regard to case, as the password digest is computed.
    std::optional<QString> authenticate(const QString& user, const QString& password) const;

    // Kind "0" sees every taxpayer, any other kind only the taxpayers it registered.
    bool seesEveryTaxpayer(const QString& user) const;

private:
    store::Database& m_db;
};

} // namespace qel::launcher
