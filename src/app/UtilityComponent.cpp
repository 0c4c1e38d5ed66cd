#include "app/UtilityComponent.h"

#include "base/Prompter.h"
#include "store/Database.h"

#include <QDate>
#include <optional>

namespace qel::app {

namespace {

constexpr int kDni = 1;
constexpr int kRuc = 6;

// The '044' row of the RUC as the launcher installs it; used when the database has none.
const QString kRucRow = QStringLiteral("REG. UNICO DE CONTRIBUYENTES   RUC           11 000110 01 "
                                       "000001000001100111011111") +
                        QString(43, QLatin1Char(' ')) + QStringLiteral("0 5 0");

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAsciiLetter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool allDigits(const QString& text) {
    for (const QChar c : text) {
        if (!isAsciiDigit(c)) {
            return false;
        }
    }
    return true;
}

// What a '044' row says about the numbers of its document type.
struct DocumentRule {
    int length = 0;           // positions 46-47
    bool digitsOnly = true;   // position 128 is "5"
    bool exactLength = false; // position 130 is "1"
};

std::optional<DocumentRule> ruleOf(const QString& funcion) {
    bool ok = false;
    // Read in place: an import checks the document of every record against its type's row.
    const QStringView row(funcion);
    const int length = row.mid(45, 2).trimmed().toInt(&ok);
    if (!ok || length <= 0) {
        return std::nullopt;
    }
    return DocumentRule{length, row.mid(127, 1) == u"5", row.mid(129, 1) == u"1"};
}

// The date of a fully typed "dd/mm/yyyy" text; nothing for a partial mask or a day that does not exist.
std::optional<QDate> typedDate(const QString& text) {
    if (text.size() != 10 || text.at(2) != QLatin1Char('/') || text.at(5) != QLatin1Char('/')) {
        return std::nullopt;
    }
    const QString day = text.left(2);
    const QString month = text.mid(3, 2);
    const QString year = text.mid(6, 4);
    if (!allDigits(day) || !allDigits(month) || !allDigits(year)) {
        return std::nullopt;
    }
    const QDate date(year.toInt(), month.toInt(), day.toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

} // namespace

UtilityComponent::UtilityComponent(Prompter& prompter, store::Database* db) : m_prompter(prompter), m_db(db) {}

QChar UtilityComponent::FilterKey(QChar typed, FieldKind kind) {
    if (typed == kBackspace) {
        return typed;
    }
    if (!typed.isPrint()) {
        return {};
    }
    if (kind == FieldKind::FreeText) {
        return typed;
    }
    // QChar::toUpper keeps characters without a one-character capital (ß) as they are.
    return typed.toUpper();
}

QChar UtilityComponent::FilterNumericKey(QChar typed, bool percentage) {
    if (typed == kBackspace || isAsciiDigit(typed) || (percentage && typed == QLatin1Char('.'))) {
        return typed;
    }
    return {};
}

QChar UtilityComponent::FilterNumericKey(QChar typed, bool percentage, const QString& text) {
    if (typed == QLatin1Char('.') && text.contains(QLatin1Char('.'))) {
        return {};
    }
    return FilterNumericKey(typed, percentage);
}

void UtilityComponent::ShowMessage(const QString& text, const QString& title) const {
    m_prompter.message(text, title, Icon::Critical);
}

bool UtilityComponent::CheckRuc(const QString& ruc) {
    static const int weights[10] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
    if (ruc.size() != 11 || !allDigits(ruc)) {
        return false;
    }
    const QString prefix = ruc.left(2);
    if (prefix != QLatin1String("10") && prefix != QLatin1String("15") && prefix != QLatin1String("16") &&
        prefix != QLatin1String("17") && prefix != QLatin1String("20")) {
        return false;
    }
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        sum += (ruc.at(i).unicode() - '0') * weights[i];
    }
    int digit = 11 - (sum % 11);
    if (digit == 10) {
        digit = 0;
    } else if (digit == 11) {
        digit = 1;
    }
    return ruc.at(10).unicode() - '0' == digit;
}

bool UtilityComponent::CheckDocumentNumber(int documentType, const QString& number) const {
    return CheckDocumentNumber(documentType, number, DocumentRuleRow(documentType));
}

std::optional<QString> UtilityComponent::DocumentRuleRow(int documentType) const {
    if (m_db) {
        try {
            const QVariant funcion = m_db->scalar(
                QStringLiteral("SELECT Funcion FROM PARAM WHERE Numero='044' AND CAST(Argumento AS INTEGER)=?"),
                {documentType});
            if (funcion.isValid()) {
                return funcion.toString();
            }
        } catch (const store::DatabaseError&) {
            // an unreadable row counts as a missing one
        }
    }
    return std::nullopt;
}

bool UtilityComponent::CheckDocumentNumber(int documentType, const QString& number,
                                           const std::optional<QString>& ruleRow) {
    std::optional<DocumentRule> rule;
    if (ruleRow) {
        rule = ruleOf(*ruleRow);
    }
    if (!rule && documentType == kRuc) {
        rule = ruleOf(kRucRow);
    }
    if (!rule) {
        return false;
    }
    if (number.isEmpty() || number.size() > rule->length || (rule->exactLength && number.size() != rule->length)) {
        return false;
    }
    for (const QChar c : number) {
        const bool letter = isAsciiLetter(c) || c == QChar(0x00D1) || c == QChar(0x00F1); // Ñ ñ
        if (!isAsciiDigit(c) && (rule->digitsOnly || !letter)) {
            return false;
        }
    }
    if (documentType == kRuc) {
        return CheckRuc(number);
    }
    if (documentType == kDni) {
        return number.size() == 8 && allDigits(number);
    }
    return true;
}

QString UtilityComponent::PadText(const QString& text, int width) {
    return width <= 0 ? QString() : text.leftJustified(width, QLatin1Char(' '), true);
}

bool UtilityComponent::CheckDateRange(const QString& date, const QString& earliest) {
    const auto value = typedDate(date);
    if (!value) {
        return false;
    }
    if (earliest.isEmpty()) {
        return true;
    }
    const auto bound = typedDate(earliest);
    return bound && *value >= *bound;
}

// An order number is the number the tax administration gave the sent declaration; the user
// types it twice. It is accepted when both entries are equal, are 6 to 10 digits, are not all
// zeros, and the last digit is the Luhn check digit of the others, so that a mistyped or
// swapped digit is caught before it is stored. The declaration's identity does not enter the
// rule: the number alone carries its check.
bool UtilityComponent::ValidateOrderNumber(const QString& /*ruc*/, const QString& /*periodo*/,
                                           const QString& /*formulario*/, const QString& orderNumber,
                                           const QString& confirmation) {
    const QString number = orderNumber.trimmed();
    if (number != confirmation.trimmed() || number.size() < 6 || number.size() > 10 || !allDigits(number)) {
        return false;
    }
    if (number.count(QLatin1Char('0')) == number.size()) {
        return false;
    }
    // Luhn: from the right, every second digit doubled (less 9 above 9); the sum ends in 0.
    int sum = 0;
    bool doubled = false;
    for (auto i = number.size() - 1; i >= 0; --i) {
        int digit = number.at(i).unicode() - '0';
        if (doubled) {
            digit *= 2;
            if (digit > 9) {
                digit -= 9;
            }
        }
        sum += digit;
        doubled = !doubled;
    }
    return sum % 10 == 0;
}

} // namespace qel::app
