#include "annexes/LossBalances.h"

#include "base/NumberFormat.h"
#include "store/Database.h"

#include <QSqlQuery>

namespace qel::annexes {

namespace {

const QString kTable = QStringLiteral("TMPF572DETBAS");

store::SqlFilter rowsOf(const store::DeclarationKey& key) {
    store::SqlFilter where = key.filter();
    where.andCondition(QStringLiteral("CAS_ADI='108' AND CAS_DET='111' AND tipo='P'"));
    return where;
}

} // namespace

QList<LossBalances::Row> LossBalances::load(store::Database& db, const store::DeclarationKey& key) {
    const store::SqlFilter where = rowsOf(key);
    QSqlQuery rows = db.run(QStringLiteral("SELECT per_mes, mto_monto FROM ") + kTable + where.text +
                                QStringLiteral(" ORDER BY num_correl"),
                            where.values);
    QList<Row> result;
    while (rows.next()) {
        result.append({rows.value(0).toString().trimmed(), rows.value(1).toString().trimmed()});
    }
    return result;
}

QMap<int, double> LossBalances::byYear(store::Database& db, const store::DeclarationKey& key) {
    QMap<int, double> balances;
    for (const Row& row : load(db, key)) {
        balances[row.year.toInt()] += app::readWhole(row.amount);
    }
    return balances;
}

double LossBalances::total(store::Database& db, const store::DeclarationKey& key) {
    double sum = 0;
    for (const Row& row : load(db, key)) {
        sum += app::readWhole(row.amount);
    }
    return sum;
}

void LossBalances::store(store::Database& db, const store::DeclarationKey& key, const QList<Row>& rows) {
    const store::SqlFilter where = rowsOf(key);
    db.run(QStringLiteral("DELETE FROM ") + kTable + where.text, where.values).finish();
    int correl = 0;
    for (const Row& row : rows) {
        if (row.year.trimmed().isEmpty() && row.amount.trimmed().isEmpty()) {
            continue;
        }
        db.run(QStringLiteral("INSERT INTO ") + kTable +
                   QStringLiteral(" (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CAS_ADI, CAS_DET, tipo, num_correl, "
                                  "per_mes, des_detalle, mto_base, mto_monto, cNumero) "
                                  "VALUES (?,?,?,?,'108','111','P',?,?,'',0,?,'000000')"),
               key.columnValues() + QVariantList{++correl, row.year.trimmed(),
                                                 app::formatNumber(app::readWhole(row.amount), app::masks::kWhole)})
            .finish();
    }
}

} // namespace qel::annexes
