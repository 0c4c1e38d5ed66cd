#pragma once

#include <QChar>
#include <QString>

namespace qel::app {

// The key rules of the text boxes that the declaration form and the annex windows share.
// Each takes the character just typed (Enter has already been handled by the caller: it
// moves the focus) and, where the rule needs it, the text the character goes into (the
// box's text less its selected part, which the character replaces). Each returns the
// character to insert, possibly converted to a capital, or QChar() when the key is dropped.
// Backspace passes every rule.
enum class KeyRule {
    Digits,                 // amount casillas and other whole amounts: digits only
    Percentage,             // annex percentages: digits and one decimal point
    BalanceOption,          // casilla 137: "1" or "2"
    IdentificationText,     // casillas 211, 212, 225, 687: capitals, digits, space, "-", ".", "/"
    IdentificationCode,     // casillas 201, 216, 222, 227: capitals, digits, space
    RepresentativeDocument, // casilla 226: capitals and digits, or digits only (see below)
    PersonName,             // names of the representative and of other people: letters, digits, space, "Ñ"
    RegistryEntry,          // public-registry office, volume, page and entry: letters, digits, "-"
    Email,                  // e-mail addresses: no space, one "@"
    AnnexName,              // annex name fields: letters, digits, space, "Ñ", in capitals
    AnnexDocument,          // annex document-number fields: the same
    FreeText,               // telephone, order number and other free text
};

// The rule applied to a key. `lettersAllowed` matters only for RepresentativeDocument: true
// when the document type chosen for the representative admits letters.
QChar filterKey(KeyRule rule, QChar typed, const QString& text = {}, bool lettersAllowed = false);

} // namespace qel::app
