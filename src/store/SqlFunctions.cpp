#include "store/SqlFunctions.h"

#include "app/NumberFormat.h"
#include "store/RowCheckCode.h"

#include <QByteArray>
#include <QDate>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace qel::store {

namespace {

ColumnType typeOfLetter(char letter) {
    switch (letter) {
    case 'I':
        return ColumnType::Integer;
    case 'D':
        return ColumnType::Double;
    case 'C':
        return ColumnType::Currency;
    case 'A':
        return ColumnType::Date;
    default:
        return ColumnType::Text;
    }
}

bool isAsciiSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// "yyyy-mm-dd..." as the eight digits "yyyymmdd" when it is a real date.
bool isoDateDigits(const char* text, std::size_t length, char* digits) {
    if (length < 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    int y = 0;
    int m = 0;
    int d = 0;
    for (int i : {0, 1, 2, 3}) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        y = y * 10 + (text[i] - '0');
    }
    for (int i : {5, 6}) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        m = m * 10 + (text[i] - '0');
    }
    for (int i : {8, 9}) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        d = d * 10 + (text[i] - '0');
    }
    if (!QDate::isValid(y, m, d)) {
        return false;
    }
    std::memcpy(digits, text, 4);
    std::memcpy(digits + 4, text + 5, 2);
    std::memcpy(digits + 6, text + 8, 2);
    return true;
}

// Adds one column to the sums, reading the value as the catalogue's type says. Plain
// ASCII values take a fast path; the rest goes through the same texts as RowCheckCode.
void addValue(CheckCodeAccumulator& sums, sqlite3_value* value, ColumnType type, bool key) {
    const int storage = sqlite3_value_type(value);
    if (storage == SQLITE_NULL || (type == ColumnType::Date && storage != SQLITE_TEXT)) {
        return;
    }
    if (storage == SQLITE_INTEGER) {
        const sqlite3_int64 number = sqlite3_value_int64(value);
        if (key) {
            sums.addKeyNumber(static_cast<long double>(number));
        } else {
            char buffer[32];
            const int n = std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(number));
            sums.addCoveredUtf8(buffer, static_cast<std::size_t>(n));
        }
        return;
    }
    if (storage == SQLITE_FLOAT) {
        const QString text = app::numberText(sqlite3_value_double(value));
        key ? sums.addKeyText(text) : sums.addCoveredText(text);
        return;
    }
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    std::size_t length = static_cast<std::size_t>(sqlite3_value_bytes(value));
    if (type == ColumnType::Date) {
        char digits[8];
        if (isoDateDigits(text, length, digits)) {
            key ? sums.addKeyNumber(static_cast<long double>(std::atoll(QByteArray(digits, 8).constData())))
                : sums.addCoveredUtf8(digits, 8);
            return;
        }
        const QString dateText = checkText(QString::fromUtf8(text, static_cast<qsizetype>(length)), type);
        key ? sums.addKeyText(dateText) : sums.addCoveredText(dateText);
        return;
    }
    while (length > 0 && isAsciiSpace(*text)) {
        ++text;
        --length;
    }
    while (length > 0 && isAsciiSpace(text[length - 1])) {
        --length;
    }
    if (key && std::all_of(text, text + length, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        if (const auto number = app::parseAsciiNumber(std::string_view(text, length))) {
            sums.addKeyNumber(*number);
        }
        return;
    }
    const bool ascii = length == 0 || (static_cast<unsigned char>(text[0]) < 0x80 &&
                                       static_cast<unsigned char>(text[length - 1]) < 0x80);
    if (key || !ascii) {
        const QString trimmed = QString::fromUtf8(text, static_cast<qsizetype>(length)).trimmed();
        key ? sums.addKeyText(trimmed) : sums.addCoveredText(trimmed);
        return;
    }
    sums.addCoveredUtf8(text, length);
}

void checkCodeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc < 2) {
        sqlite3_result_error(context, "qel_check_code: types and split index expected", -1);
        return;
    }
    const char* types = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int typeCount = sqlite3_value_bytes(argv[0]);
    const int split = sqlite3_value_int(argv[1]);
    CheckCodeAccumulator sums;
    for (int i = 2; i < argc; ++i) {
        const int column = i - 2;
        const ColumnType type = column < typeCount ? typeOfLetter(types[column]) : ColumnType::Text;
        addValue(sums, argv[i], type, column < split);
    }
    const QByteArray code = sums.code().toLatin1();
    sqlite3_result_text(context, code.constData(), static_cast<int>(code.size()), SQLITE_TRANSIENT);
}

} // namespace

void registerSqlFunctions(sqlite3* handle) {
    if (handle == nullptr) {
        return;
    }
    sqlite3_create_function_v2(handle, "qel_check_code", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               &checkCodeFunction, nullptr, nullptr, nullptr);
}

} // namespace qel::store
