#include "base/NumberFormat.h"
#include "store/RowCheckCode.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QDateTime>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using qel::store::checkCodeOfTexts;
using qel::store::checkText;
using qel::store::ColumnType;
using qel::store::RowCheckCode;

TEST(RowCheckCode, KnownRows) {
    struct Case {
        const char* name;
        QVariantList row; // the last column is cNumero
        QList<ColumnType> types;
        int split;
        const char* code;
    };
    const QList<ColumnType> numberText = {ColumnType::Integer, ColumnType::Text, ColumnType::Text};
    const QList<ColumnType> threeTexts(3, ColumnType::Text);
    const QList<Case> cases = {
        {"all empty", {QVariant(), QString(), QString()}, numberText, 1, "000000"},
        {"number then text", {6, QStringLiteral("12"), QString()}, numberText, 1, "006149"},
        {"cNumero never covered", {6, QStringLiteral("12"), QStringLiteral("999999")}, numberText, 1, "006149"},
        {"date in key reads yyyymmdd",
         {QDate(2018, 12, 31), QString(), QString()},
         {ColumnType::Date, ColumnType::Text, ColumnType::Text},
         1,
         "231000"},
        {"iso date text in key",
         {QStringLiteral("2018-12-31"), QString(), QString()},
         {ColumnType::Date, ColumnType::Text, ColumnType::Text},
         1,
         "231000"},
        {"decimal key rounds only at the end",
         {QStringLiteral("1.4"), QStringLiteral("1.3"), QString()},
         {ColumnType::Text, ColumnType::Text, ColumnType::Text},
         2,
         "003000"},
        {"a date typed day first",
         {QStringLiteral("31/12/2018"), QString(), QString()},
         {ColumnType::Date, ColumnType::Text, ColumnType::Text},
         1,
         "231000"},
        {"a boolean adds nothing", {true, QString(), QString()}, threeTexts, 1, "000000"},
        {"text key that is not a number adds nothing",
         {QStringLiteral("ABC"), QString(), QString()},
         numberText,
         1,
         "000000"},
        {"texts are trimmed", {QVariant(), QStringLiteral("  12  "), QString()}, numberText, 1, "000149"},
        {"a half rounds away from zero", {QStringLiteral("1002.5"), QString(), QString()}, threeTexts, 1, "003000"},
        {"a negative half too", {QStringLiteral("-2.5"), QString(), QString()}, threeTexts, 1, "003000"},
        // Doubles near 2^62 are 1024 apart: ...387000 reads as 2^62 - 1024, ...387903 as 2^62.
        {"just below 2^62", {QStringLiteral("4611686018427387000"), QString(), QString()}, threeTexts, 1, "880000"},
        {"at 2^62", {QStringLiteral("4611686018427387903"), QString(), QString()}, threeTexts, 1, "904000"},
        {"beyond 2^63", {QStringLiteral("9223372036854775807"), QString(), QString()}, threeTexts, 1, "808000"},
        // 6 + 20100070970 + 2018 + 588 = 20100073582 -> "582"; "Ñ" is 209 in Windows-1252.
        {"declaration key and accents in ANSI codes",
         {6, QStringLiteral("20100070970"), QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("Ñ"),
          QString()},
         QList<ColumnType>(6, ColumnType::Text),
         4,
         "582209"},
        // 300 times 'z' (122): 122 * 300 * 301 / 2 = 5,508,300 -> "300", past a 32-bit product.
        {"long texts use a wide product",
         {QString(300, QLatin1Char('z')), QString()},
         QList<ColumnType>(2, ColumnType::Text),
         0,
         "000300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RowCheckCode(c.row, c.types, c.split), QString::fromLatin1(c.code)) << c.name;
    }
}

namespace {

QList<ColumnType> typesOf(const QString& letters) {
    QList<ColumnType> types;
    for (const QChar letter : letters) {
        types.append(letter == QLatin1Char('I')   ? ColumnType::Integer
                     : letter == QLatin1Char('D') ? ColumnType::Double
                     : letter == QLatin1Char('C') ? ColumnType::Currency
                     : letter == QLatin1Char('A') ? ColumnType::Date
                                                  : ColumnType::Text);
    }
    return types;
}

} // namespace

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
         {6, QStringLiteral("20100070970"), QStringLiteral("2018-12-31"), 1500, 12.75, QStringLiteral("2019-02-28"),
          QStringLiteral("ÑANDÚ S.A.C.")},
         QStringLiteral("ITADCAT"),
         3},
        {"text numbers in the key",
         {QStringLiteral(" 0588 "), QStringLiteral("1.5"), QStringLiteral("abc"), QStringLiteral("  trailing  "),
          QVariant()},
         QStringLiteral("TTTTT"),
         3},
        {"signs, exponents and blanks in the key",
         {QStringLiteral("+7"), QStringLiteral("\t1E+2\n"), QStringLiteral("5."), QStringLiteral("1e"),
          QStringLiteral("20100070970"), QStringLiteral("x")},
         QStringLiteral("TTTTTT"),
         5},
        {"more signs and exponents",
         {QStringLiteral("-3.5e-1"), QStringLiteral("+-1"), QStringLiteral(".5"), QStringLiteral("-.5E1"),
          QStringLiteral("1e400"), QStringLiteral("- 1")},
         QStringLiteral("TTTTTT"),
         6},
        {"invalid date and euro sign",
         {QStringLiteral("2018-02-30"), QStringLiteral("€ 100"), -42},
         QStringLiteral("ATI"),
         1},
        {"dates in every form",
         {QStringLiteral("31/12/2018"), QStringLiteral(" 2018-12-31T10:15:00 "), QStringLiteral("2018-1-31"),
          QStringLiteral("0999-01-01"), QStringLiteral("00/12/2018"), QStringLiteral("2018-12-31"),
          QStringLiteral("31/12/2018"), QStringLiteral("2018/12/31"), QStringLiteral("")},
         QStringLiteral("AAAAAAAAA"),
         5},
        {"dates stored as numbers or beyond ASCII",
         {20181231, 2018.5, nbsp + QStringLiteral("2018-12-31"), QStringLiteral("2018-12-31") + nbsp,
          QStringLiteral("2018-12-3Ñ")},
         QStringLiteral("AAAAA"),
         2},
        {"integers of every size",
         {Q_INT64_C(9007199254740993), Q_INT64_C(-9223372036854775807), 0, Q_INT64_C(9007199254740993),
          Q_INT64_C(-9223372036854775807), -1},
         QStringLiteral("IIIIII"),
         3},
        {"doubles in both sums",
         {0.1 + 0.2, 1e15, 1e16, -0.0, 10335.35986328125, 0.1 + 0.2, 1e15, 1e16, 1e-5, 10335.35986328125,
          123456789.125},
         QStringLiteral("DDDDDDDDDDD"),
         5},
        {"blanks and texts beyond ASCII",
         {nbsp + QStringLiteral("12") + nbsp, QStringLiteral("١٢"), QStringLiteral("  ñandú  "),
          nbsp + QStringLiteral("Ñ") + nbsp, QStringLiteral("a") + clef + QStringLiteral("b"), QStringLiteral("€‚ƒ„"),
          QStringLiteral("\t \n"), QStringLiteral("日本")},
         QStringLiteral("TTTTTTTT"),
         2},
        {"texts of every length, one ending beyond ASCII",
         {QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("abc"), QStringLiteral("abcd"),
          QStringLiteral("abcde"), QStringLiteral(" abcdefghi "), QStringLiteral("abcdefgÑ"),
          QStringLiteral("abcdÑefgh")},
         QStringLiteral("TTTTTTTT"),
         0},
        {"texts around the sixteen-byte blocks",
         {QString(15, QLatin1Char('~')), QString(16, QLatin1Char('z')), QStringLiteral("0123456789abcdefg"),
          QString(31, QLatin1Char('Q')), QString(32, QLatin1Char('\x7f')), QString(33, QLatin1Char('!')),
          QString(100, QLatin1Char('A')) + QStringLiteral("b"), QString(40, QLatin1Char('a')) + QStringLiteral("é"),
          QString(20, QLatin1Char('a')) + QStringLiteral("é") + QString(20, QLatin1Char('b'))},
         QStringLiteral("TTTTTTTTT"),
         0},
        {"a long ASCII key",
         {QStringLiteral("1") + QString(80, QLatin1Char('0')), QString(70, QLatin1Char(' ')) + QStringLiteral("25")},
         QStringLiteral("TT"),
         2},
    };
    for (const auto& c : cases) {
        QStringList marks;
        QVariantList bound = {c.types, c.split};
        const QList<ColumnType> types = typesOf(c.types);
        QStringList texts;
        for (int i = 0; i < c.values.size(); ++i) {
            marks.append(QStringLiteral("?"));
            bound.append(c.values.at(i));
            texts.append(checkText(c.values.at(i), types.at(i)));
        }
        QVariantList row = c.values;
        row.append(QString()); // cNumero
        const QString fromTexts = checkCodeOfTexts(texts, c.split);
        EXPECT_EQ(RowCheckCode(row, types, c.split), fromTexts) << c.name;
        const QString fromSql =
            temp.db().scalar(QStringLiteral("SELECT qel_check_code(?,?,%1)").arg(marks.join(',')), bound).toString();
        EXPECT_EQ(fromSql, fromTexts) << c.name;
    }
}

// Each column alone, so that a wrong sum in one column cannot hide behind another's.
TEST(RowCheckCode, EachColumnAloneGivesTheSameCodeInBothSums) {
    const QList<QVariant> values = {QStringLiteral("-12.5"),
                                    QStringLiteral("1E+2"),
                                    QStringLiteral(" +7 "),
                                    QStringLiteral("ÑANDÚ"),
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
                                  0.1 + 0.2,
                                  1e21,
                                  10335.35986328125,
                                  -13064.56494140625,
                                  12.75,
                                  100,
                                  -1};
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
