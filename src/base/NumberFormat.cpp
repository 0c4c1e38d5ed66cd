#include "base/NumberFormat.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace qel::app {

namespace {

// The absolute value as decimal digits: integer part without leading zeros, fraction part.
struct Decimal {
    QString integer;  // "" for zero
    QString fraction; // may be empty
};

// Fifteen significant digits give the decimal value the user typed (2.675, not 2.67499...);
// beyond 1e15 the integer part needs more, and the halves there are exact in binary.
Decimal toDecimal(double absValue) {
    if (!std::isfinite(absValue)) {
        absValue = 0;
    }
    QString text = QString::number(absValue, 'g', 15);
    if (text.contains(QLatin1Char('e'))) {
        if (absValue < 1) {
            text = QString::number(absValue, 'f', 20);
        } else {
            text = QString::number(absValue, 'g', 17);
            if (text.contains(QLatin1Char('e'))) {
                text = QString::number(absValue, 'f', 0);
            }
        }
    }
    Decimal d;
    const auto point = text.indexOf(QLatin1Char('.'));
    d.integer = point < 0 ? text : text.left(point);
    d.fraction = point < 0 ? QString() : text.mid(point + 1);
    while (d.integer.startsWith(QLatin1Char('0'))) {
        d.integer.remove(0, 1);
    }
    return d;
}

// Adds one unit to a string of decimal digits ("" counts as 0).
QString increment(QString digits) {
    int i = static_cast<int>(digits.size()) - 1;
    while (i >= 0) {
        if (digits[i] == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
            --i;
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
    }
    return QLatin1Char('1') + digits;
}

Decimal roundTo(Decimal d, int decimals) {
    if (d.fraction.size() <= decimals) {
        d.fraction = d.fraction.leftJustified(decimals, QLatin1Char('0'));
        return d;
    }
    const bool up = d.fraction.at(decimals) >= QLatin1Char('5');
    d.fraction = d.fraction.left(decimals);
    if (up) {
        const QString joined = increment(d.integer + d.fraction);
        d.integer = joined.left(joined.size() - decimals);
        d.fraction = joined.right(decimals);
        while (d.integer.startsWith(QLatin1Char('0'))) {
            d.integer.remove(0, 1);
        }
    }
    return d;
}

bool isPlaceholder(QChar c) {
    return c == QLatin1Char('#') || c == QLatin1Char('0');
}

QString formatSection(double absValue, const QString& section) {
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        if (isPlaceholder(c) || c == QLatin1Char('.') || (c == QLatin1Char(',') && first >= 0)) {
            if (first < 0) {
                first = i;
            }
            last = i;
        }
    }
    if (first < 0) {
        return section; // all literal
    }
    const QString prefix = section.left(first);
    const QString suffix = section.mid(last + 1);
    const QString body = section.mid(first, last - first + 1);
    const auto point = body.indexOf(QLatin1Char('.'));
    const QString integerMask = point < 0 ? body : body.left(point);
    const QString fractionMask = point < 0 ? QString() : body.mid(point + 1);

    const bool grouping = integerMask.contains(QLatin1Char(','));
    const auto firstZero = integerMask.indexOf(QLatin1Char('0'));
    int minIntegerDigits = 0;
    if (firstZero >= 0) {
        for (qsizetype i = firstZero; i < integerMask.size(); ++i) {
            minIntegerDigits += isPlaceholder(integerMask.at(i)) ? 1 : 0;
        }
    }
    int decimals = 0;
    int minDecimals = 0;
    for (qsizetype i = 0; i < fractionMask.size(); ++i) {
        if (isPlaceholder(fractionMask.at(i))) {
            ++decimals;
            if (fractionMask.at(i) == QLatin1Char('0')) {
                minDecimals = decimals;
            }
        }
    }

    const Decimal d = roundTo(toDecimal(absValue), decimals);
    QString integer = d.integer;
    if (integer.size() < minIntegerDigits) {
        integer = integer.rightJustified(minIntegerDigits, QLatin1Char('0'));
    }
    if (grouping) {
        for (auto i = integer.size() - 3; i > 0; i -= 3) {
            integer.insert(i, QLatin1Char(','));
        }
    }
    QString fraction = d.fraction;
    while (fraction.size() > minDecimals && fraction.endsWith(QLatin1Char('0'))) {
        fraction.chop(1);
    }
    QString number = integer;
    if (point >= 0) {
        number += QLatin1Char('.') + fraction;
    }
    return prefix + number + suffix;
}

bool roundsToZero(double absValue, const QString& section) {
    const auto point = section.indexOf(QLatin1Char('.'));
    int decimals = 0;
    if (point >= 0) {
        for (qsizetype i = point + 1; i < section.size(); ++i) {
            decimals += isPlaceholder(section.at(i)) ? 1 : 0;
        }
    }
    const Decimal d = roundTo(toDecimal(absValue), decimals);
    return d.integer.isEmpty() &&
           std::all_of(d.fraction.cbegin(), d.fraction.cend(), [](QChar c) { return c == QLatin1Char('0'); });
}

// The four whole-unit masks of the form, for a whole value: what formatSection gives for them,
// written straight into the text. The calculation formats every box it changes on each
// keystroke, nearly always with one of these.
std::optional<QString> formatWhole(double value, const QString& mask) {
    if (!(std::fabs(value) < 1e15) || value != std::trunc(value)) {
        return std::nullopt;
    }
    const bool parenthesised = mask == masks::kParenthesised;
    const bool signedMask = !parenthesised && mask == masks::kSigned;
    if (!parenthesised && !signedMask && mask != masks::kAmount && mask != masks::kWhole) {
        return std::nullopt;
    }
    const bool grouped = mask != masks::kWhole;
    const bool negative = value < 0;
    auto magnitude = static_cast<unsigned long long>(std::fabs(value));
    char reversed[32];
    int length = 0;
    do {
        if (grouped && length % 4 == 3) {
            reversed[length++] = ',';
        }
        reversed[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    QString text;
    text.reserve(length + 3);
    if (negative && !signedMask) {
        text += QLatin1Char('-');
    }
    const bool brackets = parenthesised || (signedMask && negative);
    if (brackets) {
        text += QLatin1Char('(');
    }
    while (length > 0) {
        text += QLatin1Char(reversed[--length]);
    }
    if (brackets) {
        text += QLatin1Char(')');
    }
    return text;
}

} // namespace

QString formatNumber(double value, const QString& mask) {
    if (std::optional<QString> whole = formatWhole(value, mask)) {
        return *std::move(whole);
    }
    const QStringList sections = mask.split(QLatin1Char(';'));
    const double absValue = std::fabs(value);
    if (sections.size() >= 3 && roundsToZero(absValue, sections.at(0))) {
        return formatSection(0, sections.at(2));
    }
    if (value < 0) {
        if (sections.size() >= 2) {
            return formatSection(absValue, sections.at(1));
        }
        const QString text = formatSection(absValue, sections.at(0));
        return roundsToZero(absValue, sections.at(0)) ? text : QLatin1Char('-') + text;
    }
    return formatSection(absValue, sections.at(0));
}

QString numberText(double value) {
    if (value == 0) {
        return QStringLiteral("0");
    }
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    return text;
}

std::optional<double> parseNumber(const QString& text) {
    const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        const QByteArray latin = text.toLatin1();
        return parseAsciiNumber(std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())));
    }
    // Beyond plain ASCII the expression decides; a digit of another script matches it but does
    // not convert.
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!number.match(text).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// Without QString or a regular expression: the check code of every stored row reads its key
// columns through here.
std::optional<double> parseAsciiNumber(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    std::size_t pos = 0;
    const auto skipDigits = [&] {
        const std::size_t start = pos;
        while (pos < text.size() && digit(text[pos])) {
            ++pos;
        }
        return pos - start;
    };
    const bool positiveSign = !text.empty() && text.front() == '+';
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        ++pos;
    }
    const std::size_t integerDigits = skipDigits();
    std::size_t fractionDigits = 0;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        fractionDigits = skipDigits();
    }
    if (integerDigits == 0 && fractionDigits == 0) {
        return std::nullopt;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            ++pos;
        }
        if (skipDigits() == 0) {
            return std::nullopt;
        }
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    // Plain digits, as every key column holds them: up to fifteen digits the whole number is
    // exact in a double, as from_chars would read it.
    if (pos == integerDigits && integerDigits <= 15) {
        std::int64_t whole = 0;
        for (const char c : text) {
            whole = whole * 10 + (c - '0');
        }
        return static_cast<double>(whole);
    }
    // from_chars takes no leading '+'.
    const std::string_view number = positiveSign ? text.substr(1) : text;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Blanks, tabs and line feeds are skipped anywhere ("1 234" is 1234); the reading stops at
// the first character that cannot continue a number.
double val(const QString& text) {
    static const QRegularExpression prefix(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?"));
    static const QRegularExpression blanks(QStringLiteral("[ \\t\\n\\r]"));
    QString compact = text;
    compact.remove(blanks);
    const auto match = prefix.match(compact);
    if (!match.hasMatch()) {
        return 0;
    }
    const double value = match.captured(0).toDouble();
    return std::isfinite(value) ? value : 0;
}

double readAmount(const QString& text) {
    QString t = text.trimmed();
    if (t.isEmpty()) {
        return 0;
    }
    t.remove(QLatin1Char(','));
    t.remove(QLatin1Char(' '));
    // "(4,000)" is negative; so is "-(4,000)", which a parenthesised mask shows for a negative value.
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) && t.mid(1).startsWith(QLatin1Char('('))) {
        negative = true;
        t.remove(0, 1);
    }
    if (t.size() >= 2 && t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        negative = true;
        t = t.mid(1, t.size() - 2);
    }
    if (t.startsWith(QLatin1Char('-'))) {
        negative = !negative;
        t.remove(0, 1);
    }
    // The lenient reading only when the strict one fails: it takes two regular expressions.
    const std::optional<double> strict = parseNumber(t);
    const double magnitude = strict ? *strict : val(t);
    return negative ? -magnitude : magnitude;
}

double readWhole(const QString& text) {
    return roundHalfAway(readAmount(text), 0);
}

double roundHalfAway(double value, int decimals) {
    // A whole amount, what nearly every box holds, is its own rounding: its decimal text is exact.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        return value == 0 ? 0.0 : value;
    }
    const Decimal d = roundTo(toDecimal(std::fabs(value)), decimals);
    const QString text = (d.integer.isEmpty() ? QStringLiteral("0") : d.integer) +
                         (decimals > 0 ? QLatin1Char('.') + d.fraction : QString());
    const double magnitude = text.toDouble();
    return value < 0 ? -magnitude : magnitude;
}

} // namespace qel::app
