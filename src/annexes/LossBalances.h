#pragma once

#include "store/DeclarationKey.h"

#include <QList>
#include <QMap>
#include <QString>

namespace qel::store {
class Database;
}

namespace qel::annexes {

// The tax losses of earlier years still to be compensated, by year of origin
// (frmPerdidaEjercAnt). Kept as TMPF572DETBAS rows of addition casilla 108, detail casilla 111
// and type "P": per_mes the year, mto_monto the balance. Their total is the loss balance that
// casilla 111 carries forward (TxtTotalSaldo).
class LossBalances {
public:
    struct Row {
        QString year;
        QString amount;
    };

    static QList<Row> load(store::Database& db, const store::DeclarationKey& key);
    static QMap<int, double> byYear(store::Database& db, const store::DeclarationKey& key);
    static double total(store::Database& db, const store::DeclarationKey& key);
    // Replaces the rows (rows with neither year nor amount are left out).
    static void store(store::Database& db, const store::DeclarationKey& key, const QList<Row>& rows);
};

} // namespace qel::annexes
