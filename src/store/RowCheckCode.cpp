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

void CheckCodeAccumulator::addKeyText(const QString& text) {
    if (const auto number = app::parseNumber(text)) {
        m_keySum += *number;
    }
}

void CheckCodeAccumulator::addCoveredText(const QString& text) {
    // A wide product: long texts of high codes would overflow a 16-bit one.
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        m_textSum += static_cast<std::uint64_t>(app::ansiCode(text.at(pos))) * static_cast<std::uint64_t>(pos + 1);
    }
}

void CheckCodeAccumulator::addCoveredUtf8(const char* text, std::size_t length) {
    std::uint64_t position = 0;
    for (std::size_t i = 0; i < length;) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            m_textSum += lead * ++position;
            ++i;
            continue;
        }
        // Decode one multi-byte character; anything malformed counts as '?'.
        std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t code = extra == 3 ? (lead & 0x07u) : extra == 2 ? (lead & 0x0Fu) : (lead & 0x1Fu);
        bool valid = extra > 0 && i + extra < length;
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0u) == 0x80u;
            code = (code << 6) | (next & 0x3Fu);
        }
        const int ansi = valid && code <= 0xFFFF ? app::ansiCode(QChar(static_cast<char16_t>(code))) : '?';
        m_textSum += static_cast<std::uint64_t>(ansi) * ++position;
        i += valid ? extra + 1 : 1;
    }
}

QString CheckCodeAccumulator::code() const {
    return lastThreeDigits(m_keySum) + lastThreeDigits(static_cast<long double>(m_textSum % 1000000000000000ULL));
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
    QStringList texts;
    const auto covered = row.size() - 1;
    texts.reserve(covered);
    for (qsizetype i = 0; i < covered; ++i) {
        texts.append(checkText(row.at(i), i < types.size() ? types.at(i) : ColumnType::Text));
    }
    return checkCodeOfTexts(texts, splitIndex);
}

} // namespace qel::store
