#pragma once

#include "annexes/TrialBalanceRow.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace qel::imports {

// The trial balance transfer file: one account per line, nine fields each followed by "|"
// (account code, opening balance, movements of the year, transfers and cancellations and the
// accounting-standards adjustment, debit then credit of each). Reading and checking only;
// nothing here touches the database.
class TrialBalanceTransferFile {
public:
    static constexpr int kFieldCount = 9;

    // The error codes a line can get.
    static const QString kMissingFields;    // "0201"
    static const QString kDuplicateAccount; // "0228"
    static const QString kUnknownAccount;   // "0876"
    static const QString kOpeningOnResult;  // "0881"
    static const QString kNotNumeric;       // "0885"
    static const QString kDecimals;         // "0980"
    static const QString kNoInformation;    // "0981"
    static const QString kNegative;         // "0983"
    static const QString kTooLong;          // "0984"

    enum class Structure { Sound, WrongFieldCount, MissingTerminator };

    // The file's name: form code, RUC and period, and ".TXT".
    static QString fileName(const QString& formulario, const QString& ruc, const QString& periodo);

    // The lines of the file's bytes (UTF-8, else Windows-1252; CR-LF or LF). Blank lines are
    // kept, to be skipped by the checks.
    static QStringList lines(const QByteArray& bytes);
    static bool isBlank(const QString& line) { return line.trimmed().isEmpty(); }

    // Every non-blank line has exactly nine separators and ends with one; the field count is
    // looked at first, over the whole file.
    static Structure structure(const QStringList& lines);

    // One line, checked field by field.
    struct Checked {
        QString error;    // the code of the first field that fails; empty when the line passes
        QString account;  // field 1 upper-cased and trimmed
        QString reported; // the code as the report shows it (as read for an unknown account)
        annexes::TrialBalanceRow::AccountClass accountClass = annexes::TrialBalanceRow::AccountClass::Balance;
        annexes::TrialBalanceRow row; // the amounts, empty fields as zero
    };
    // `classOf` answers the class of an account of the chart, nothing for an unknown code.
    using AccountLookup = std::function<std::optional<annexes::TrialBalanceRow::AccountClass>(const QString&)>;
    static Checked check(const QString& line, const AccountLookup& classOf);

    // The code an amount field (2 to 7) fails with; empty when it passes. Every check runs and
    // the last one failing gives the code.
    static QString amountError(const QString& field);
};

} // namespace qel::imports
