#include "base/NumberFormat.h"
#include "store/RowCheckCode.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

using qel::store::checkCodeOfTexts;
using qel::store::checkText;
using qel::store::ColumnType;
using qel::store::RowCheckCode;

namespace {

// Column types by letter: I integer, D double, C currency, A date, anything else text.
QList<ColumnType> typesOf(const QString& letters) {
    static const QHash<QChar, ColumnType> kinds = {{u'I', ColumnType::Integer},
                                                   {u'D', ColumnType::Double},
                                                   {u'C', ColumnType::Currency},
                                                   {u'A', ColumnType::Date}};
    QList<ColumnType> types;
    for (const QChar letter : letters) {
        types.append(kinds.value(letter, ColumnType::Text));
    }
    return types;
}

} // namespace

TEST(RowCheckCode, KnownRows) {
    struct Case {
        const char* name;
        QVariantList row; // the last column is cNumero
        const char* types;
        int split;
        const char* code;
    };
    const QString none;
    const QList<Case> cases = {
        {"all empty", {QVariant(), none, none}, "ITT", 1, "000000"},
        {"number then text", {6, u"12"_s, none}, "ITT", 1, "006149"},
        {"cNumero never covered", {6, u"12"_s, u"999999"_s}, "ITT", 1, "006149"},
        {"date in key reads yyyymmdd", {QDate(2018, 12, 31), none, none}, "ATT", 1, "231000"},
        {"iso date text in key", {u"2018-12-31"_s, none, none}, "ATT", 1, "231000"},
        {"a date typed day first", {u"31/12/2018"_s, none, none}, "ATT", 1, "231000"},
        {"decimal key rounds only at the end", {u"1.4"_s, u"1.3"_s, none}, "TTT", 2, "003000"},
        {"a boolean adds nothing", {true, none, none}, "TTT", 1, "000000"},
        {"text key that is not a number adds nothing", {u"ABC"_s, none, none}, "ITT", 1, "000000"},
        {"texts are trimmed", {QVariant(), u"  12  "_s, none}, "ITT", 1, "000149"},
        {"a half rounds away from zero", {u"1002.5"_s, none, none}, "TTT", 1, "003000"},
        {"a negative half too", {u"-2.5"_s, none, none}, "TTT", 1, "003000"},
        // Doubles near 2^62 are 1024 apart: ...387000 reads as 2^62 - 1024, ...387903 as 2^62.
        {"just below 2^62", {u"4611686018427387000"_s, none, none}, "TTT", 1, "880000"},
        {"at 2^62", {u"4611686018427387903"_s, none, none}, "TTT", 1, "904000"},
        {"beyond 2^63", {u"9223372036854775807"_s, none, none}, "TTT", 1, "808000"},
        // 6 + 20100070970 + 2018 + 588 = 20100073582 -> "582"; "Ñ" is 209 in Windows-1252.
        {"declaration key and accents in ANSI codes",
         {6, u"20100070970"_s, u"2018"_s, u"0588"_s, u"Ñ"_s, none},
         "TTTTTT",
         4,
         "582209"},
        // 300 times 'z' (122): 122 * 300 * 301 / 2 = 5,508,300 -> "300", past a 32-bit product.
        {"long texts use a wide product", {QString(300, QLatin1Char('z')), none}, "TT", 0, "000300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RowCheckCode(c.row, typesOf(QString::fromLatin1(c.types)), c.split), QString::fromLatin1(c.code))
            << c.name;
    }
}

// Three readings of one row must give one code: the column texts built one by one (the
// plain definition), the row computation that reads values in place, and the SQL function on
// the same values bound to a statement.
TEST(RowCheckCode, EveryReadingOfARowGivesTheSameCode) {
    qel::test::TempDatabase temp;
    struct Case {
        const char* name;
        QVariantList values; // without cNumero
        QString types;
        int split;
    };
    const QString nbsp(QChar(0x00A0));
    const QString clef = QString::fromUcs4(U"\U0001D11E");
    const QList<Case> cases = {
        {"dates and amounts",
         {6, u"20100070970"_s, u"2018-12-31"_s, 1500, 12.75, u"2019-02-28"_s, u"ÑANDÚ S.A.C."_s},
         u"ITADCAT"_s,
         3},
        {"text numbers in the key", {u" 0588 "_s, u"1.5"_s, u"abc"_s, u"  trailing  "_s, QVariant()}, u"TTTTT"_s, 3},
        {"signs, exponents and blanks in the key",
         {u"+7"_s, u"\t1E+2\n"_s, u"5."_s, u"1e"_s, u"20100070970"_s, u"x"_s},
         u"TTTTTT"_s,
         5},
        {"more signs and exponents",
         {u"-3.5e-1"_s, u"+-1"_s, u".5"_s, u"-.5E1"_s, u"1e400"_s, u"- 1"_s},
         u"TTTTTT"_s,
         6},
        {"invalid date and euro sign", {u"2018-02-30"_s, u"€ 100"_s, -42}, u"ATI"_s, 1},
        {"dates in every form",
         {u"31/12/2018"_s, u" 2018-12-31T10:15:00 "_s, u"2018-1-31"_s, u"0999-01-01"_s, u"00/12/2018"_s,
          u"2018-12-31"_s, u"31/12/2018"_s, u"2018/12/31"_s, u""_s},
         u"AAAAAAAAA"_s,
         5},
        {"dates stored as numbers or beyond ASCII",
         {20181231, 2018.5, nbsp + u"2018-12-31"_s, u"2018-12-31"_s + nbsp, u"2018-12-3Ñ"_s},
         u"AAAAA"_s,
         2},
        {"integers of every size",
         {Q_INT64_C(9007199254740993), Q_INT64_C(-9223372036854775807), 0, Q_INT64_C(9007199254740993),
          Q_INT64_C(-9223372036854775807), -1},
         u"IIIIII"_s,
         3},
        {"doubles in both sums",
         {0.1 + 0.2, 1e15, 1e16, -0.0, 10335.35986328125, 0.1 + 0.2, 1e15, 1e16, 1e-5, 10335.35986328125,
          123456789.125},
         u"DDDDDDDDDDD"_s,
         5},
        {"blanks and texts beyond ASCII",
         {nbsp + u"12"_s + nbsp, u"١٢"_s, u"  ñandú  "_s, nbsp + u"Ñ"_s + nbsp, u"a"_s + clef + u"b"_s, u"€‚ƒ„"_s,
          u"\t \n"_s, u"日本"_s},
         u"TTTTTTTT"_s,
         2},
        {"texts of every length, one ending beyond ASCII",
         {u"a"_s, u"ab"_s, u"abc"_s, u"abcd"_s, u"abcde"_s, u" abcdefghi "_s, u"abcdefgÑ"_s, u"abcdÑefgh"_s},
         u"TTTTTTTT"_s,
         0},
        {"texts around the sixteen-byte blocks",
         {QString(15, QLatin1Char('~')), QString(16, QLatin1Char('z')), u"0123456789abcdefg"_s,
          QString(31, QLatin1Char('Q')), QString(32, QLatin1Char('\x7f')), QString(33, QLatin1Char('!')),
          QString(100, QLatin1Char('A')) + u"b"_s, QString(40, QLatin1Char('a')) + u"é"_s,
          QString(20, QLatin1Char('a')) + u"é"_s + QString(20, QLatin1Char('b'))},
         u"TTTTTTTTT"_s,
         0},
        {"a long ASCII key",
         {u"1"_s + QString(80, QLatin1Char('0')), QString(70, QLatin1Char(' ')) + u"25"_s},
         u"TT"_s,
         2},
    };
    for (const auto& c : cases) {
        QStringList marks;
        QVariantList bound = {c.types, c.split};
        const QList<ColumnType> types = typesOf(c.types);
        QStringList texts;
        for (int i = 0; i < c.values.size(); ++i) {
            marks.append(u"?"_s);
            bound.append(c.values.at(i));
            texts.append(checkText(c.values.at(i), types.at(i)));
        }
        QVariantList row = c.values;
        row.append(QString()); // cNumero
        const QString fromTexts = checkCodeOfTexts(texts, c.split);
        EXPECT_EQ(RowCheckCode(row, types, c.split), fromTexts) << c.name;
        const QString fromSql =
            temp.db().scalar(u"SELECT qel_check_code(?,?,%1)"_s.arg(marks.join(',')), bound).toString();
        EXPECT_EQ(fromSql, fromTexts) << c.name;
    }
}

// Each column alone, so that a wrong sum in one column cannot hide behind another's.
TEST(RowCheckCode, EachColumnAloneGivesTheSameCodeInBothSums) {
    const QList<QVariant> values = {u"-12.5"_s,
                                    u"1E+2"_s,
                                    u" +7 "_s,
                                    u"ÑANDÚ"_s,
                                    42,
                                    -7,
                                    3.25,
                                    1e21,
                                    QDate(2018, 12, 31),
                                    QDateTime(QDate(2019, 1, 2), QTime(10, 0)),
                                    true,
                                    QByteArray("12")};
    for (const QVariant& value : values) {
        for (const ColumnType type : {ColumnType::Text, ColumnType::Integer, ColumnType::Double, ColumnType::Date}) {
            for (const int split : {0, 1}) {
                const QString expected = checkCodeOfTexts({checkText(value, type)}, split);
                EXPECT_EQ(RowCheckCode({value, QString()}, {type}, split), expected)
                    << value.toString().toStdString() << " type " << static_cast<int>(type) << " split " << split;
            }
        }
    }
}

// The number text written in place must be the one the general formatter writes, ties at the
// fifteenth digit included.
TEST(RowCheckCode, NumberTextsInPlaceMatchTheFormatter) {
    std::vector<double> values = {1e15,
                                  1e16,
                                  1e14,
                                  123456789012345.0,
                                  1234567890123456.0,
                                  1e-5,
                                  1e-4,
                                  0.0001234,
                                  5e-324,
                                  1.7976931348623157e308,
                                  -0.5,
                                  1e21,
                                  10335.35986328125,
                                  -13064.56494140625,
                                  12.75,
                                  100,
                                  -1};
    values.push_back(0.1 + 0.2);
    std::mt19937_64 random(20181231);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = random();
        double any = 0;
        std::memcpy(&any, &bits, sizeof any);
        if (std::isfinite(any)) {
            values.push_back(any);
        }
        values.push_back(std::ldexp(static_cast<double>(random() % 100000000), -static_cast<int>(random() % 40)));
        values.push_back(static_cast<double>(random() % 100000000000) / 100);
    }
    int mismatches = 0;
    for (const double value : values) {
        char buffer[32];
        const std::string_view text = qel::store::plainNumberText(value, buffer);
        if (!text.empty() &&
            QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())) != qel::app::numberText(value)) {
            ADD_FAILURE() << "value " << qel::app::numberText(value).toStdString() << " written " << std::string(text);
            if (++mismatches > 10) {
                break;
            }
        }
    }
}
