#pragma once

#include <QString>

namespace qel::app {

// What CLAVES.Clave holds for a user's password: the string of libsodium's crypto_pwhash
// (Argon2id with a random salt of its own and its cost written into it), so that two users
// with the same password store different texts. The demo accounts carry the mark "demo " in
// front of it. Databases of the first version hold the hex SHA-256 of the upper-cased user
// name, ":" and the password; such a digest still verifies, and the launcher replaces it with
// a new hash at the user's next login.

// A new hash of the password; empty only if the library fails (out of memory).
QString hashPassword(const QString& password);
// The same, marked as the password of a demo account.
QString hashDemoPassword(const QString& password);

// Whether the password is the one stored for the user (any of the forms above).
bool verifyPassword(const QString& stored, const QString& user, const QString& password);
// A stored form that must be replaced by a new hash (the old unsalted digest).
bool isLegacyDigest(const QString& stored);
// The account is one of the demo accounts, whose passwords everybody knows.
bool isDemoPassword(const QString& stored);

// The digest of the first version (kept to verify and migrate stored rows).
QString passwordDigest(const QString& user, const QString& password);

} // namespace qel::app
