#pragma once

#include "store/DeclarationKey.h"

#include <QMap>
#include <QString>

namespace qel::store {
class Database;
class StatementCache;
} // namespace qel::store

namespace qel::declaration {

class CasillaWriter;

// The box-less casillas that a casilla assistant edits (cost of sales, income by source, loss
// compensation, vehicles ...). While the form is open they live in the working table
// TMPF584DET and nowhere else: the load copies them there from DET, the assistants, the
// consistency rules and the vehicle casillas read them there, and the save writes them back
// as DET rows. Which casillas they are follows from the casilla catalogue: the box-less
// casillas owned by one of the assistant windows that keep a working copy (their storage).
class WorkingCasillas {
public:
    static const QString kTable; // "TMPF584DET"

    static bool isWorking(int casilla);

    // After the working copies were refreshed: the working casillas of the declaration as
    // stored (DET, or HDET of a sent version with its correlative).
    static void load(store::Database& db, const store::DeclarationKey& key, const QString& detTable,
                     const store::SqlFilter& filter);
    // Value as the working table keeps it, blanks included ("" when it has no row).
    static QString value(store::Database& db, const store::DeclarationKey& key, int casilla);
    static QMap<int, QString> values(store::Database& db, const store::DeclarationKey& key);
    // Replaces the working rows of the given casillas: empty values leave no row.
    static void store(store::Database& db, const store::DeclarationKey& key, const QMap<int, QString>& values);
    // The save: DET rows of every working casilla deleted, then the working values written.
    static void writeToDet(store::Database& db, const store::DeclarationKey& key, CasillaWriter& writer);

private:
    static void insert(store::StatementCache& statements, const store::DeclarationKey& key, int casilla,
                       const QString& value);
};

} // namespace qel::declaration
