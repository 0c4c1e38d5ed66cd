#include "store/DatabaseCheck.h"

#include "store/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace qel::store::database_check {

namespace {

constexpr qint64 kHeaderSize = 100;
const QByteArray kMagic("SQLite format 3\0", 16);

quint32 bigEndian(const QByteArray& bytes, int offset, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i) {
        value = (value << 8) | static_cast<quint8>(bytes.at(offset + i));
    }
    return value;
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

DatabaseFault notOurs(const QString& path, const QString& why) {
    return {SQLITE_NOTADB, QStringLiteral("El archivo %1 no es una base de datos del QEL%2.").arg(shown(path), why)};
}

// The database size its header records, when the header says it is current.
std::optional<qint64> recordedSize(const QByteArray& header) {
    quint32 pageSize = bigEndian(header, 16, 2);
    if (pageSize == 1) {
        pageSize = 65536;
    }
    const quint32 pages = bigEndian(header, 28, 4);
    const bool current = bigEndian(header, 24, 4) == bigEndian(header, 92, 4);
    if (!current || pages == 0 || pageSize < 512) {
        return std::nullopt;
    }
    return static_cast<qint64>(pageSize) * pages;
}

// A process killed during a checkpoint leaves the file shorter than its header while the
// write-ahead log (or a rollback journal) still holds the missing pages: the engine puts them
// back at the next open, so such a file is not incomplete.
bool logHoldsPages(const QString& path) {
    return QFileInfo(path + QStringLiteral("-wal")).size() > 0 ||
           QFileInfo(path + QStringLiteral("-journal")).size() > 0;
}

std::optional<DatabaseFault> unwritable(const QString& path) {
    for (const QString& file : {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")}) {
        const QFileInfo info(file);
        if (info.exists() && !info.isWritable()) {
            return DatabaseFault{SQLITE_READONLY,
                                 QStringLiteral("No se puede escribir en la base de datos %1: el archivo %2 es de "
                                                "solo lectura y no se podría grabar ninguna declaración. Corrija sus "
                                                "permisos y vuelva a iniciar el módulo.")
                                     .arg(shown(path), shown(file)),
                                 true};
        }
    }
    return std::nullopt;
}

} // namespace

const QStringList& requiredTables() {
    static const QStringList tables = {QStringLiteral("CAB"),   QStringLiteral("DET"),     QStringLiteral("ACTA"),
                                       QStringLiteral("CONT"),  QStringLiteral("CLAVES"),  QStringLiteral("PARAM"),
                                       QStringLiteral("ERROR"), QStringLiteral("envio_t"), QStringLiteral("HCAB")};
    return tables;
}

std::optional<DatabaseFault> inspectFile(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return std::nullopt; // the engine's own message names a missing file
    }
    // Only a regular file is opened: a folder is no database, and the engine would wait on a
    // FIFO for a writer that never comes.
    if (S_ISDIR(info.st_mode)) {
        return DatabaseFault{SQLITE_CANTOPEN,
                             QStringLiteral("La ruta %1 de la base de datos es una carpeta, no un archivo. Revise las "
                                            "claves DBPath y DBName de PM000.INI.")
                                 .arg(shown(path))};
    }
    if (!S_ISREG(info.st_mode)) {
        return DatabaseFault{SQLITE_CANTOPEN,
                             QStringLiteral("La ruta %1 de la base de datos no es un archivo regular (es una tubería, "
                                            "un dispositivo o un socket): no puede ser la base de datos del QEL.")
                                 .arg(shown(path))};
    }
    QFile file(path);
    if (file.size() == 0) {
        return notOurs(path, QStringLiteral(": está vacío"));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt; // unreadable: the engine says so
    }
    const QByteArray header = file.read(kHeaderSize);
    const qint64 size = file.size();
    file.close();
    if (!header.startsWith(kMagic)) {
        return notOurs(path, QString());
    }
    const std::optional<qint64> recorded = header.size() == kHeaderSize ? recordedSize(header) : std::nullopt;
    if (header.size() < kHeaderSize || (recorded && size < *recorded && !logHoldsPages(path))) {
        return DatabaseFault{SQLITE_CORRUPT,
                             QStringLiteral("El archivo %1 está incompleto: tiene %2 bytes y su cabecera indica %3. "
                                            "Restaure una copia de la base de datos.")
                                 .arg(shown(path))
                                 .arg(size)
                                 .arg(recorded.value_or(kHeaderSize))};
    }
    return unwritable(path);
}

std::optional<DatabaseFault> inspectSchema(Database& db) {
    for (const QString& table : requiredTables()) {
        const QVariant found = db.scalar(
            QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"), {table});
        if (!found.isValid()) {
            return notOurs(db.path(), QStringLiteral(": no tiene la tabla %1").arg(table));
        }
    }
    return std::nullopt;
}

QString networkFileSystemOfType(long type) {
    switch (static_cast<unsigned long>(type) & 0xFFFFFFFFUL) {
    case 0x6969UL: // NFS
        return QStringLiteral("NFS");
    case 0x517BUL:     // SMB
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
        return QStringLiteral("SMB/CIFS");
    default:
        return {};
    }
}

QString networkFileSystem(const QString& databaseFile) {
    struct statfs info {};
    const QByteArray folder = QFile::encodeName(QFileInfo(databaseFile).absolutePath());
    if (::statfs(folder.constData(), &info) != 0) {
        return {};
    }
    return networkFileSystemOfType(static_cast<long>(info.f_type));
}

QString networkFileSystemWarning(const QString& databaseFile, const QString& kind) {
    return QStringLiteral("La base de datos %1 está en una carpeta compartida por la red (%2). Una base de datos en "
                          "archivo no es segura compartida así: si varias personas trabajan con ella, use el modo de "
                          "oficina con un servidor de base de datos (qel --copy-environment).")
        .arg(databaseFile, kind);
}

} // namespace qel::store::database_check
