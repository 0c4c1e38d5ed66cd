#include "printing/SpoolRegistry.h"

#include "store/Database.h"
#include "store/DeclarationKey.h"
#include "store/TransactionGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef O_NOFOLLOW
#define O_NOFOLLOW 0
#endif
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif

namespace qel::printing {

const QString SpoolRegistry::kWithoutAnnexes = QStringLiteral("RPJ096");
const QString SpoolRegistry::kWithAnnexes = QStringLiteral("RPJ098");

SpoolRegistry::SpoolRegistry(store::Database& db, QString folder) : m_db(db), m_folder(std::move(folder)) {}

namespace {

// Whether anything, a dangling link included, stands at a path.
bool taken(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// Names past the last registered one tried for a free one; past them the write refuses.
constexpr int kNamesTried = 1000;

} // namespace

QString SpoolRegistry::folderRefusal(const QString& folder) {
    struct stat info {};
    if (::stat(QFile::encodeName(folder).constData(), &info) == 0 && (info.st_mode & S_IWOTH) != 0) {
        return QStringLiteral("La carpeta de reportes %1 puede ser modificada por cualquier usuario del equipo; por "
                              "seguridad no se escriben reportes en ella. Quite el permiso de escritura de los otros "
                              "usuarios sobre esa carpeta o indique otra en la configuración.")
            .arg(QDir::toNativeSeparators(folder));
    }
    return {};
}

bool SpoolRegistry::save(const SpoolEntry& entry, const QString& fileText, QString* error) {
    const QString folder = QFileInfo(entry.path).absolutePath();
    const auto fail = [error, &entry](const QString& why) {
        if (error != nullptr) {
            *error = why.isEmpty() ? QStringLiteral("No se pudo escribir el archivo del reporte %1.")
                                         .arg(QDir::toNativeSeparators(entry.path))
                                   : why;
        }
        return false;
    };
    if (!QDir().mkpath(folder)) {
        return fail({});
    }
    if (const QString refusal = folderRefusal(folder); !refusal.isEmpty()) {
        return fail(refusal);
    }
    // A new file only: O_EXCL refuses a name already taken and O_NOFOLLOW a link planted there,
    // so the report never lands in a file that someone else chose.
    const int fd =
        ::open(QFile::encodeName(entry.path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return fail(errno == EEXIST || errno == ELOOP
                        ? QStringLiteral("Ya existe un archivo con el nombre del reporte %1; no se reemplaza.")
                              .arg(QDir::toNativeSeparators(entry.path))
                        : QString());
    }
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        ::unlink(QFile::encodeName(entry.path).constData());
        return fail({});
    }
    const QByteArray bytes = fileText.toUtf8();
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written) {
        ::unlink(QFile::encodeName(entry.path).constData());
        return fail({});
    }
    return true;
}

QString SpoolRegistry::pathOf(const QString& archivo) const {
    return QDir(m_folder).filePath(archivo);
}

SpoolEntry SpoolRegistry::allocate(const QString& codRep, const QString& user, const QString& ruc, const QDate& date) {
    store::TransactionGuard transaction(m_db);
    SpoolEntry entry = insertRow(codRep, user, ruc, date);
    transaction.commit();
    return entry;
}

std::optional<SpoolEntry> SpoolRegistry::publish(const QString& codRep, const QString& user, const QString& ruc,
                                                 const QDate& date, const QString& fileText, QString* error) {
    if (const QString refusal = folderRefusal(m_folder); !refusal.isEmpty()) {
        if (error != nullptr) {
            *error = refusal;
        }
        return std::nullopt;
    }
    store::TransactionGuard transaction(m_db);
    SpoolEntry entry = insertRow(codRep, user, ruc, date);
    if (!save(entry, fileText, error)) {
        return std::nullopt; // the guard takes the row back
    }
    transaction.commit();
    return entry;
}

SpoolEntry SpoolRegistry::insertRow(const QString& codRep, const QString& user, const QString& ruc, const QDate& date) {
    const qlonglong lastOfCode =
        m_db.scalar(QStringLiteral("SELECT max(CAST(Secuencia AS INTEGER)) FROM SPOOL WHERE CodRep=?"), {codRep})
            .toLongLong();
    const qlonglong lastFile =
        m_db.scalar(QStringLiteral("SELECT max(CAST(substr(Archivo,1,8) AS INTEGER)) FROM SPOOL")).toLongLong();

    SpoolEntry entry;
    entry.codRep = codRep;
    entry.secuencia = QStringLiteral("%1").arg(lastOfCode + 1, 6, 10, QLatin1Char('0'));
    for (qlonglong number = lastFile + 1; number <= lastFile + kNamesTried; ++number) {
        entry.archivo = QStringLiteral("%1.PRN").arg(number, 8, 10, QLatin1Char('0'));
        entry.path = pathOf(entry.archivo);
        if (!taken(entry.path)) {
            break;
        }
    }
    m_db.run(QStringLiteral("INSERT INTO SPOOL (CodRep, Secuencia, Archivo, Fecha, usuario, TIP_DOC_D, Doc_id_d) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?)"),
             {codRep, entry.secuencia, entry.archivo, date.toString(Qt::ISODate), user, store::DeclarationKey::kTipDocD,
              ruc});
    return entry;
}

} // namespace qel::printing
