#include "store/RowCheckCode.h"

#include <QDate>

#include <gtest/gtest.h>

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
    const QList<Case> cases = {
        {"all empty", {QVariant(), QString(), QString()}, numberText, 1, "000000"},
        {"number then text", {6, QStringLiteral("12"), QString()}, numberText, 1, "006149"},
        {"cNumero never covered", {6, QStringLiteral("12"), QStringLiteral("999999")}, numberText, 1, "006149"},
        {"date in key reads yyyymmdd", {QDate(2018, 12, 31), QString(), QString()},
         {ColumnType::Date, ColumnType::Text, ColumnType::Text}, 1, "231000"},
        {"iso date text in key", {QStringLiteral("2018-12-31"), QString(), QString()},
         {ColumnType::Date, ColumnType::Text, ColumnType::Text}, 1, "231000"},
        {"decimal key rounds only at the end", {QStringLiteral("1.4"), QStringLiteral("1.3"), QString()},
         {ColumnType::Text, ColumnType::Text, ColumnType::Text}, 2, "003000"},
        {"text key that is not a number adds nothing", {QStringLiteral("ABC"), QString(), QString()},
         numberText, 1, "000000"},
        {"texts are trimmed", {QVariant(), QStringLiteral("  12  "), QString()}, numberText, 1, "000149"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RowCheckCode(c.row, c.types, c.split), QString::fromLatin1(c.code)) << c.name;
    }
}

TEST(RowCheckCode, DeclarationKeyAndAccentsUseAnsiCodes) {
    // 6 + 20100070970 + 2018 + 588 = 20100073582 -> "582"; "Ñ" is 209 in Windows-1252.
    const QVariantList row = {6, QStringLiteral("20100070970"), QStringLiteral("2018"), QStringLiteral("0588"),
                              QStringLiteral("Ñ"), QString()};
    const QList<ColumnType> types(6, ColumnType::Text);
    EXPECT_EQ(RowCheckCode(row, types, 4), QStringLiteral("582209"));
}

TEST(RowCheckCode, LongTextsUseAWideProduct) {
    // 300 characters 'z' (122): sum = 122 * 300 * 301 / 2 = 5,508,300 -> "300".
    const QStringList texts = {QString(300, QLatin1Char('z'))};
    EXPECT_EQ(checkCodeOfTexts(texts, 0), QStringLiteral("000300"));
}

TEST(RowCheckCode, ValueTextsFollowTheLogicalType) {
    EXPECT_EQ(checkText(QVariant(1.5), ColumnType::Double), QStringLiteral("1.5"));
    EXPECT_EQ(checkText(QVariant(100.0), ColumnType::Currency), QStringLiteral("100"));
    EXPECT_EQ(checkText(QVariant(true), ColumnType::Text), QString());
    EXPECT_EQ(checkText(QVariant(), ColumnType::Integer), QString());
    EXPECT_EQ(checkText(QStringLiteral("31/12/2018"), ColumnType::Date), QStringLiteral("20181231"));
}

#include "support/TestSupport.h"

TEST(RowCheckCode, TheSqlFunctionAgreesWithTheRowComputation) {
    qel::test::TempDatabase temp;
    struct Case {
        const char* name;
        QVariantList values; // without cNumero
        QString types;
        int split;
    };
    const QList<Case> cases = {
        {"dates and amounts", {6, QStringLiteral("20100070970"), QStringLiteral("2018-12-31"), 1500, 12.75,
                               QStringLiteral("2019-02-28"), QStringLiteral("ÑANDÚ S.A.C.")},
         QStringLiteral("ITADCAT"), 3},
        {"text numbers in the key", {QStringLiteral(" 0588 "), QStringLiteral("1.5"), QStringLiteral("abc"),
                                     QStringLiteral("  trailing  "), QVariant()},
         QStringLiteral("TTTTT"), 3},
        {"signs, exponents and blanks in the key",
         {QStringLiteral("+7"), QStringLiteral("\t1E+2\n"), QStringLiteral("5."), QStringLiteral("1e"),
          QStringLiteral("20100070970"), QStringLiteral("x")},
         QStringLiteral("TTTTTT"), 5},
        {"invalid date and euro sign", {QStringLiteral("2018-02-30"), QStringLiteral("€ 100"), -42},
         QStringLiteral("ATI"), 1},
    };
    for (const auto& c : cases) {
        QStringList marks;
        QVariantList bound = {c.types, c.split};
        QList<ColumnType> types;
        for (int i = 0; i < c.values.size(); ++i) {
            marks.append(QStringLiteral("?"));
            bound.append(c.values.at(i));
            const QChar letter = c.types.at(i);
            types.append(letter == QLatin1Char('I')   ? ColumnType::Integer
                         : letter == QLatin1Char('D') ? ColumnType::Double
                         : letter == QLatin1Char('C') ? ColumnType::Currency
                         : letter == QLatin1Char('A') ? ColumnType::Date
                                                      : ColumnType::Text);
        }
        const QString fromSql =
            temp.db().scalar(QStringLiteral("SELECT qel_check_code(?,?,%1)").arg(marks.join(',')), bound).toString();
        QVariantList row = c.values;
        row.append(QString()); // cNumero
        EXPECT_EQ(fromSql, RowCheckCode(row, types, c.split)) << c.name;
    }
}
