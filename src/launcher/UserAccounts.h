#pragma once

#include <QString>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::launcher {

class EarlyPasswordCheck;

// The launcher's users (CLAVES): who may log in, and what each one sees.
class UserAccounts {
public:
    static const QString kWrongCredentials; // "Usuario o contraseña incorrectos."

    explicit UserAccounts(store::Database& db) : m_db(db) {}

    // The user's name as CLAVES holds it when the password is right; nothing otherwise.
    // The name is found without regard to case. A digest of the first version is replaced by
    // a new hash once it has verified. A check started early gives its verdict when it read
    // the same stored hash.
    std::optional<QString> authenticate(const QString& user, const QString& password,
                                        EarlyPasswordCheck* early = nullptr) const;

    // A new user with its own password hash; kind "0" (sees every taxpayer) or "1". The
    // refusal in Spanish, or empty when the user was added.
    QString add(const QString& user, const QString& password, const QString& kind) const;
    // The account is a demo account (its password is the one the README gives).
    bool isDemo(const QString& user) const;

    // Kind "0" sees every taxpayer, any other kind only the taxpayers it registered.
    bool seesEveryTaxpayer(const QString& user) const;

private:
    store::Database& m_db;
};

} // namespace qel::launcher
