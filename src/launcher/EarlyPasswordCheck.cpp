#include "launcher/EarlyPasswordCheck.h"

#include "base/Passwords.h"

#include <QByteArray>
#include <sqlite3.h>

namespace qel::launcher {

namespace {

QString columnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

} // namespace

EarlyPasswordCheck::EarlyPasswordCheck(const QString& databaseFile, const QString& user, const QString& password)
    : m_checking(std::async(std::launch::async, &EarlyPasswordCheck::check, databaseFile, user, password)) {}

EarlyPasswordCheck::~EarlyPasswordCheck() {
    if (m_checking.valid()) {
        m_checking.wait();
    }
}

const EarlyPasswordCheck::Checked& EarlyPasswordCheck::result() {
    if (!m_checked) {
        m_checked = m_checking.get();
    }
    return *m_checked;
}

std::optional<QString> EarlyPasswordCheck::verifiedUser() {
    const Checked& checked = result();
    return checked.right ? std::optional(checked.user) : std::nullopt;
}

std::optional<bool> EarlyPasswordCheck::verdict(const QString& stored, const QString& user, const QString& password) {
    const Checked& checked = result();
    if (checked.stored.isEmpty() || checked.stored != stored || checked.user != user || checked.password != password) {
        return std::nullopt;
    }
    return checked.right;
}

// The row is found as the login finds it: the name without regard to case, blanks trimmed.
EarlyPasswordCheck::Checked EarlyPasswordCheck::check(const QString& databaseFile, const QString& user,
                                                      const QString& password) {
    Checked checked;
    sqlite3* handle = nullptr;
    const QByteArray file = databaseFile.toUtf8();
    if (sqlite3_open_v2(file.constData(), &handle, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray name = user.trimmed().toUpper().toUtf8();
        if (sqlite3_prepare_v2(handle, "SELECT Usuario, Clave FROM CLAVES WHERE upper(trim(Usuario))=?", -1, &statement,
                               nullptr) == SQLITE_OK &&
            sqlite3_bind_text(statement, 1, name.constData(), static_cast<int>(name.size()), SQLITE_STATIC) ==
                SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            checked.user = columnText(statement, 0).trimmed();
            checked.stored = columnText(statement, 1).trimmed();
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(handle);
    if (!checked.stored.isEmpty()) {
        checked.password = password;
        checked.right = app::verifyPassword(checked.stored, checked.user, password);
    }
    return checked;
}

} // namespace qel::launcher
