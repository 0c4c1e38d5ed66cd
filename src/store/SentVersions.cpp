#include "store/SentVersions.h"

#include "store/Database.h"
#include "store/TableCatalog.h"

#include <QSqlQuery>

namespace qel::store {

namespace {

const TableCatalog& catalog() {
    return TableCatalog::instance();
}

// The catalogue's table with a history copy; a name envio_t lists that the catalogue does
// not know (or keeps no history of) is an error of the database, not of the user.
const TableDef& historyTable(const QString& baseName) {
    const TableDef* def = catalog().find(baseName);
    if (def == nullptr || !def->history) {
        throw DatabaseError(-1, QStringLiteral("La tabla H%1 no existe.").arg(baseName));
    }
    return *def;
}

// The key of `fixed` that names the column (case aside), or empty.
QString fixedColumn(const QVariantMap& fixed, const QString& column) {
    for (auto it = fixed.cbegin(); it != fixed.cend(); ++it) {
        if (it.key().compare(column, Qt::CaseInsensitive) == 0) {
            return it.key();
        }
    }
    return {};
}

} // namespace

QStringList SentTables(Database& db, const QString& formulario) {
    QStringList tables;
    QSqlQuery rows = db.run(QStringLiteral("SELECT tabla_o FROM envio_t WHERE formulario=? "
                                           "AND upper(trim(tabla_o))<>'CONTROL' ORDER BY rowid"),
                            {formulario});
    while (rows.next()) {
        tables.append(rows.value(0).toString().trimmed());
    }
    return tables;
}

void DeleteVersionRows(Database& db, const QString& baseName, const DeclarationKey& key, const QString& correl) {
    const TableDef& def = historyTable(baseName);
    const SqlFilter filter = key.versionFilter(correl);
    db.run(QStringLiteral("DELETE FROM ") + TableCatalog::physicalName(def.name, Copy::History) + filter.text,
           filter.values)
        .finish();
}

void CopyVersionToPermanent(Database& db, const QString& baseName, const DeclarationKey& key, const QString& correl,
                            const QVariantMap& fixed) {
    const TableDef& def = historyTable(baseName);
    if (!def.permanent) {
        return;
    }
    const TableLayout permanent = catalog().layout(def.name, Copy::Permanent);
    const TableLayout history = catalog().layout(def.name, Copy::History);
    const qsizetype covered = permanent.checked() ? permanent.columns.size() - 1 : permanent.columns.size();

    // Inner select: every covered column by name from the history row, or its fixed value.
    QStringList names;
    QStringList expressions;
    QString letters;
    QVariantList values;
    for (qsizetype i = 0; i < covered; ++i) {
        const ColumnDef& column = permanent.columns.at(i);
        names.append(column.name);
        letters.append(QLatin1Char(typeLetter(column.type)));
        const QString fixedName = fixedColumn(fixed, column.name);
        if (!fixedName.isEmpty()) {
            expressions.append(db.dialect().typedValue(column.type) + QStringLiteral(" AS ") + column.name);
            values.append(fixed.value(fixedName));
        } else if (history.hasColumn(column.name)) {
            expressions.append(column.name);
        } else {
            // A NULL of the column's type: the server would take a bare NULL for a text.
            expressions.append(db.dialect().typedValue(column.type) + QStringLiteral(" AS ") + column.name);
            values.append(QVariant());
        }
    }
    QStringList target = names;
    QStringList selected = names;
    if (permanent.checked()) {
        target.append(TableCatalog::kCheckColumn);
        selected.append(db.dialect().checkCode(letters, permanent.keyCount, names));
    }
    const SqlFilter filter = key.versionFilter(correl);
    values.append(filter.values);
    db.run(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM (SELECT %4 FROM %5%6) AS sent")
               .arg(permanent.name, target.join(QLatin1Char(',')), selected.join(QLatin1Char(',')),
                    expressions.join(QLatin1Char(',')), history.name, filter.text),
           values)
        .finish();
}

bool VersionExists(Database& db, const DeclarationKey& key, const QString& correl) {
    const SqlFilter filter = key.versionFilter(correl);
    return db.scalar(QStringLiteral("SELECT count(*) FROM HCAB") + filter.text, filter.values).toInt() > 0;
}

} // namespace qel::store
