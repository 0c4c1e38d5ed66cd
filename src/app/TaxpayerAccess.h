#pragma once

#include <QString>

namespace qel::store {
class Database;
}

namespace qel::app {

// Whether the launcher user may work on a taxpayer: a user of kind "0" (supervisor) on every
// taxpayer, any other user only on the taxpayers registered under his name (CONT.USUARIO).
// Every way into a declaration (the lists, the form, the batch mode, the launcher's command
// line) asks it before reading or writing the taxpayer's rows.
bool userSeesTaxpayer(store::Database& db, const QString& userKind, const QString& sysUser, const QString& ruc);

// "El contribuyente RUC no está registrado para el usuario USER."
QString taxpayerRefusedText(const QString& ruc, const QString& user);

} // namespace qel::app
