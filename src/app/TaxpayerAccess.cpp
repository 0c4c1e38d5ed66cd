#include "app/TaxpayerAccess.h"

#include "store/Database.h"
#include "store/DeclarationKey.h"

namespace qel::app {

bool userSeesTaxpayer(store::Database& db, const QString& userKind, const QString& sysUser, const QString& ruc) {
    if (userKind.trimmed() == QStringLiteral("0")) {
        return true;
    }
    return db
        .scalar(QStringLiteral("SELECT 1 FROM CONT WHERE TIP_DOC_D=? AND trim(DOC_ID_D)=? AND trim(USUARIO)=?"),
                {store::DeclarationKey::kTipDocD, ruc.trimmed(), sysUser.trimmed()})
        .isValid();
}

QString taxpayerRefusedText(const QString& ruc, const QString& user) {
    return QStringLiteral("El contribuyente %1 no está registrado para el usuario %2.")
        .arg(ruc.trimmed(), user.trimmed());
}

} // namespace qel::app
