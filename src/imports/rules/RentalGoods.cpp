#include "imports/rules/RentalGoods.h"

#include "store/Database.h"
#include "store/DeclarationKey.h"

#include <QSqlQuery>
#include <algorithm>

namespace qel::imports {

namespace {

// The declaration's rentals in the order the table's index keeps a landlord's rows. Whether
// a row can match a record at all, and whether its values compare in memory as they do in the
// table, come with it.
const QString kLoad = QStringLiteral(
    "SELECT tipo_doc, nro_doc, correl_pred, tip_bien, ifnull(des_identificacion,''), ifnull(cod_ubigeo,''), "
    "ifnull(des_via,''), ifnull(numero,''), "
    "typeof(tipo_doc)='integer' AND typeof(nro_doc)='text', "
    "typeof(correl_pred) IN ('integer','null') AND typeof(tip_bien) IN ('text','null') AND "
    "typeof(des_identificacion) IN ('text','null') AND typeof(cod_ubigeo) IN ('text','null') AND "
    "typeof(des_via) IN ('text','null') AND typeof(numero) IN ('text','null') "
    "FROM TMPF582ALQUILER");

enum Column { Type, Number, Correlative, Kind, Identification, Ubigeo, Road, StreetNumber, Matchable, Comparable };

std::optional<qint64> optionalInteger(const QVariant& value) {
    return value.isNull() ? std::nullopt : std::optional<qint64>(value.toLongLong());
}

} // namespace

std::optional<RentalGoods> RentalGoods::load(store::Database& db, const store::DeclarationKey& key) {
    const store::SqlFilter filter = key.filter();
    QSqlQuery query = db.run(kLoad + filter.text + QStringLiteral(" ORDER BY correl_pred, rowid"), filter.values);
    RentalGoods goods;
    while (query.next()) {
        if (!query.value(Matchable).toBool()) {
            continue;
        }
        if (!query.value(Comparable).toBool()) {
            return std::nullopt;
        }
        const QVariant kind = query.value(Kind);
        goods.m_rows[{query.value(Type).toLongLong(), query.value(Number).toString()}].append(
            {optionalInteger(query.value(Correlative)),
             {kind.isNull() ? std::nullopt : std::optional<QString>(kind.toString()),
              query.value(Identification).toString(), query.value(Ubigeo).toString(), query.value(Road).toString(),
              query.value(StreetNumber).toString()}});
    }
    return goods;
}

// A record's empty field is an empty text; a null one would be bound as NULL and match nothing.
bool RentalGoods::sameAs(const Good& stored, const Good& wanted) {
    for (const QString* field : {&wanted.identification, &wanted.ubigeo, &wanted.road, &wanted.streetNumber}) {
        if (field->isNull()) {
            return false;
        }
    }
    return stored.kind == wanted.kind && stored.identification == wanted.identification &&
           stored.ubigeo == wanted.ubigeo && stored.road == wanted.road && stored.streetNumber == wanted.streetNumber;
}

std::optional<qint64> RentalGoods::sameGood(const Landlord& landlord, const Good& good) const {
    const auto rows = m_rows.constFind(landlord);
    if (rows == m_rows.cend()) {
        return std::nullopt;
    }
    for (const Row& row : *rows) {
        if (sameAs(row.good, good)) {
            return row.correlative;
        }
    }
    return std::nullopt;
}

qint64 RentalGoods::next(const Landlord& landlord) const {
    const auto rows = m_rows.constFind(landlord);
    // Rows are kept by correlative, so the largest is the last one that has any.
    if (rows == m_rows.cend() || rows->isEmpty() || !rows->last().correlative) {
        return 1;
    }
    return *rows->last().correlative + 1;
}

bool RentalGoods::holds(const Landlord& landlord, qint64 correlative) const {
    const auto rows = m_rows.constFind(landlord);
    return rows != m_rows.cend() && std::any_of(rows->cbegin(), rows->cend(), [correlative](const Row& row) {
               return row.correlative == correlative;
           });
}

void RentalGoods::added(const Landlord& landlord, qint64 correlative, const Good& good) {
    QList<Row>& rows = m_rows[landlord];
    const auto after = std::find_if(rows.begin(), rows.end(), [correlative](const Row& row) {
        return row.correlative && *row.correlative > correlative;
    });
    rows.insert(after, {correlative, good});
}

void RentalGoods::replaced(const Landlord& landlord, qint64 correlative, const Good& good) {
    for (Row& row : m_rows[landlord]) {
        if (row.correlative == correlative) {
            row.good = good;
        }
    }
}

} // namespace qel::imports
