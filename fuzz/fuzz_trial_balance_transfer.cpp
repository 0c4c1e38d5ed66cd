// Transfer files come from any accounting program: any content must read and check without
// crashing, and every line the checks accept must give a balanced row.
#include "imports/TrialBalanceTransferFile.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

namespace {

using qel::annexes::TrialBalanceRow;
using qel::imports::TrialBalanceTransferFile;

// A small chart: codes of two characters or more beginning with a digit; those of the elements
// 6 to 9 are result accounts.
std::optional<TrialBalanceRow::AccountClass> chart(const QString& code) {
    if (code.size() < 2 || !code.at(0).isDigit()) {
        return std::nullopt;
    }
    return code.at(0) >= QLatin1Char('6') ? TrialBalanceRow::AccountClass::Result
                                          : TrialBalanceRow::AccountClass::Balance;
}

void checkRow(const TrialBalanceTransferFile::Checked& checked) {
    const auto row = checked.row.derive(checked.accountClass);
    const auto sums = row[TrialBalanceRow::SumaMayorD] - row[TrialBalanceRow::SumaMayorH];
    const auto balance = row[TrialBalanceRow::SaldoDeudor] - row[TrialBalanceRow::SaldoAcreed];
    if (sums != balance || row[TrialBalanceRow::SaldoDeudor] < 0 || row[TrialBalanceRow::SaldoAcreed] < 0) {
        std::abort();
    }
    for (int e = 0; e < TrialBalanceRow::TransfersDebit; ++e) {
        if (checked.row.entries[e] < 0) {
            std::abort(); // amounts of the first six fields are never negative
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList lines =
        TrialBalanceTransferFile::lines(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const bool sound = TrialBalanceTransferFile::structure(lines) == TrialBalanceTransferFile::Structure::Sound;
    for (const QString& line : lines) {
        if (TrialBalanceTransferFile::isBlank(line)) {
            continue;
        }
        const TrialBalanceTransferFile::Checked checked = TrialBalanceTransferFile::check(line, chart);
        if (checked.error.isEmpty()) {
            checkRow(checked);
        } else if (sound && checked.error == TrialBalanceTransferFile::kMissingFields) {
            std::abort(); // a sound file has nine fields on every line
        }
    }
    return 0;
}
