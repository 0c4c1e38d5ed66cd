#pragma once

#include <QChar>
#include <QDate>
#include <QString>

namespace qel::store {
class Database;
}

namespace qel::app {

class Prompter;

// The shared input and text utility of the module: key filters, messages, RUC and
// document checks, text padding, date ranges and order numbers. Start-up creates the one
// instance; every window uses it.
class UtilityComponent {
public:
    // Kinds of text field for FilterKey.
    enum class FieldKind { FreeText, Name, DocumentNumber };

    UtilityComponent(Prompter& prompter, store::Database* db = nullptr);

    // The character to keep, possibly converted (names and document numbers to capitals),
    // or QChar() (0) to drop it. Backspace always passes.
    QChar FilterKey(QChar typed, FieldKind kind) const;
    // Digits and backspace pass; a decimal point too when the field is a percentage.
    QChar FilterNumericKey(QChar typed, bool percentage = false) const;
    // A modal message with the critical icon.
    void ShowMessage(const QString& text, const QString& title) const;
    // Eleven digits, a valid type prefix (10, 15, 16, 17, 20) and the modulo-11 check digit.
    static bool CheckRuc(const QString& ruc);
    // The number against the length and data-type flags of the type's '044' row.
    bool CheckDocumentNumber(int documentType, const QString& number) const;
    // The text cut or filled with blanks on the right to the width.
    static QString PadText(const QString& text, int width);
    // A valid "dd/mm/yyyy" date not before the earliest allowed one.
    static bool CheckDateRange(const QString& date, const QString& earliest);
    // See the rule in the source.
    static bool ValidateOrderNumber(const QString& ruc, const QString& periodo, const QString& formulario,
                                    const QString& orderNumber, const QString& confirmation);
    // Whether the trial-balance transfer may run: always.
    static bool MayTransfer() { return true; }

private:
    Prompter& m_prompter;
    store::Database* m_db;
};

} // namespace qel::app
