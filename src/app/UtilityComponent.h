#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::app {

class Prompter;

// The shared input and text utility of the module: key filters, messages, RUC and
// document checks, text padding, date ranges and order numbers. Start-up creates the one
// instance before the database is open and hands it the database once it is; every window
// uses it. No operation throws: a check that cannot be made answers "not valid".
class UtilityComponent {
public:
    // Kinds of text field for FilterKey.
    enum class FieldKind { FreeText, Name, DocumentNumber };

    static constexpr QChar kBackspace = QChar(u'\b');

    explicit UtilityComponent(Prompter& prompter, store::Database* db = nullptr);

    // The database whose '044' rows CheckDocumentNumber reads; null until start-up opens it.
    void setDatabase(store::Database* db) { m_db = db; }

    // The character to keep, possibly converted, or QChar() (0) to drop it. Backspace always
    // passes; every other control character (Enter and Tab included: the caller has already
    // moved the focus) is dropped. Names and document numbers get capitals (ñ -> Ñ, á -> Á);
    // free text keeps every printable character as typed.
    static QChar FilterKey(QChar typed, FieldKind kind);
    // Digits and backspace pass; a decimal point too when the field is a percentage.
    static QChar FilterNumericKey(QChar typed, bool percentage = false);
    // The same, knowing the text the character goes into (the field's text less its selected
    // part, which the character replaces): a second decimal point is dropped.
    static QChar FilterNumericKey(QChar typed, bool percentage, const QString& text);
    // A modal message with the critical icon.
    void ShowMessage(const QString& text, const QString& title) const;
    // Eleven digits, a valid type prefix (10, 15, 16, 17, 20) and the modulo-11 check digit.
    static bool CheckRuc(const QString& ruc);
    // The number against the length and data-type flags of the type's '044' row; a RUC must
    // also pass CheckRuc and a national identity document is eight digits.
    bool CheckDocumentNumber(int documentType, const QString& number) const;
    // The '044' row of a document type as CheckDocumentNumber reads it; nothing when there is
    // none (or it cannot be read). A loop over many documents reads it once and checks with it.
    std::optional<QString> DocumentRuleRow(int documentType) const;
    static bool CheckDocumentNumber(int documentType, const QString& number, const std::optional<QString>& ruleRow);
    // The text cut or filled with blanks on the right to the width.
    static QString PadText(const QString& text, int width);
    // A complete "dd/mm/yyyy" date that exists and is not before `earliest` (same form;
    // an empty `earliest` sets no lower bound).
    static bool CheckDateRange(const QString& date, const QString& earliest);
    // The two order numbers typed when registering a sent declaration; the rule is at the
    // definition.
    static bool ValidateOrderNumber(const QString& ruc, const QString& periodo, const QString& formulario,
                                    const QString& orderNumber, const QString& confirmation);
    // Whether the trial-balance transfer may run: always.
    static bool MayTransfer() { return true; }

private:
    Prompter& m_prompter;
    store::Database* m_db;
};

} // namespace qel::app
