#include "annexes/MovementCasillas.h"

#include "base/NumberFormat.h"
#include "catalogue/MovementAssistantKind.h"
#include "declaration/model/WorkingCasillas.h"
#include "store/Database.h"

#include <QSqlQuery>
#include <QStringList>

namespace qel::annexes {

namespace {

// The sum of some columns minus others, into one casilla.
struct Sum {
    int casilla;
    QStringList adds;
    QStringList subtracts = {};
};

// The nine movement columns the casillas 611-639 take, in order.
const QStringList& nineColumns() {
    static const QStringList columns = {
        QStringLiteral("saldoini"), QStringLiteral("AdiCompMej"),     QStringLiteral("AdiAportes"),
        QStringLiteral("AdiCosto"), QStringLiteral("AdiIncMayorVal"), QStringLiteral("AdiIncRevVol"),
        QStringLiteral("AdiOtras"), QStringLiteral("RetVentas"),      QStringLiteral("RetOtros")};
    return columns;
}

QList<Sum> sumsOf(int casilla) {
    const auto l = [](std::initializer_list<const char*> names) {
        QStringList list;
        for (const char* name : names) {
            list.append(QString::fromLatin1(name));
        }
        return list;
    };
    switch (casilla) {
    case 317:
        return {{318, l({"saldoini"})},       {319, l({"AdiCompMej", "AdiAportes", "AdiCosto"})},
                {320, l({"AdiIncMayorVal"})}, {321, l({"RetVentas", "RetOtros"})},
                {322, l({"AdiIncRevVol"})},   {323, l({"AdiOtras"})},
                {324, l({"saldofin"})}};
    case 328:
        return {{395, l({"saldoini"})},
                {396, l({"AdiDepEjer"})},
                {397, l({"saldofin"})},
                {594, l({"RetVentas", "RetOtros"})},
                {595, l({"AjuAdiciones"}), l({"AjuRetiros"})},
                {596, l({"AdiDepRevVol"})},
                {597, l({"AdiOtras"})}};
    case 383: {
        QList<Sum> list;
        const QStringList columns = l({"saldoini", "AdiDepEjer", "AdiDepRevVol", "AdiOtras", "RetVentas", "RetOtros",
                                       "AjuAdiciones", "AjuRetiros", "saldofin"});
        for (int i = 0; i < columns.size(); ++i) {
            list.append({601 + i, {columns.at(i)}});
        }
        return list;
    }
    case 380:
    case 381:
    case 382: {
        QList<Sum> list;
        const int first = 611 + (casilla - 380) * 10;
        for (int i = 0; i < nineColumns().size(); ++i) {
            list.append({first + i, {nineColumns().at(i)}});
        }
        if (casilla != 382) { // 640 is no casilla of the form
            list.append({first + 9, l({"saldofin"})});
        }
        return list;
    }
    default:
        return {};
    }
}

QString tableOf(int casilla) {
    return casilla == 328 || casilla == 383 ? QStringLiteral("TMPF535MOVDA_IME") : QStringLiteral("TMPF535MOV_IME");
}

} // namespace

QMap<QString, double> MovementCasillas::sums(store::Database& db, const store::DeclarationKey& key,
                                             const QString& table, int casilla) {
    const MovementAssistantKind* kind = nullptr;
    for (const MovementAssistantKind& k : MovementAssistantKind::all()) {
        if (k.table == table) {
            kind = &k;
        }
    }
    QMap<QString, double> result;
    if (kind == nullptr) {
        return result;
    }
    QStringList parts;
    for (const MovementColumn& c : kind->columns) {
        parts.append(db.dialect().total(db.dialect().realOf(c.column)));
    }
    store::SqlFilter where = key.filter();
    where.andCondition(QStringLiteral("trim(CASILLA)=?"), {QString::number(casilla)});
    QSqlQuery query =
        db.run(QStringLiteral("SELECT %1 FROM %2").arg(parts.join(QLatin1Char(',')), table) + where.text, where.values);
    if (query.next()) {
        for (int i = 0; i < kind->columns.size(); ++i) {
            result.insert(kind->columns.at(i).column, app::roundHalfAway(query.value(i).toDouble()));
        }
    }
    return result;
}

QMap<int, QString> MovementCasillas::casillasOf(int casilla, const QMap<QString, double>& sums) {
    QMap<int, QString> values;
    for (const Sum& sum : sumsOf(casilla)) {
        double value = 0;
        for (const QString& column : sum.adds) {
            value += sums.value(column);
        }
        for (const QString& column : sum.subtracts) {
            value -= sums.value(column);
        }
        values.insert(sum.casilla, value == 0 ? QString() : app::numberText(value));
    }
    return values;
}

void MovementCasillas::write(store::Database& db, const store::DeclarationKey& key, int casilla) {
    if (casilla >= 380 && casilla <= 382) {
        GrabaColumnasCasillas380y381y382(db, key);
        return;
    }
    declaration::WorkingCasillas::store(db, key, casillasOf(casilla, sums(db, key, tableOf(casilla), casilla)));
}

void MovementCasillas::GrabaColumnasCasillas380y381y382(store::Database& db, const store::DeclarationKey& key) {
    QMap<int, QString> values;
    for (const int casilla : {380, 381, 382}) {
        values.insert(casillasOf(casilla, sums(db, key, tableOf(casilla), casilla)));
    }
    declaration::WorkingCasillas::store(db, key, values);
}

} // namespace qel::annexes
