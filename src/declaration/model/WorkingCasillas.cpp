#include "declaration/model/WorkingCasillas.h"

#include "base/NumberFormat.h"
#include "catalogue/CasillaCatalog.h"
#include "declaration/model/CasillaWriter.h"
#include "store/ConnectionStatements.h"
#include "store/Database.h"
#include "store/StatementCache.h"

#include <QSqlQuery>

namespace qel::declaration {

const QString WorkingCasillas::kTable = QStringLiteral("TMPF584DET");

namespace {

// The working casillas as the statements list them: "'511','512',...".
const QList<int>& workingList() {
    static const QList<int> list = [] {
        QList<int> l;
        for (const CasillaDef& def : CasillaCatalog::instance().all()) {
            if (WorkingCasillas::isWorking(def.number)) {
                l.append(def.number);
            }
        }
        return l;
    }();
    return list;
}

QString inWorkingList() {
    QStringList numbers;
    for (const int n : workingList()) {
        numbers.append(QString::number(n));
    }
    return QStringLiteral("CAST(CASILLA AS INTEGER) IN (") + numbers.join(QLatin1Char(',')) + QLatin1Char(')');
}

} // namespace

bool WorkingCasillas::isWorking(int casilla) {
    return CasillaCatalog::instance().storage(casilla).working;
}

void WorkingCasillas::load(store::Database& db, const store::DeclarationKey& key, const QString& detTable,
                           const store::SqlFilter& filter) {
    store::StatementCache& statements = store::connectionStatements(db);
    const store::SqlFilter working = key.filter();
    statements.run(QStringLiteral("DELETE FROM ") + kTable + working.text, working.values);
    store::SqlFilter stored = filter;
    stored.andCondition(inWorkingList());
    QSqlQuery rows = db.run(QStringLiteral("SELECT CASILLA, i_valor FROM ") + detTable + stored.text, stored.values);
    QMap<int, QString> values;
    while (rows.next()) {
        values.insert(rows.value(0).toString().trimmed().toInt(), rows.value(1).toString());
    }
    rows.finish();
    // The working rows of the declaration were all deleted above: each value is only inserted.
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        insert(statements, key, it.key(), it.value());
    }
}

QString WorkingCasillas::value(store::Database& db, const store::DeclarationKey& key, int casilla) {
    store::SqlFilter where = key.filter();
    where.andCondition(QStringLiteral("CAST(CASILLA AS INTEGER)=?"), {casilla});
    return db.scalar(QStringLiteral("SELECT i_valor FROM ") + kTable + where.text, where.values).toString();
}

QMap<int, QString> WorkingCasillas::values(store::Database& db, const store::DeclarationKey& key) {
    const store::SqlFilter where = key.filter();
    QSqlQuery rows = db.run(QStringLiteral("SELECT CASILLA, i_valor FROM ") + kTable + where.text, where.values);
    QMap<int, QString> values;
    while (rows.next()) {
        values.insert(rows.value(0).toString().trimmed().toInt(), rows.value(1).toString());
    }
    return values;
}

void WorkingCasillas::store(store::Database& db, const store::DeclarationKey& key, const QMap<int, QString>& values) {
    store::StatementCache& statements = store::connectionStatements(db);
    store::SqlFilter where = key.filter();
    where.andCondition(QStringLiteral("CAST(CASILLA AS INTEGER)=?"));
    const QString remove = QStringLiteral("DELETE FROM ") + kTable + where.text;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        statements.run(remove, where.values + QVariantList{it.key()});
        insert(statements, key, it.key(), it.value());
    }
}

void WorkingCasillas::insert(store::StatementCache& statements, const store::DeclarationKey& key, int casilla,
                             const QString& value) {
    if (CasillaWriter::isEmptyValue(value)) {
        return;
    }
    statements.run(QStringLiteral("INSERT INTO ") + kTable +
                       QStringLiteral(" (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CASILLA, i_valor, cNumero) "
                                      "VALUES (?,?,?,?,?,?,'000000')"),
                   key.columnValues() + QVariantList{QString::number(casilla), value});
}

void WorkingCasillas::writeToDet(store::Database& db, const store::DeclarationKey& key, CasillaWriter& writer) {
    store::SqlFilter stored = key.filter();
    stored.andCondition(inWorkingList());
    store::connectionStatements(db).run(QStringLiteral("DELETE FROM DET") + stored.text, stored.values);
    // The writer knows the rows it found before this delete: it must look again, or it would
    // update rows that are gone and the casillas of a declaration saved twice would be lost.
    writer.start(key);
    const QMap<int, QString> working = values(db, key);
    for (auto it = working.cbegin(); it != working.cend(); ++it) {
        if (isWorking(it.key())) {
            writer.write(QString::number(it.key()), it.value());
        }
    }
}

} // namespace qel::declaration
