#include "app/ProcessState.h"

namespace qel::app {

QString DescribeError(store::Database& db, int code) {
    const QString codError = QStringLiteral("%1").arg(code, 4, 10, QLatin1Char('0'));
    return db.scalar(QStringLiteral("SELECT DescError FROM ERROR WHERE CodError=?"), {codError}).toString();
}

QString UserKind(store::Database& db, const QString& sysUser) {
    const QVariant kind = db.scalar(QStringLiteral("SELECT tipo FROM CLAVES WHERE Usuario=?"), {sysUser});
    return kind.isValid() ? kind.toString().trimmed() : QStringLiteral("1");
}

} // namespace qel::app
