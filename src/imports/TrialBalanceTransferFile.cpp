#include "imports/TrialBalanceTransferFile.h"

#include "base/Cp1252.h"
#include "base/NumberFormat.h"

#include <cmath>

namespace qel::imports {

const QString TrialBalanceTransferFile::kMissingFields = QStringLiteral("0201");
const QString TrialBalanceTransferFile::kDuplicateAccount = QStringLiteral("0228");
const QString TrialBalanceTransferFile::kUnknownAccount = QStringLiteral("0876");
const QString TrialBalanceTransferFile::kOpeningOnResult = QStringLiteral("0881");
const QString TrialBalanceTransferFile::kNotNumeric = QStringLiteral("0885");
const QString TrialBalanceTransferFile::kDecimals = QStringLiteral("0980");
const QString TrialBalanceTransferFile::kNoInformation = QStringLiteral("0981");
const QString TrialBalanceTransferFile::kNegative = QStringLiteral("0983");
const QString TrialBalanceTransferFile::kTooLong = QStringLiteral("0984");

namespace {

using Row = annexes::TrialBalanceRow;

const QChar kSeparator = QLatin1Char('|');
constexpr int kMaxAmountLength = 13;
// The adjustment fields are taken as they come, within the whole units a currency column holds.
constexpr double kLargestAdjustment = 922337203685477.0;
// What is left of a line after its first three fields when the other six are empty.
const QString kEmptyRest = QStringLiteral("||||||");

int separators(const QString& line) {
    return static_cast<int>(line.count(kSeparator));
}

} // namespace

QString TrialBalanceTransferFile::fileName(const QString& formulario, const QString& ruc, const QString& periodo) {
    return formulario + ruc + periodo + QStringLiteral(".TXT");
}

QStringList TrialBalanceTransferFile::lines(const QByteArray& bytes) {
    QStringList result = app::decodeImportText(bytes).split(QLatin1Char('\n'));
    for (QString& line : result) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    // The line feed that ends the last line opens no line of its own.
    if (!result.isEmpty() && result.constLast().isEmpty()) {
        result.removeLast();
    }
    return result;
}

TrialBalanceTransferFile::Structure TrialBalanceTransferFile::structure(const QStringList& lines) {
    for (const QString& line : lines) {
        if (!isBlank(line) && separators(line) != kFieldCount) {
            return Structure::WrongFieldCount;
        }
    }
    for (const QString& line : lines) {
        if (!isBlank(line) && !line.trimmed().endsWith(kSeparator)) {
            return Structure::MissingTerminator;
        }
    }
    return Structure::Sound;
}

QString TrialBalanceTransferFile::amountError(const QString& field) {
    const QString text = field.trimmed();
    if (text.isEmpty()) {
        return {};
    }
    QString error;
    for (const QChar c : text) {
        if (c != QLatin1Char('.') && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
            error = kNotNumeric;
            break;
        }
    }
    if (app::val(text) < 0) {
        error = kNegative;
    }
    if (text.contains(QLatin1Char('.'))) {
        error = kDecimals;
    }
    if (text.size() > kMaxAmountLength) {
        error = kTooLong;
    }
    return error;
}

TrialBalanceTransferFile::Checked TrialBalanceTransferFile::check(const QString& line, const AccountLookup& classOf) {
    Checked result;
    // Each field runs to its separator; what follows the ninth is not read.
    QStringList fields;
    QString rest = line;
    while (fields.size() < kFieldCount) {
        if (fields.size() == 3 && rest == kEmptyRest) {
            result.error = kNoInformation;
            break;
        }
        const qsizetype end = rest.indexOf(kSeparator);
        if (end < 0) {
            break;
        }
        fields.append(rest.left(end).trimmed());
        rest = rest.mid(end + 1);
    }
    const QString read = fields.value(0, line.section(kSeparator, 0, 0));
    result.account = read.trimmed().toUpper();
    result.reported = result.account;
    if (!result.error.isEmpty()) {
        return result;
    }
    if (fields.isEmpty()) {
        result.error = kMissingFields;
        return result;
    }
    const std::optional<Row::AccountClass> accountClass = classOf(result.account);
    if (!accountClass) {
        result.error = kUnknownAccount;
        result.reported = read;
        return result;
    }
    result.accountClass = *accountClass;
    for (int f = 1; f < kFieldCount; ++f) {
        if (f >= fields.size()) {
            result.error = kMissingFields;
            return result;
        }
        const QString& field = fields.at(f);
        QString error;
        if (f <= 2 && result.accountClass == Row::AccountClass::Result) {
            error = field.isEmpty() ? QString() : kOpeningOnResult;
        } else if (f <= 6) {
            error = amountError(field);
        } else if (std::fabs(app::val(field)) > kLargestAdjustment) {
            error = kTooLong;
        }
        if (!error.isEmpty()) {
            result.error = error;
            return result;
        }
        result.row.entries[f - 1] = Row::fromText(field);
    }
    if (!result.row.derivable()) {
        result.error = kTooLong; // the adjustments take a balance beyond what its column holds
    }
    return result;
}

} // namespace qel::imports
