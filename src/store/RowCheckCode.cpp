#include "store/RowCheckCode.h"

#include "app/Cp1252.h"
#include "app/NumberFormat.h"

#include <QDate>

#include <cmath>
#include <cstdint>

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

// The last three digits of a whole number written with twenty zero-padded digits.
QString lastThreeDigits(long double value) {
    const long double whole = std::fabs(std::round(value));
    const auto lastThree = static_cast<int>(std::fmod(whole, 1000.0L));
    return QStringLiteral("%1").arg(lastThree, 3, 10, QLatin1Char('0'));
}

} // namespace

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

QString checkCodeOfTexts(const QStringList& texts, int splitIndex) {
    long double keySum = 0;
    std::uint64_t textSum = 0;
    for (int i = 0; i < texts.size(); ++i) {
        const QString& text = texts.at(i);
        if (i < splitIndex) {
            if (const auto number = app::parseNumber(text)) {
                keySum += *number;
            }
            continue;
        }
        // A wide product: long texts of high codes would overflow a 16-bit one.
        for (int pos = 0; pos < text.size(); ++pos) {
            textSum += static_cast<std::uint64_t>(app::ansiCode(text.at(pos))) * static_cast<std::uint64_t>(pos + 1);
        }
    }
    return lastThreeDigits(keySum) + lastThreeDigits(static_cast<long double>(textSum % 1000000000000000ULL));
}

QString RowCheckCode(const QVariantList& row, const QList<ColumnType>& types, int splitIndex) {
    QStringList texts;
    const auto covered = row.size() - 1;
    texts.reserve(covered);
    for (qsizetype i = 0; i < covered; ++i) {
        texts.append(checkText(row.at(i), i < types.size() ? types.at(i) : ColumnType::Text));
    }
    return checkCodeOfTexts(texts, splitIndex);
}

} // namespace qel::store
