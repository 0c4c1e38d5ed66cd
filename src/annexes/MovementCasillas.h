#pragma once

#include "store/DeclarationKey.h"

#include <QMap>
#include <QString>

namespace qel::store {
class Database;
}

namespace qel::annexes {

// The box-less casillas the movement assistants fill from their lines: the sums of the
// movement columns of a casilla, kept in TMPF584DET with the other working casillas until the
// declaration is saved.
class MovementCasillas {
public:
    // Column sums of a casilla's movement lines, by column name.
    static QMap<QString, double> sums(store::Database& db, const store::DeclarationKey& key, const QString& table,
                                      int casilla);
    // The working casillas one casilla's movement gives, from its column sums ("" for 0).
    static QMap<int, QString> casillasOf(int casilla, const QMap<QString, double>& sums);
    // Writes the working casillas of one casilla's movement.
    static void write(store::Database& db, const store::DeclarationKey& key, int casilla);
    // The nine sums of the movement of casillas 380, 381 and 382 into their nine consecutive
    // casillas each (611-619, 621-629, 631-639), with the closing balance after the first two.
    static void GrabaColumnasCasillas380y381y382(store::Database& db, const store::DeclarationKey& key);
};

} // namespace qel::annexes
