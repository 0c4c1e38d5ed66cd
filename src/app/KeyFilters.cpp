#include "app/KeyFilters.h"

#include "app/UtilityComponent.h"

namespace qel::app {

namespace {

using Kind = UtilityComponent::FieldKind;

constexpr QChar kBackspace = UtilityComponent::kBackspace;
constexpr QChar kEnye = QChar(0x00D1); // Ñ

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Letters of the Spanish alphabet without accents: A-Z, a-z and Ñ, ñ.
bool isLetter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           c == kEnye || c == QChar(0x00F1);
}

QChar keepIf(QChar c, bool keep) {
    return keep ? c : QChar();
}

// Capitals, then letters and digits, space only when `space`, and the extra characters.
QChar filterCapitals(QChar typed, bool space, QStringView extra = {}) {
    if (typed == kBackspace) {
        return typed;
    }
    const QChar c = typed.toUpper();
    return keepIf(c, isLetter(c) || isDigit(c) || (space && c == QLatin1Char(' ')) || extra.contains(c));
}

// The shared filter of the kind first, then letters, digits, space and Ñ.
QChar filterAnnexText(QChar typed, Kind kind) {
    const QChar c = UtilityComponent::FilterKey(typed, kind);
    return keepIf(c, c == kBackspace || isLetter(c) || isDigit(c) || c == QLatin1Char(' '));
}

QChar filterDigitKey(QChar typed) {
    return UtilityComponent::FilterNumericKey(typed, false);
}

QChar filterPercentageKey(QChar typed, const QString& text) {
    return UtilityComponent::FilterNumericKey(typed, true, text);
}

QChar filterBalanceOptionKey(QChar typed) {
    return keepIf(typed, typed == kBackspace || typed == QLatin1Char('1') || typed == QLatin1Char('2'));
}

QChar filterIdentificationTextKey(QChar typed) {
    return filterCapitals(typed, true, u"-./");
}

QChar filterIdentificationCodeKey(QChar typed) {
    return filterCapitals(typed, true);
}

QChar filterRepresentativeDocumentKey(QChar typed, bool lettersAllowed) {
    return lettersAllowed ? filterCapitals(typed, false) : filterDigitKey(typed);
}

QChar filterPersonNameKey(QChar typed) {
    return filterAnnexText(typed, Kind::Name);
}

QChar filterRegistryEntryKey(QChar typed) {
    const QChar c = UtilityComponent::FilterKey(typed, Kind::DocumentNumber);
    return keepIf(c, c == kBackspace || isLetter(c) || isDigit(c) || c == QLatin1Char('-'));
}

QChar filterEmailKey(QChar typed, const QString& text) {
    if (typed == QLatin1Char(' ') || (typed == QLatin1Char('@') && text.contains(QLatin1Char('@')))) {
        return {};
    }
    if (typed == QLatin1Char('_')) {
        return typed;
    }
    return UtilityComponent::FilterKey(typed, Kind::FreeText);
}

QChar filterAnnexNameKey(QChar typed) {
    return filterAnnexText(typed, Kind::Name);
}

QChar filterAnnexDocumentKey(QChar typed) {
    return filterAnnexText(typed, Kind::DocumentNumber);
}

QChar filterFreeTextKey(QChar typed) {
    return UtilityComponent::FilterKey(typed, Kind::FreeText);
}

} // namespace

QChar filterKey(KeyRule rule, QChar typed, const QString& text, bool lettersAllowed) {
    switch (rule) {
    case KeyRule::Digits:
        return filterDigitKey(typed);
    case KeyRule::Percentage:
        return filterPercentageKey(typed, text);
    case KeyRule::BalanceOption:
        return filterBalanceOptionKey(typed);
    case KeyRule::IdentificationText:
        return filterIdentificationTextKey(typed);
    case KeyRule::IdentificationCode:
        return filterIdentificationCodeKey(typed);
    case KeyRule::RepresentativeDocument:
        return filterRepresentativeDocumentKey(typed, lettersAllowed);
    case KeyRule::PersonName:
        return filterPersonNameKey(typed);
    case KeyRule::RegistryEntry:
        return filterRegistryEntryKey(typed);
    case KeyRule::Email:
        return filterEmailKey(typed, text);
    case KeyRule::AnnexName:
        return filterAnnexNameKey(typed);
    case KeyRule::AnnexDocument:
        return filterAnnexDocumentKey(typed);
    case KeyRule::FreeText:
        return filterFreeTextKey(typed);
    }
    return {};
}

} // namespace qel::app
