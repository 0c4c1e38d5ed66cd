#pragma once

#include <QDate>
#include <QSet>
#include <QString>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::imports {

struct ImportContext;

// The checks that the records of several kinds share.
namespace fields {

// A complete "dd/mm/yyyy" date that exists.
std::optional<QDate> date(const QString& text);
// Digits, with a minus sign in front at most.
bool wholeNumber(const QString& text);
// A number with a decimal point at most (a minus sign in front allowed).
bool decimalNumber(const QString& text);
int decimals(const QString& text);
// The whole units an amount column holds exactly: at most 13 digits before any decimal point
// (leading zeros aside). A longer number would be stored rounded, as a floating value.
constexpr int kMaxAmountDigits = 13;
bool amountFits(const QString& text);
// "El importe de gasto no puede tener más de 13 dígitos enteros."
QString tooManyDigits(const QString& what);
// The codes of a PARAM list, trimmed and without leading zeros ("01" and "1" alike).
QSet<QString> paramCodes(store::Database& db, const QString& numero);
QString withoutLeadingZeros(const QString& code);
// The UIT of the latest year not after the declaration's period, in units.
double uit(const ImportContext& context);
// The declaration's period as a year.
int year(const ImportContext& context);

// The document checks of the rentals, contracts and balances, in order: blank type, blank
// number, a number the type's rule refuses (RUC and national identity document with their
// own messages). Empty when the document passes.
QString document(const QString& type, const QString& number, const ImportContext& context);

// A percentage of participation as partners and contracts check it.
QString share(const QString& text);

} // namespace fields
} // namespace qel::imports
