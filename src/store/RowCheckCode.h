#pragma once

#include "store/ColumnType.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstddef>
#include <cstdint>

namespace qel::store {

// The text of one column value as the check code sees it: a number in its plain
// numeric-to-text form, a date as "yyyymmdd", a text trimmed; anything else empty.
QString checkText(const QVariant& value, ColumnType type);

// Sums a row's check code column by column; the SQL function and RowCheckCode share it.
class CheckCodeAccumulator {
public:
    // A key column: adds the numeric value of its text when the text reads as a number.
    void addKeyText(const QString& text);
    void addKeyNumber(long double value) { m_keySum += value; }
    // A covered column: each character's Windows-1252 code times its position (from 1).
    void addCoveredText(const QString& text);
    // The same for a text already in UTF-8 and trimmed.
    void addCoveredUtf8(const char* text, std::size_t length);
    QString code() const;

private:
    long double m_keySum = 0;
    std::uint64_t m_textSum = 0;
};

// The six-digit check code of a row whose column texts are given WITHOUT the final
// cNumero column. Columns before splitIndex feed the key sum, the others the text sum.
QString checkCodeOfTexts(const QStringList& texts, int splitIndex);

// The check code of a whole row read through the catalogue's types; the last column is
// cNumero itself and is never covered.
QString RowCheckCode(const QVariantList& row, const QList<ColumnType>& types, int splitIndex);

} // namespace qel::store
