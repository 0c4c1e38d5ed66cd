#include "imports/rules/RentalGoods.h"

#include "store/Database.h"
#include "store/DeclarationKey.h"

#include <QSqlQuery>

namespace qel::imports {

namespace {

// The declaration's rentals in the order the table's index keeps a landlord's rows. Whether
// a row can match a record at all, and whether its values compare in memory as they do in the
// table, come with it.
const QString kLoad = QStringLiteral(
    "SELECT tipo_doc, nro_doc, correl_pred, tip_bien, coalesce(des_identificacion,''), coalesce(cod_ubigeo,''), "
    "coalesce(des_via,''), coalesce(numero,''), "
    "typeof(tipo_doc)='integer' AND typeof(nro_doc)='text', "
    "typeof(correl_pred) IN ('integer','null') AND typeof(tip_bien) IN ('text','null') AND "
    "typeof(des_identificacion) IN ('text','null') AND typeof(cod_ubigeo) IN ('text','null') AND "
    "typeof(des_via) IN ('text','null') AND typeof(numero) IN ('text','null') "
    "FROM TMPF582ALQUILER");

enum Column { Type, Number, Correlative, Kind, Identification, Ubigeo, Road, StreetNumber, Matchable, Comparable };

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
        const QVariant correlative = query.value(Correlative);
        goods.insert({query.value(Type).toLongLong(), query.value(Number).toString()},
                     correlative.isNull() ? std::nullopt : std::optional<qint64>(correlative.toLongLong()),
                     encoded({kind.isNull() ? std::nullopt : std::optional<QString>(kind.toString()),
                              query.value(Identification).toString(), query.value(Ubigeo).toString(),
                              query.value(Road).toString(), query.value(StreetNumber).toString()}));
    }
    return goods;
}

QString RentalGoods::encoded(const Good& good) {
    QString text;
    text.reserve(16 + good.identification.size() + good.ubigeo.size() + good.road.size() + good.streetNumber.size() +
                 good.kind.value_or(QString()).size());
    const auto append = [&text](const QString& field) {
        text.append(QChar(static_cast<char16_t>(field.size() >> 16)));
        text.append(QChar(static_cast<char16_t>(field.size() & 0xffff)));
        text.append(field);
    };
    text.append(good.kind ? QLatin1Char('K') : QLatin1Char('N'));
    append(good.kind.value_or(QString()));
    for (const QString* field : {&good.identification, &good.ubigeo, &good.road, &good.streetNumber}) {
        append(*field);
    }
    return text;
}

// Rows without a correlative come only from the table, which lists them before the others.
void RentalGoods::insert(const Landlord& landlord, std::optional<qint64> correlative, QString good) {
    const auto index = static_cast<qsizetype>(m_rows.size());
    m_rows.push_back({correlative, std::move(good)});
    auto head = m_first.find(landlord);
    if (head == m_first.end()) {
        head = m_first.insert(landlord, -1);
    }
    qsizetype* link = &head.value();
    while (*link >= 0 && !(correlative && m_rows[*link].correlative && *m_rows[*link].correlative > *correlative)) {
        link = &m_rows[*link].next;
    }
    m_rows[index].next = *link;
    *link = index;
}

std::optional<qint64> RentalGoods::sameGood(const Landlord& landlord, const Good& good) const {
    // A record's empty field is an empty text; a null one would be bound as NULL and match nothing.
    for (const QString* field : {&good.identification, &good.ubigeo, &good.road, &good.streetNumber}) {
        if (field->isNull()) {
            return std::nullopt;
        }
    }
    const QString wanted = encoded(good);
    for (qsizetype row = first(landlord); row >= 0; row = m_rows[row].next) {
        if (m_rows[row].good == wanted) {
            return m_rows[row].correlative;
        }
    }
    return std::nullopt;
}

qint64 RentalGoods::next(const Landlord& landlord) const {
    // The chain runs by correlative, so the largest is the last one.
    std::optional<qint64> largest;
    for (qsizetype row = first(landlord); row >= 0; row = m_rows[row].next) {
        largest = m_rows[row].correlative ? m_rows[row].correlative : largest;
    }
    return largest.value_or(0) + 1;
}

bool RentalGoods::holds(const Landlord& landlord, qint64 correlative) const {
    for (qsizetype row = first(landlord); row >= 0; row = m_rows[row].next) {
        if (m_rows[row].correlative == correlative) {
            return true;
        }
    }
    return false;
}

void RentalGoods::added(const Landlord& landlord, qint64 correlative, const Good& good) {
    insert(landlord, correlative, encoded(good));
}

void RentalGoods::replaced(const Landlord& landlord, qint64 correlative, const Good& good) {
    const QString text = encoded(good);
    for (qsizetype row = first(landlord); row >= 0; row = m_rows[row].next) {
        if (m_rows[row].correlative == correlative) {
            m_rows[row].good = text;
        }
    }
}

} // namespace qel::imports
