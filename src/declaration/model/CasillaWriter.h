#pragma once

#include "store/DeclarationKey.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::declaration {

// Writes casilla values of one declaration as DET rows: the row of the casilla is added or
// updated, with its value (a whole number "###########0", or the text as entered for the
// text casillas), its idcasilla and its check code. Empty values write nothing. Each casilla
// takes one statement: the writer reads once which casillas the declaration still has rows
// for and from then on keeps count of its own, so it must be the only one writing DET rows
// of the declaration until the next start(). The statements are prepared once per connection
// and the '140' rows read once per writer, which may serve many saves. An engine error throws
// store::DatabaseError, so the caller's transaction decides what stays.
class CasillaWriter {
public:
    CasillaWriter(store::Database& db, store::DeclarationKey key);

    // A new round of writes (the next save), for this declaration: the rows it has are read
    // again at the first write.
    void start(store::DeclarationKey key);

    // The casilla as DET keeps it ("105", "012"), the value as the form holds it. Answers
    // whether a row was written.
    bool write(const QString& casilla, const QString& value);

    // A value that writes nothing: empty or blank, a tab, a line feed, a carriage return, or
    // the empty date mask.
    static bool isEmptyValue(const QString& value);
    // Casillas whose value DET keeps as entered instead of as a whole number.
    static bool isTextCasilla(int number);
    // The i_valor of a value: the text of a text casilla, otherwise the value read as an
    // amount and written "###########0" (a text that reads as no number is kept as it is).
    static QString storedValue(const QString& casilla, const QString& value);
    // The idcasilla when the casilla has no row '140' of its own: "05" for the amounts to pay
    // (180 and 181), "01" for every other casilla.
    static QString defaultIdCasilla(const QString& casilla);

private:
    QString idCasilla(const QString& casilla);
    QHash<QString, QList<qint64>>& rows();

    store::Database& m_db;
    store::DeclarationKey m_key;
    QString m_updateSql; // by rowid
    QString m_insertSql;
    std::optional<QHash<QString, QString>> m_ids;        // argument of the '140' rows -> their text from position 10
    std::optional<QHash<QString, QList<qint64>>> m_rows; // casilla -> rowids of its DET rows
};

} // namespace qel::declaration
