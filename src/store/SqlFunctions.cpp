#include "store/SqlFunctions.h"

#include "store/RowCheckCode.h"

#include <sqlite3.h>
#include <string_view>

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

// Adds one column to the sums, reading the value as the catalogue's type says, as RowCheckCode
// reads the same value through the SQL driver.
void addValue(CheckCodeAccumulator& sums, sqlite3_value* value, ColumnType type, bool key) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return;
    case SQLITE_INTEGER:
        if (type != ColumnType::Date) {
            sums.addInteger(sqlite3_value_int64(value), key);
        }
        return;
    case SQLITE_FLOAT:
        if (type != ColumnType::Date) {
            sums.addDouble(sqlite3_value_double(value), key);
        }
        return;
    case SQLITE_BLOB:
        if (type == ColumnType::Date) {
            return;
        }
        [[fallthrough]]; // its bytes read as text
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        sums.addUtf8(std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value))), type, key);
        return;
    }
    }
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
    char code[6];
    sums.writeCode(code);
    sqlite3_result_text(context, code, sizeof code, SQLITE_TRANSIENT);
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
