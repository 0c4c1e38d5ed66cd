#include "printing/SpoolRegistry.h"

#include "store/Database.h"
#include "store/DeclarationKey.h"
#include "store/TransactionGuard.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace qel::printing {

const QString SpoolRegistry::kWithoutAnnexes = QStringLiteral("RPJ096");
const QString SpoolRegistry::kWithAnnexes = QStringLiteral("RPJ098");

SpoolRegistry::SpoolRegistry(store::Database& db, QString folder) : m_db(db), m_folder(std::move(folder)) {}

bool SpoolRegistry::save(const SpoolEntry& entry, const QString& fileText) {
    if (!QDir().mkpath(QFileInfo(entry.path).absolutePath())) {
        return false;
    }
    QSaveFile file(entry.path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(fileText.toUtf8());
    return file.commit();
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
                                                 const QDate& date, const QString& fileText) {
    store::TransactionGuard transaction(m_db);
    SpoolEntry entry = insertRow(codRep, user, ruc, date);
    if (!save(entry, fileText)) {
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
    entry.archivo = QStringLiteral("%1.PRN").arg(lastFile + 1, 8, 10, QLatin1Char('0'));
    entry.path = pathOf(entry.archivo);
    m_db.run(QStringLiteral("INSERT INTO SPOOL (CodRep, Secuencia, Archivo, Fecha, usuario, TIP_DOC_D, Doc_id_d) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?)"),
             {codRep, entry.secuencia, entry.archivo, date.toString(Qt::ISODate), user, store::DeclarationKey::kTipDocD,
              ruc});
    return entry;
}

} // namespace qel::printing
