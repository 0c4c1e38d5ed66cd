#pragma once

#include <QString>
#include <optional>
#include <string_view>

namespace qel::app {

// Display masks of the system: '#' and '0' digit placeholders, ',' thousands grouping,
// '.' decimal point, ';' sections (positive;negative;zero), any other character literal
// (the parentheses of deductions). Rounds half away from zero on the decimal value.
QString formatNumber(double value, const QString& mask);

// A number written as the platform writes it in plain text: "6", "1.5", "1E+15".
QString numberText(double value);

// The whole text as a number (blanks around allowed), or nothing.
std::optional<double> parseNumber(const QString& text);
// The same for a text of plain ASCII characters.
std::optional<double> parseAsciiNumber(std::string_view text);

// The numeric value of the leading part of a text that reads as a number, blanks anywhere
// skipped ("1 234" is 1234, "12abc" is 12); 0 when none.
double val(const QString& text);

// An amount read from a box: thousands separators removed, parentheses or a leading '-'
// as a negative sign ("-(4,000)", what a parenthesised mask shows for a negative value, is
// -4000 too), an empty or unreadable box as 0.
double readAmount(const QString& text);

// readAmount rounded to whole units, as the calculation reads every casilla.
double readWhole(const QString& text);

// Rounding half away from zero to a number of decimals, on the decimal value of the double.
double roundHalfAway(double value, int decimals = 0);

// Masks used all over the form.
namespace masks {
inline const QString kWhole = QStringLiteral("###########0");
inline const QString kAmount = QStringLiteral("###,###,###,##0");
inline const QString kSigned = QStringLiteral("###,###,###,##0;(###,###,###,##0)");
inline const QString kParenthesised = QStringLiteral("(###,###,###,##0)");
inline const QString kCoefficient = QStringLiteral("###,###,###,##0.###0;(###,###,###,##0.###0)");
inline const QString kPercentage = QStringLiteral("##0.#0");
} // namespace masks

} // namespace qel::app
