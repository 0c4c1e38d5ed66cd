#include "store/ServerCopy.h"

#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"

#include <QSqlError>
#include <QSqlQuery>

namespace qel::store {

namespace {

bool fileHasTable(Database& file, const QString& table) {
    return file.scalar(
                   QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"),
                   {table})
               .toInt() > 0;
}

QStringList checkCodes(Database& db, const TableLayout& layout) {
    QStringList covered = layout.columnNames();
    covered.removeLast(); // cNumero
    QString letters;
    for (qsizetype i = 0; i < covered.size(); ++i) {
        letters.append(QLatin1Char(typeLetter(layout.columns.at(i).type)));
    }
    QSqlQuery rows = db.run(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
            .arg(db.dialect().checkCode(letters, layout.keyCount, covered), layout.name, db.dialect().rowOrder()));
    QStringList codes;
    while (rows.next()) {
        codes.append(rows.value(0).toString());
    }
    return codes;
}

// A value as the server's column takes it: blanks in a numeric column are NULL.
QVariant serverValue(const QVariant& value, ColumnType type) {
    if (type == ColumnType::Text || type == ColumnType::Date || value.isNull()) {
        return value;
    }
    if (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty()) {
        return {};
    }
    return value;
}

} // namespace

ServerCopyResult copyToServer(Database& file, Database& server) {
    ServerCopyResult result;
    const TableCatalog& catalog = TableCatalog::instance();
    try {
        if (server.scalar(QStringLiteral("SELECT to_regclass('param') IS NOT NULL")).toBool()) {
            result.message = QStringLiteral("La base de datos del servidor %1 ya tiene las tablas del QEL; no se "
                                            "copió nada.")
                                 .arg(server.path());
            return result;
        }
        TransactionGuard transaction(server);
        for (const QString& statement : catalog.ddl(server.dialect())) {
            server.run(statement).finish();
        }
        for (const TableLayout& layout : catalog.physicalTables()) {
            if (!fileHasTable(file, layout.name)) {
                continue;
            }
            const QStringList columns = layout.columnNames();
            const QString marks = QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(','));
            QSqlQuery insert(server.connection());
            const QString insertSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                          .arg(layout.name, columns.join(QLatin1Char(',')), marks);
            if (!insert.prepare(insertSql)) {
                throw DatabaseError(-1, insert.lastError().text(), insertSql);
            }
            QSqlQuery rows = file.run(
                QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(columns.join(QLatin1Char(',')), layout.name));
            int count = 0;
            while (rows.next()) {
                for (int i = 0; i < columns.size(); ++i) {
                    insert.bindValue(i, serverValue(rows.value(i), layout.columns.at(i).type));
                }
                if (!insert.exec()) {
                    result.message = QStringLiteral("No se pudo copiar la fila %1 de la tabla %2: %3")
                                         .arg(count + 1)
                                         .arg(layout.name, insert.lastError().databaseText().trimmed());
                    return result; // the transaction rolls back
                }
                ++count;
            }
            const int copied = server.scalar(QStringLiteral("SELECT count(*) FROM ") + layout.name).toInt();
            if (copied != count) {
                result.message = QStringLiteral("La tabla %1 tiene %2 filas en el archivo y %3 en el servidor; no se "
                                                "copió nada.")
                                     .arg(layout.name)
                                     .arg(count)
                                     .arg(copied);
                return result;
            }
            if (layout.checked() && checkCodes(file, layout) != checkCodes(server, layout)) {
                result.message = QStringLiteral("Los códigos de verificación de la tabla %1 no coinciden entre el "
                                                "archivo y el servidor; no se copió nada.")
                                     .arg(layout.name);
                return result;
            }
            result.lines.append(QStringLiteral("%1: %2").arg(layout.name).arg(count));
        }
        transaction.commit();
    } catch (const DatabaseError& error) {
        result.message = QStringLiteral("No se pudo copiar la base de datos al servidor:\n%1").arg(error.text());
        result.lines.clear();
        return result;
    }
    result.copied = true;
    result.message = QStringLiteral("Base de datos %1 copiada al servidor %2: %3 tablas, filas y códigos de "
                                    "verificación comprobados. El archivo quedó como estaba.")
                         .arg(file.path(), server.path())
                         .arg(result.lines.size());
    return result;
}

} // namespace qel::store
