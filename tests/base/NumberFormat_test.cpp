#include "base/NumberFormat.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

using namespace qel::app;

namespace {

// Every mask the windows and reports use, with the values that tell a faithful formatter
// from a near miss: zero, negatives, halves, carries and values beyond the mask's width.
TEST(NumberFormat, MasksShowValuesAsTheWindowsExpect) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        QString mask;
        std::vector<std::pair<double, const char*>> shown;
    } cases[] = {
        {u"###########0"_s,
         {{1234567, "1234567"},
          {0, "0"},
          {-5, "-5"},
          {2.5, "3"},
          {-2.5, "-3"},
          {-0.4, "0"},
          {123456789012345, "123456789012345"},
          {-0.0, "0"}}},
        {u"#############"_s, {{1234567, "1234567"}}},
        {u"#0"_s, {{7, "7"}, {0, "0"}, {99.5, "100"}}},
        {u"###"_s, {{12, "12"}, {12345, "12345"}}},
        {u"###,###,###,##0"_s,
         {{1234567, "1,234,567"},
          {0, "0"},
          {-1234567, "-1,234,567"},
          {999999.5, "1,000,000"},
          {123456789012345, "123,456,789,012,345"},
          {999, "999"},
          {-999999, "-999,999"},
          {-0.0, "0"}}},
        {u"#####,###,###,##0"_s, {{1234567890123456.0, "1,234,567,890,123,456"}}},
        {u"(###,###,###,##0)"_s,
         {{4000, "(4,000)"}, {0, "(0)"}, {2.5, "(3)"}, {-4000, "-(4,000)"}, {-0.0, "(0)"}, {100000, "(100,000)"}}},
        {u"###,###,###,##0;(###,###,###,##0)"_s,
         {{4000, "4,000"},
          {-4000, "(4,000)"},
          {0, "0"},
          {-2.5, "(3)"},
          {-1234567890, "(1,234,567,890)"},
          {-0.0, "0"},
          {-999999999999999, "(999,999,999,999,999)"},
          {-1000000000000000, "(1,000,000,000,000,000)"}}},
        {u"###,###,##0.#0"_s, {{1234.5, "1,234.50"}, {-1234.567, "-1,234.57"}}},
        {u"##0.#0"_s, {{0.125, "0.13"}, {2.675, "2.68"}, {1.005, "1.01"}, {100, "100.00"}, {99.995, "100.00"}}},
        {u"###,###,###,##0.###0;(###,###,###,##0.###0)"_s,
         {{0.0125, "0.0125"}, {1.23456, "1.2346"}, {-0.00005, "(0.0001)"}, {0, "0.0000"}}},
        {u"####0.00"_s, {{-0.5, "-0.50"}}},
        {u"#,###,###"_s, {{4150.0 * 300, "1,245,000"}, {0, ""}}},
        {u"#,###,###,##0"_s, {{1234567890, "1,234,567,890"}, {-1500, "-1,500"}}},
        {u"##,###,###,###,##0"_s, {{12345678901234, "12,345,678,901,234"}}},
        {u"###############"_s, {{123456789012345, "123456789012345"}}},
        {u"###,###,###,###;(###,###,###,###)"_s, {{1234, "1,234"}, {-1234, "(1,234)"}, {0, ""}}},
        {u"0000"_s, {{7, "0007"}}},
        {u"00"_s, {{3, "03"}, {9.5, "10"}}},
        {u"##"_s, {{0, ""}}},
        {u"#,##0;(#,##0);Cero"_s, {{0, "Cero"}}},
        {u"#,##0;(#,##0);-"_s, {{0.4, "-"}}},
        {u"#.##"_s, {{5, "5."}, {0.5, ".5"}}},
        {masks::kAmount, {{nan, "0"}}},
        {masks::kWhole, {{infinity, "0"}}},
    };
    for (const auto& c : cases) {
        for (const auto& [value, shown] : c.shown) {
            EXPECT_EQ(formatNumber(value, c.mask), QString::fromUtf8(shown))
                << "value " << value << " mask " << c.mask.toStdString();
        }
    }
}

// What a box shows read back: as an amount, and as a whole amount rounded half away from zero.
TEST(NumberFormat, ReadAmountAndReadWholeTakeWhatABoxShows) {
    const struct {
        const char* text;
        double amount;
        double whole;
    } cases[] = {{"(4,000)", -4000, -4000},
                 {"1,234,567", 1234567, 1234567},
                 {"", 0, 0},
                 {"   ", 0, 0},
                 {"  12 ", 12, 12},
                 {"-5", -5, -5},
                 {"abc", 0, 0},
                 {"12abc", 12, 12},
                 {"-(4,000)", -4000, -4000},
                 {"( 4,000 )", -4000, -4000},
                 {"1,234.56", 1234.56, 1235},
                 {"(0)", 0, 0},
                 {"+7", 7, 7},
                 {"1E+15", 1e15, 1e15},
                 {".5", 0.5, 1},
                 {"1 234", 1234, 1234},
                 {"2.5", 2.5, 3},
                 {"-2.5", -2.5, -3},
                 {"(2.5)", -2.5, -3},
                 {"2.4999", 2.4999, 2},
                 {"1,234.5", 1234.5, 1235},
                 {"-0.4", -0.4, 0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(readAmount(QString::fromUtf8(c.text)), c.amount) << c.text;
        EXPECT_EQ(readWhole(QString::fromUtf8(c.text)), c.whole) << c.text;
    }
}

TEST(NumberFormat, ParseIsStrictWhereValIsLenient) {
    struct Case {
        const char* text;
        std::optional<double> strict;
        double lenient;
    };
    const Case cases[] = {
        {"12", 12, 12},
        {" 12 ", 12, 12},
        {"-1.5", -1.5, -1.5},
        {"1e3", 1000, 1000},
        {".5", 0.5, 0.5},
        {"12abc", std::nullopt, 12},
        {"1,234", std::nullopt, 1},
        {"abc", std::nullopt, 0},
        {"", std::nullopt, 0},
        {"-", std::nullopt, 0},
        {"1 2", std::nullopt, 12},
        {" - 5", std::nullopt, -5},
        {"1e999", std::nullopt, 0},
        {"inf", std::nullopt, 0},
        {"1.2.3", std::nullopt, 1.2},
        {"+7", 7, 7},
        {"5.", 5, 5},
        {"1E+2", 100, 100},
        {"1e", std::nullopt, 1},
        {"\t0588\n", 588, 588},
        {"0x10", std::nullopt, 0},
        {"1e-400", std::nullopt, 0},
        {"\u00a012\u00a0", std::nullopt, 0}, // a no-break space is no blank
        {"\u0661", std::nullopt, 0},         // an Arabic-Indic digit is no number
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(parseNumber(text), c.strict) << c.text;
        EXPECT_DOUBLE_EQ(val(text), c.lenient) << c.text;
    }
}

// Plain digit strings take a short way: up to fifteen digits they must read as the general
// reader reads them, and longer ones (where a double is no longer exact) go the general way.
TEST(NumberFormat, DigitStringsReadAsTheGeneralReaderReadsThem) {
    const char* texts[] = {"0",
                           "0588",
                           "20100070970",
                           "000000000000000",
                           "999999999999999",
                           "100000000000001",
                           "9999999999999999",
                           "9007199254740993",
                           "12345678901234567890",
                           "00000000000000000000000000001"};
    for (const char* text : texts) {
        const std::optional<double> read = parseAsciiNumber(text);
        ASSERT_TRUE(read.has_value()) << text;
        EXPECT_EQ(*read, std::strtod(text, nullptr)) << text;
    }
}

TEST(NumberFormat, NumberTextWritesPlainNumbers) {
    const std::pair<double, const char*> cases[] = {
        {6, "6"},       {1.5, "1.5"}, {0.1 + 0.2, "0.3"},        {1e15, "1E+15"},
        {-1.5, "-1.5"}, {-0.0, "0"},  {1e14, "100000000000000"}, {1e-5, "1E-05"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(numberText(value), QString::fromUtf8(text)) << value;
    }
}

TEST(NumberFormat, RoundHalfAwayWorksOnTheDecimalValue) {
    const std::tuple<double, int, double> cases[] = {{2.5, 0, 3},
                                                     {-2.5, 0, -3},
                                                     {0.125, 2, 0.13},
                                                     {2.675, 2, 2.68},
                                                     {1.005, 2, 1.01},
                                                     {-1.005, 2, -1.01},
                                                     {0.49999, 0, 0},
                                                     {9.995, 2, 10},
                                                     {1e15 + 0.5, 0, 1e15 + 1},
                                                     {-7, 0, -7},
                                                     {-7, 2, -7},
                                                     {123456789012345, 0, 123456789012345},
                                                     {1e15 + 2, 0, 1e15 + 2}};
    for (const auto& [value, decimals, rounded] : cases) {
        EXPECT_EQ(roundHalfAway(value, decimals), rounded) << value << " to " << decimals;
    }
    // A negative zero rounds to a plain zero, which no mask shows with a sign.
    EXPECT_FALSE(std::signbit(roundHalfAway(-0.0, 0)));
}

} // namespace
