#include "store/ResourceFault.h"

#include <QDir>
#include <cerrno>
#include <sqlite3.h>

namespace qel::store {

std::optional<QString> resourceFaultText(int engineNumber, int systemErrno, const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    const int primary = engineNumber & 0xff;
    // The system's number counts only for a fault of the file system: it may be left from an
    // earlier call that failed harmlessly.
    const bool fileFault = primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN;
    if (!fileFault) {
        return std::nullopt;
    }
    if (systemErrno == EFBIG) {
        return QStringLiteral("No se pudo escribir en la base de datos %1: el archivo alcanzó el tamaño máximo que "
                              "el sistema permite a este proceso (límite de tamaño de archivo). No se grabó nada.")
            .arg(shown);
    }
    const bool noSpace = systemErrno == ENOSPC || systemErrno == EDQUOT || primary == SQLITE_FULL ||
                         engineNumber == SQLITE_IOERR_SHMSIZE;
    if (noSpace) {
        return QStringLiteral("No queda espacio en el disco para la base de datos %1 (disco lleno o cuota agotada). "
                              "Libere espacio y vuelva a intentarlo; no se grabó nada.")
            .arg(shown);
    }
    return std::nullopt;
}

} // namespace qel::store
