#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace qel::store {
class Database;
struct DeclarationKey;
} // namespace qel::store

namespace qel::imports {

// The goods every landlord of the open declaration rents, read once per import and kept as the
// import writes, so that a record finds its good and the number of a new one without a query.
// They compare as the rentals table compares them: the document type as a number, the document
// number and the good's fields as exact text (case and spaces count), a NULL identification,
// ubigeo, road or street number as an empty one, a NULL kind of good only as another NULL.
// A row whose type is not a whole number or whose number is not text never matches a record,
// so it is left out. When a row holds a value the table would compare otherwise (a correlative
// that is not a whole number, a good's field that is not text), load() gives nothing and the
// rules ask the table as before.
class RentalGoods {
public:
    struct Good {
        std::optional<QString> kind; // tip_bien
        QString identification;      // des_identificacion
        QString ubigeo;              // cod_ubigeo
        QString road;                // des_via
        QString streetNumber;        // numero
    };
    using Landlord = std::pair<qint64, QString>; // tipo_doc, nro_doc

    static std::optional<RentalGoods> load(store::Database& db, const store::DeclarationKey& key);

    // The correlative of the landlord's first row (in correlative order, a row without one first)
    // holding the good; nothing when there is none or that row has no correlative.
    std::optional<qint64> sameGood(const Landlord& landlord, const Good& good) const;
    // The correlative after the landlord's largest, 1 for a new landlord.
    qint64 next(const Landlord& landlord) const;
    bool holds(const Landlord& landlord, qint64 correlative) const;
    // A row added, or every row of the correlative given the good.
    void added(const Landlord& landlord, qint64 correlative, const Good& good);
    void replaced(const Landlord& landlord, qint64 correlative, const Good& good);

private:
    // A landlord's rows are chained through `next` in the order the table's index keeps them:
    // by correlative, a row without one first, then as added.
    struct Row {
        std::optional<qint64> correlative;
        QString good; // encoded()
        qsizetype next = -1;
    };
    // A good as one text, each field preceded by its length and a NULL kind marked, so that
    // two goods are the same exactly when their texts are; one string per row, compared at once.
    static QString encoded(const Good& good);
    void insert(const Landlord& landlord, std::optional<qint64> correlative, QString good);
    qsizetype first(const Landlord& landlord) const { return m_first.value(landlord, -1); }

    std::vector<Row> m_rows;
    QHash<Landlord, qsizetype> m_first;
};

} // namespace qel::imports
