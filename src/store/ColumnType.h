#pragma once

namespace qel::store {

// Logical types of the catalogue. Dates are kept as ISO "yyyy-mm-dd" text.
enum class ColumnType { Text, Integer, Double, Currency, Date };

// One letter per type, as the check-code SQL function receives them.
constexpr char typeLetter(ColumnType type) {
    switch (type) {
    case ColumnType::Integer:
        return 'I';
    case ColumnType::Double:
        return 'D';
    case ColumnType::Currency:
        return 'C';
    case ColumnType::Date:
        return 'A';
    case ColumnType::Text:
        break;
    }
    return 'T';
}

} // namespace qel::store
