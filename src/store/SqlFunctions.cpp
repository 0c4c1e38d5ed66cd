#include "store/SqlFunctions.h"

#include "app/NumberFormat.h"
#include "store/RowCheckCode.h"

#include <QByteArray>
#include <QStringList>

#include <sqlite3.h>

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

QString valueText(sqlite3_value* value, ColumnType type) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        if (type == ColumnType::Date) {
            return {};
        }
        return QString::number(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        if (type == ColumnType::Date) {
            return {};
        }
        return app::numberText(sqlite3_value_double(value));
    default: {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
        const QString text = QString::fromUtf8(bytes, sqlite3_value_bytes(value));
        return checkText(text, type);
    }
    }
}

void checkCodeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc < 2) {
        sqlite3_result_error(context, "qel_check_code: types and split index expected", -1);
        return;
    }
    const QByteArray types(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])), sqlite3_value_bytes(argv[0]));
    const int split = sqlite3_value_int(argv[1]);
    QStringList texts;
    texts.reserve(argc - 2);
    for (int i = 2; i < argc; ++i) {
        const char letter = i - 2 < types.size() ? types.at(i - 2) : 'T';
        texts.append(valueText(argv[i], typeOfLetter(letter)));
    }
    const QByteArray code = checkCodeOfTexts(texts, split).toLatin1();
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
