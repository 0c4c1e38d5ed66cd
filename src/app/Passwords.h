#pragma once

#include <QString>

namespace qel::app {

// What CLAVES.Clave holds for a user's password: the hex SHA-256 of the upper-cased user
// name, ":" and the password. The launcher checks a login against it.
QString passwordDigest(const QString& user, const QString& password);

} // namespace qel::app
