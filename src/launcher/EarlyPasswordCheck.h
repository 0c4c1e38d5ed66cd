#pragma once

#include <QString>
#include <future>
#include <optional>

namespace qel::launcher {

// The password of a command-line login, checked on a thread of its own while the launcher
// starts its window system: the slow hash is a good part of the start-up.
// The thread reads the stored hash with a read-only connection of its own and writes nothing.
// Its verdict counts only for the very hash, user name and password the login then reads
// itself; anything else (another hash, a database that could not be read) gives no verdict,
// and the login verifies as always.
class EarlyPasswordCheck {
public:
    EarlyPasswordCheck(const QString& databaseFile, const QString& user, const QString& password);
    ~EarlyPasswordCheck();
    EarlyPasswordCheck(const EarlyPasswordCheck&) = delete;
    EarlyPasswordCheck& operator=(const EarlyPasswordCheck&) = delete;

    // Waits for the check; whether the password is right, when it was checked against this
    // stored hash of this user.
    std::optional<bool> verdict(const QString& stored, const QString& user, const QString& password);
    // Waits for the check; the user's name as stored, when the password is right.
    std::optional<QString> verifiedUser();

private:
    struct Checked {
        QString stored; // the hash as CLAVES held it; empty when nothing was read
        QString user;   // the name as CLAVES holds it
        QString password;
        bool right = false;
    };
    static Checked check(const QString& databaseFile, const QString& user, const QString& password);
    const Checked& result();

    std::future<Checked> m_checking;
    std::optional<Checked> m_checked;
};

} // namespace qel::launcher
