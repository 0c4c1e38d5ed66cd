#include "store/RowCheckCode.h"

#include "base/Cp1252.h"
#include "base/NumberFormat.h"

#include <QDate>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qel::store {

namespace {

QString dateText(const QVariant& value) {
    QDate date;
    if (value.typeId() == QMetaType::QDate) {
        date = value.toDate();
    } else if (value.typeId() == QMetaType::QDateTime) {
        date = value.toDateTime().date();
    } else {
        const QString text = value.toString().trimmed();
        date = QDate::fromString(text.left(10), Qt::ISODate);
        if (!date.isValid()) {
            date = QDate::fromString(text.left(10), QStringLiteral("dd/MM/yyyy"));
        }
    }
    return date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")) : QString();
}

bool isNumericVariant(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

constexpr std::size_t kLongestAsciiKey = 64;

bool isAsciiSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimAscii(std::string_view text) {
    while (!text.empty() && isAsciiSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isAsciiSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool allAscii(std::string_view text) {
    return std::all_of(text.cbegin(), text.cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

int number(const char* text, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// How the first ten characters of a trimmed date text read: "yyyy-mm-dd" (ISO) or
// "dd/mm/yyyy" as a real date, as no date at all, or in some other form that only the date
// parser can settle.
enum class DateReading { Date, NoDate, Unsure };

DateReading readDate(const char* text, std::size_t length, char* digits) {
    if (length < 10) {
        return DateReading::Unsure;
    }
    const auto digitsAt = [text](std::initializer_list<int> positions) {
        return std::all_of(positions.begin(), positions.end(), [text](int i) { return isDigit(text[i]); });
    };
    const char* year = nullptr;
    const char* month = nullptr;
    const char* day = nullptr;
    if (text[4] == '-' && text[7] == '-' && digitsAt({0, 1, 2, 3, 5, 6, 8, 9})) {
        year = text;
        month = text + 5;
        day = text + 8;
    } else if (text[2] == '/' && text[5] == '/' && digitsAt({0, 1, 3, 4, 6, 7, 8, 9})) {
        day = text;
        month = text + 3;
        year = text + 6;
    } else {
        return DateReading::Unsure;
    }
    if (!QDate::isValid(number(year, 4), number(month, 2), number(day, 2))) {
        return DateReading::NoDate;
    }
    std::memcpy(digits, year, 4);
    std::memcpy(digits + 4, month, 2);
    std::memcpy(digits + 6, day, 2);
    return DateReading::Date;
}

// The same for a QDate: years of four digits only.
bool dateDigits(const QDate& date, char* digits) {
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) {
        return false;
    }
    const int value = date.year() * 10000 + date.month() * 100 + date.day();
    std::snprintf(digits, 9, "%08d", value);
    return true;
}

// One character of a UTF-8 text, or nothing when the bytes are malformed. Characters beyond
// the basic plane count as their two UTF-16 halves, as a QString holds them.
struct Utf8Char {
    char32_t code = 0;
    std::size_t bytes = 0;
    int units = 1;
};

std::optional<Utf8Char> decodeUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return Utf8Char{lead, 1, 1};
    }
    const std::size_t extra = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : 0;
    if (extra == 0 || at + extra >= text.size()) {
        return std::nullopt;
    }
    char32_t code = extra == 3 ? (lead & 0x07u) : extra == 2 ? (lead & 0x0Fu) : (lead & 0x1Fu);
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0u) != 0x80u) {
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3Fu);
    }
    // Overlong forms, surrogates and codes beyond Unicode are malformed.
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[extra] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        return std::nullopt;
    }
    return Utf8Char{code, extra + 1, code > 0xFFFF ? 2 : 1};
}

// Each byte times its position (from 1), or nothing when a byte is beyond ASCII.
std::optional<std::uint64_t> asciiPositionSum(std::string_view text) {
    std::uint64_t total = 0;
    unsigned high = 0;
    std::size_t offset = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: a block at offset o adds (o + 1) times the sum of its bytes plus
    // each byte times its place in the block. The last bytes (and short texts, such as the
    // digits of a number) go one by one.
    const __m128i zero = _mm_setzero_si128();
    const __m128i lowPlaces = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);
    const __m128i highPlaces = _mm_setr_epi16(8, 9, 10, 11, 12, 13, 14, 15);
    for (; offset + 16 <= text.size(); offset += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + offset));
        high |= static_cast<unsigned>(_mm_movemask_epi8(bytes)) != 0 ? 0x80u : 0u;
        const __m128i halves = _mm_sad_epu8(bytes, zero); // the sums of the two eight-byte halves
        const auto byteSum = static_cast<std::uint64_t>(_mm_cvtsi128_si32(halves)) +
                             static_cast<std::uint64_t>(_mm_extract_epi16(halves, 4));
        __m128i placed = _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), lowPlaces),
                                       _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), highPlaces));
        placed = _mm_add_epi32(placed, _mm_shuffle_epi32(placed, _MM_SHUFFLE(1, 0, 3, 2)));
        placed = _mm_add_epi32(placed, _mm_shuffle_epi32(placed, _MM_SHUFFLE(2, 3, 0, 1)));
        total += (offset + 1) * byteSum + static_cast<std::uint32_t>(_mm_cvtsi128_si32(placed));
    }
#endif
    for (; offset < text.size(); ++offset) {
        const auto byte = static_cast<unsigned char>(text[offset]);
        high |= byte;
        total += static_cast<std::uint64_t>(byte) * (offset + 1);
    }
    if (high >= 0x80) {
        return std::nullopt;
    }
    return total;
}

bool isUnicodeSpace(const Utf8Char& c) {
    return c.units == 1 && QChar::isSpace(c.code);
}

void writeThreeDigits(int lastThree, char* digits) {
    digits[0] = static_cast<char>('0' + lastThree / 100);
    digits[1] = static_cast<char>('0' + lastThree / 10 % 10);
    digits[2] = static_cast<char>('0' + lastThree % 10);
}

// The last three digits of a whole number written with twenty zero-padded digits. Below 2^62
// the rounded magnitude fits in an integer, whose remainder is exact and far cheaper than the
// floating one.
void writeLastThreeDigits(long double value, char* digits) {
    const long double magnitude = std::fabs(value);
    if (magnitude < 4611686018427387904.0L) {
        writeThreeDigits(static_cast<int>(static_cast<std::uint64_t>(std::llround(magnitude)) % 1000U), digits);
        return;
    }
    writeThreeDigits(static_cast<int>(std::fmod(std::round(magnitude), 1000.0L)), digits);
}

} // namespace

std::string_view plainNumberText(double value, char (&buffer)[32]) {
    if (value == 0) {
        buffer[0] = '0';
        return {buffer, 1};
    }
    if (!std::isfinite(value)) {
        return {};
    }
    // A value whose sixteenth significant digit is a 5 may lie exactly halfway: the general
    // formatter rounds it away from zero, to_chars to the even digit.
    const auto sixteen = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 15);
    if (sixteen.ec != std::errc() || *(std::find(buffer, sixteen.ptr, 'e') - 1) == '5') {
        return {};
    }
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (written.ec != std::errc()) {
        return {};
    }
    std::replace(buffer, written.ptr, 'e', 'E');
    return {buffer, static_cast<std::size_t>(written.ptr - buffer)};
}

QString checkText(const QVariant& value, ColumnType type) {
    if (!value.isValid() || value.isNull()) {
        return {};
    }
    if (type == ColumnType::Date) {
        return dateText(value);
    }
    if (value.typeId() == QMetaType::Bool) {
        return {};
    }
    if (isNumericVariant(value)) {
        if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
            return app::numberText(value.toDouble());
        }
        return value.toString();
    }
    return value.toString().trimmed();
}

void CheckCodeAccumulator::addValue(const QVariant& value, ColumnType type, bool key) {
    if (!value.isValid() || value.isNull()) {
        return;
    }
    switch (value.typeId()) {
    case QMetaType::QString:
        return addText(QStringView(*static_cast<const QString*>(value.constData())), type, key);
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        if (type == ColumnType::Date) {
            char digits[9];
            const QDate date = value.typeId() == QMetaType::QDate ? value.toDate() : value.toDateTime().date();
            if (dateDigits(date, digits)) {
                return addDateDigits(digits, key);
            }
        }
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        if (type != ColumnType::Date) {
            return addInteger(value.toLongLong(), key);
        }
        return; // a number is no date
    case QMetaType::Double:
    case QMetaType::Float:
        if (type != ColumnType::Date) {
            return addDouble(value.toDouble(), key);
        }
        return;
    default:
        break;
    }
    addChecked(checkText(value, type), key);
}

void CheckCodeAccumulator::addUtf8(std::string_view text, ColumnType type, bool key) {
    text = trimAscii(text);
    if (type == ColumnType::Date) {
        char digits[8];
        switch (allAscii(text.substr(0, 10)) ? readDate(text.data(), text.size(), digits) : DateReading::Unsure) {
        case DateReading::Date:
            return addDateDigits(digits, key);
        case DateReading::NoDate:
            return;
        case DateReading::Unsure:
            return addChecked(checkText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), type),
                              key);
        }
    }
    if (!key) {
        // One pass for the common case of ASCII text: the sum is kept only when no byte was
        // beyond ASCII.
        if (const std::optional<std::uint64_t> sum = asciiPositionSum(text)) {
            m_textSum += *sum;
            return;
        }
    } else if (allAscii(text)) {
        return addAscii(text, key);
    }
    // Beyond ASCII: a key goes through the number reader; a covered text has the blanks of
    // other scripts trimmed too, and each character counts by its code page position.
    if (key) {
        return addChecked(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed(), true);
    }
    std::size_t first = 0;
    std::size_t last = 0; // one past the last character that is no blank
    bool leading = true;
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<Utf8Char> c = decodeUtf8(text, at);
        if (!c) {
            return addCoveredText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed());
        }
        if (!isUnicodeSpace(*c)) {
            if (leading) {
                first = at;
                leading = false;
            }
            last = at + c->bytes;
        }
        at += c->bytes;
    }
    std::uint64_t position = 0;
    for (std::size_t at = first; at < last;) {
        const Utf8Char c = *decodeUtf8(text, at);
        const int ansi = c.units == 1 ? app::ansiCode(QChar(static_cast<char16_t>(c.code))) : '?';
        for (int unit = 0; unit < c.units; ++unit) {
            m_textSum += static_cast<std::uint64_t>(ansi) * ++position;
        }
        at += c.bytes;
    }
}

void CheckCodeAccumulator::addInteger(std::int64_t value, bool key) {
    if (key) {
        // As the text of the number reads: a double.
        m_keySum += static_cast<double>(value);
        return;
    }
    char buffer[24];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    addAscii(std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer)), false);
}

void CheckCodeAccumulator::addDouble(double value, bool key) {
    char buffer[32];
    const std::string_view text = plainNumberText(value, buffer);
    if (text.empty()) {
        return addChecked(app::numberText(value), key);
    }
    addAscii(text, key);
}

void CheckCodeAccumulator::addKeyText(const QString& text) {
    if (const auto number = app::parseNumber(text)) {
        m_keySum += *number;
    }
}

void CheckCodeAccumulator::addCoveredText(QStringView text) {
    // A wide product: long texts of high codes would overflow a 16-bit one.
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        m_textSum += static_cast<std::uint64_t>(app::ansiCode(text.at(pos))) * static_cast<std::uint64_t>(pos + 1);
    }
}

void CheckCodeAccumulator::addAscii(std::string_view trimmed, bool key) {
    if (key) {
        if (const auto number = app::parseAsciiNumber(trimmed)) {
            m_keySum += *number;
        }
        return;
    }
    m_textSum += *asciiPositionSum(trimmed);
}

void CheckCodeAccumulator::addDateDigits(const char* digits, bool key) {
    if (key) {
        m_keySum += number(digits, 8);
        return;
    }
    addAscii(std::string_view(digits, 8), false);
}

void CheckCodeAccumulator::addText(QStringView text, ColumnType type, bool key) {
    text = text.trimmed();
    char ascii[kLongestAsciiKey];
    const bool shortAscii = text.size() <= static_cast<qsizetype>(sizeof ascii) &&
                            std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (shortAscii) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            ascii[i] = static_cast<char>(text.at(i).unicode());
        }
        const std::string_view view(ascii, static_cast<std::size_t>(text.size()));
        if (type != ColumnType::Date) {
            return addAscii(view, key);
        }
        char digits[8];
        switch (readDate(view.data(), view.size(), digits)) {
        case DateReading::Date:
            return addDateDigits(digits, key);
        case DateReading::NoDate:
            return;
        case DateReading::Unsure:
            break;
        }
    } else if (type != ColumnType::Date && !key) {
        return addCoveredText(text);
    }
    addChecked(checkText(text.toString(), type), key);
}

void CheckCodeAccumulator::addChecked(const QString& text, bool key) {
    key ? addKeyText(text) : addCoveredText(text);
}

void CheckCodeAccumulator::writeCode(char* digits) const {
    writeLastThreeDigits(m_keySum, digits);
    writeThreeDigits(static_cast<int>(m_textSum % 1000U), digits + 3); // the last three of its fifteen
}

QString CheckCodeAccumulator::code() const {
    char digits[6];
    writeCode(digits);
    return QString::fromLatin1(digits, 6);
}

QString checkCodeOfTexts(const QStringList& texts, int splitIndex) {
    CheckCodeAccumulator sums;
    for (int i = 0; i < texts.size(); ++i) {
        if (i < splitIndex) {
            sums.addKeyText(texts.at(i));
        } else {
            sums.addCoveredText(texts.at(i));
        }
    }
    return sums.code();
}

QString RowCheckCode(const QVariantList& row, const QList<ColumnType>& types, int splitIndex) {
    CheckCodeAccumulator sums;
    const auto covered = row.size() - 1;
    for (qsizetype i = 0; i < covered; ++i) {
        sums.addValue(row.at(i), i < types.size() ? types.at(i) : ColumnType::Text, i < splitIndex);
    }
    return sums.code();
}

} // namespace qel::store
