#include "store/WorkingCopies.h"

#include "store/ConnectionStatements.h"
#include "store/Database.h"
#include "store/DeclarationTables.h"
#include "store/ExecuteSql.h"
#include "store/SentVersions.h"
#include "store/StatementCache.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"
#include "store/WorkingCopiesKeptCodes.h"

#include <QHash>
#include <QStringList>

namespace qel::store {

namespace {

const TableCatalog& catalog() {
    return TableCatalog::instance();
}

QString typeLetters(const TableLayout& layout, int count) {
    QString letters;
    for (int i = 0; i < count; ++i) {
        letters.append(QLatin1Char(typeLetter(layout.columns.at(i).type)));
    }
    return letters;
}

// The person's name of a counterpart balance, rebuilt as "surname surname, names".
QHash<QString, QString> counterpartNameRebuild() {
    return {
        {QStringLiteral("des_nom_razon"),
         QStringLiteral("CASE WHEN trim(coalesce(tipo_des,''))='1' THEN trim(coalesce(des_apellido_p,'')) || ' ' || "
                        "trim(coalesce(des_apellido_m,'')) || ', ' || trim(coalesce(des_nombres,'')) "
                        "ELSE des_nom_razon END")}};
}

// The declaration key's condition: placeholders only, the same text for every declaration.
const QString& keyCondition() {
    static const QString text = DeclarationKey{}.filter().text;
    return text;
}

QVariantList keyValues(const DeclarationKey& key) {
    return key.filter().values;
}

} // namespace

void DeleteDeclarationRows(Database& db, const QString& table, const DeclarationKey& key) {
    const std::optional<TableLayout> layout = catalog().resolve(table);
    if (!layout) {
        throw DatabaseError(-1, QStringLiteral("La tabla %1 no existe.").arg(table));
    }
    if (!layout->def->declaration) {
        db.run(QStringLiteral("DELETE FROM ") + table).finish(); // a table without the key columns
        return;
    }
    // Working rows too go by the key: the file is shared, and rows of another declaration
    // or another module are never this form's to remove.
    connectionStatements(db).run(QStringLiteral("DELETE FROM ") + table + keyCondition(), keyValues(key));
}

namespace {

QStringList workingTables() {
    QStringList names;
    for (const TableDef& def : catalog().tables()) {
        if (def.working) {
            names.append(TableCatalog::physicalName(def.name, Copy::Working));
        }
    }
    return names;
}

} // namespace

void emptyWorkingCopies(Database& db, const DeclarationKey& key) {
    if (!key.isComplete()) {
        return;
    }
    TransactionGuard transaction(db);
    for (const QString& table : workingTables()) {
        DeleteDeclarationRows(db, table, key);
    }
    transaction.commit();
}

void clearLeftoverWorkingCopies(Database& db, const QString& periodo, const QString& formulario) {
    SqlFilter filter;
    filter.andEquals(QStringLiteral("TIP_DOC_D"), DeclarationKey::kTipDocD)
        .andEquals(QStringLiteral("PERIODO"), periodo)
        .andEquals(QStringLiteral("FORMULARIO"), formulario);
    TransactionGuard transaction(db);
    for (const QString& table : workingTables()) {
        if (catalog().resolve(table)->def->declaration) {
            db.run(QStringLiteral("DELETE FROM ") + table + filter.text, filter.values).finish();
        }
    }
    transaction.commit();
}

namespace {

// The one working table whose presence on the connection says that they all are: they are
// made together, in one transaction.
QString sessionMark() {
    return workingTables().last();
}

} // namespace

bool hasSessionWorkingTables(Database& db) {
    // Where the engines keep a connection's own tables.
    const QString sql =
        db.engine() == Engine::SQLite
            ? QStringLiteral("SELECT count(*) FROM sqlite_temp_master WHERE type='table' AND lower(name)=lower(?)")
            : QStringLiteral("SELECT count(*) FROM pg_catalog.pg_class WHERE relnamespace=pg_my_temp_schema() AND "
                             "relname=lower(?)");
    return db.scalar(sql, {sessionMark()}).toLongLong() > 0;
}

void useSessionWorkingTables(Database& db) {
    if (hasSessionWorkingTables(db)) {
        return;
    }
    TransactionGuard transaction(db);
    for (const QString& statement : catalog().sessionWorkingDdl(db.dialect())) {
        db.run(statement).finish();
    }
    transaction.commit();
    // A statement prepared before may still name the shared table (the server keeps its plan).
    releaseConnectionStatements(&db);
    if (KeptCheckCodes* kept = KeptCheckCodes::of(db, false)) {
        kept->forgetAll();
    }
}

namespace {

// The copy of a table's working rows into its permanent table, with new check codes; the same
// text for every declaration, built once per table. With `keep`, a row that still holds the
// code of the permanent row it was copied from (qel_kept_code, SQLite only) keeps it.
const QString& copyToPermanentSql(const TableDef& def, const SqlDialect& dialect, bool keep) {
    static QHash<QString, QString> texts[2][2]; // per engine, and whether kept codes stay
    QHash<QString, QString>& known = texts[dialect.engine() == Engine::SQLite ? 0 : 1][keep ? 1 : 0];
    const auto found = known.constFind(def.name);
    if (found != known.cend()) {
        return *found;
    }
    const TableLayout permanent = catalog().layout(def.name, Copy::Permanent);
    const TableLayout working = catalog().layout(def.name, Copy::Working);
    QStringList columns = permanent.columnNames();
    QStringList selected = columns;
    if (permanent.checked()) {
        const int covered = static_cast<int>(columns.size()) - 1;
        const QStringList coveredColumns = columns.mid(0, covered);
        const QString computed = dialect.checkCode(typeLetters(permanent, covered), permanent.keyCount, coveredColumns);
        selected.last() =
            keep ? QStringLiteral("CASE WHEN qel_kept_code(rowid) THEN %1 ELSE %2 END").arg(columns.last(), computed)
                 : computed;
    }
    QString order;
    if (def.name == QStringLiteral("F564MINERIA")) {
        order = QStringLiteral(" ORDER BY nro_anexo");
    }
    return *known.insert(def.name, QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4")
                                           .arg(permanent.name, columns.join(QLatin1Char(',')),
                                                selected.join(QLatin1Char(',')), working.name) +
                                       keyCondition() + order);
}

// Whether the expressions leave every row of the copy as its permanent row is: a row whose value
// an expression changes no longer matches the check code it travels with.
bool expressionsChangeNothing(Database& db, const QHash<QString, QString>& expressions, const QString& source,
                              const SqlFilter& filter) {
    QStringList differences;
    for (auto it = expressions.cbegin(); it != expressions.cend(); ++it) {
        differences.append(QStringLiteral("(%1) IS NOT %2").arg(it.value(), it.key()));
    }
    return connectionStatements(db)
               .scalar(QStringLiteral("SELECT count(*) FROM %1").arg(source) + filter.text + QStringLiteral(" AND (") +
                           differences.join(QStringLiteral(" OR ")) + QLatin1Char(')'),
                       filter.values)
               .toLongLong() == 0;
}

} // namespace

void CopyToWorking(Database& db, const QString& baseName, const DeclarationKey& key,
                   const std::optional<QString>& correl, const QHash<QString, QString>& expressions) {
    const TableDef& def = catalog().table(baseName);
    const TableLayout working = catalog().layout(def.name, Copy::Working);
    DeleteDeclarationRows(db, working.name, key);
    const bool fromHistory = correl.has_value();
    if ((fromHistory && !def.history) || (!fromHistory && !def.permanent)) {
        return; // a working-only table starts empty
    }
    const TableLayout source = catalog().layout(def.name, fromHistory ? Copy::History : Copy::Permanent);
    const QStringList targetColumns = working.columnNames();
    QStringList selected;
    for (const QString& column : targetColumns) {
        selected.append(expressions.value(column, column));
    }
    const SqlFilter filter = fromHistory ? key.versionFilter(*correl) : key.filter();
    // Rows of a sent version carry the codes of their history rows, which count CORREL. The codes
    // are kept on SQLite only, whose connection tells which rows a statement changed.
    const bool codesHold = db.dialect().engine() == Engine::SQLite && !fromHistory && working.checked() &&
                           (expressions.isEmpty() || expressionsChangeNothing(db, expressions, source.name, filter));
    KeptCheckCodes* kept = KeptCheckCodes::of(db, codesHold);
    if (kept != nullptr) {
        kept->beginCopy(db, working.name);
    }
    try {
        connectionStatements(db).run(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4")
                                             .arg(working.name, targetColumns.join(QLatin1Char(',')),
                                                  selected.join(QLatin1Char(',')), source.name) +
                                         filter.text,
                                     filter.values);
    } catch (...) {
        if (kept != nullptr) {
            kept->endCopy(db, false);
        }
        throw;
    }
    if (kept != nullptr) {
        kept->endCopy(db, codesHold);
    }
}

void CopyToPermanent(Database& db, const QString& baseName, const DeclarationKey& key, bool inUse) {
    const TableDef& def = catalog().table(baseName);
    const TableLayout permanent = catalog().layout(def.name, Copy::Permanent);
    DeleteDeclarationRows(db, permanent.name, key);
    if (!inUse) {
        return;
    }
    KeptCheckCodes* kept = KeptCheckCodes::of(db, false);
    const bool keep =
        kept != nullptr && permanent.checked() && kept->select(db, catalog().layout(def.name, Copy::Working).name);
    try {
        connectionStatements(db).run(copyToPermanentSql(def, db.dialect(), keep), keyValues(key));
    } catch (...) {
        if (keep) {
            kept->done();
        }
        throw;
    }
    if (keep) {
        kept->done();
    }
}

void refreshWorkingCopies(Database& db, const DeclarationKey& key, const std::optional<QString>& correl) {
    for (const QString& table : declaration_tables::workingCopyOrder()) {
        const auto expressions =
            table == QStringLiteral("F535CASEF") ? counterpartNameRebuild() : QHash<QString, QString>{};
        CopyToWorking(db, table, key, correl, expressions);
    }
}

void announceChange(Database& db, const QString& ruc) {
    if (const QString notice = db.dialect().changeNotice(); !notice.isEmpty()) {
        db.run(notice, {ruc}).finish(); // on commit, the launchers' lists follow the change
    }
}

bool deleteDeclaration(Database& db, app::Prompter& prompter, const DeclarationKey& key) {
    return runAtomically(db, prompter, [&] {
        for (const QString& table : declaration_tables::deleteCascadeFirst()) {
            DeleteDeclarationRows(db, table, key);
        }
        for (const QString& table : declaration_tables::deleteCascadeSecond()) {
            DeleteDeclarationRows(db, table, key);
        }
        announceChange(db, key.ruc);
    });
}

bool deleteSentVersion(Database& db, app::Prompter& prompter, const DeclarationKey& key, const QString& correl) {
    return runAtomically(db, prompter, [&] {
        // The usual list first, then every other table envio_t says a sent version holds, so
        // that no row of the version stays behind.
        QStringList tables = declaration_tables::sentVersionTables();
        for (const QString& table : SentTables(db, key.formulario)) {
            if (!tables.contains(table, Qt::CaseInsensitive)) {
                tables.append(table);
            }
        }
        for (const QString& table : tables) {
            DeleteVersionRows(db, table, key, correl);
        }
    });
}

} // namespace qel::store
