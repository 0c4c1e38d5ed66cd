#pragma once

#include "store/ColumnType.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qel::store {

// The text of one column value as the check code sees it: a number in its plain
// numeric-to-text form, a date as "yyyymmdd", a text trimmed; anything else empty.
QString checkText(const QVariant& value, ColumnType type);

// Sums a row's check code column by column; the SQL function and RowCheckCode share it. The
// common values (integers, amounts, ASCII texts, ISO dates, texts in UTF-8 or UTF-16) are read
// in place, without building their texts; only unusual ones (other kinds, dates in another form,
// malformed UTF-8, keys beyond ASCII) go through checkText.
class CheckCodeAccumulator {
public:
    // One column read through its catalogue type; key columns feed the key sum.
    void addValue(const QVariant& value, ColumnType type, bool key);
    // A text column value as SQLite holds it, in UTF-8 and not yet trimmed.
    void addUtf8(std::string_view text, ColumnType type, bool key);
    void addInteger(std::int64_t value, bool key);
    void addDouble(double value, bool key);

    // A key column's text: its numeric value when the text reads as a number.
    void addKeyText(const QString& text);
    // A covered column's text: each character's Windows-1252 code times its position (from 1).
    void addCoveredText(QStringView text);

    // The six digits of the code, without a terminating zero.
    void writeCode(char* digits) const;
    QString code() const;

private:
    void addAscii(std::string_view trimmed, bool key);
    void addDateDigits(const char* digits, bool key);
    void addText(QStringView text, ColumnType type, bool key);
    void addChecked(const QString& text, bool key);

    long double m_keySum = 0;
    std::uint64_t m_textSum = 0;
};

// A double in the plain numeric-to-text form ("6", "1.5", "1E+15") written into `buffer`; an
// empty view when only the general formatter can write it (not finite, or a tie at the
// fifteenth digit, which it rounds away from zero).
std::string_view plainNumberText(double value, char (&buffer)[32]);

// The six-digit check code of a row whose column texts are given WITHOUT the final
// cNumero column. Columns before splitIndex feed the key sum, the others the text sum.
QString checkCodeOfTexts(const QStringList& texts, int splitIndex);

// The check code of a whole row read through the catalogue's types; the last column is
// cNumero itself and is never covered.
QString RowCheckCode(const QVariantList& row, const QList<ColumnType>& types, int splitIndex);

} // namespace qel::store
