#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>

namespace qel::annexes {

// One account of the trial balance: its eight entered amounts and the eight it derives from
// them. Amounts are currency: whole units kept as ten-thousandths, so that the arithmetic is
// exact.
class TrialBalanceRow {
public:
    using Money = qint64; // ten-thousandths of a unit
    static constexpr Money kUnit = 10000;

    // "1" (or anything but "2") a balance account, "2" a result account.
    enum class AccountClass { Balance, Result };
    static AccountClass classOf(const QString& indica);

    // The entered amounts, debit then credit of each pair.
    enum Entry {
        OpeningDebit,
        OpeningCredit,
        MovementsDebit,
        MovementsCredit,
        TransfersDebit,
        TransfersCredit,
        AdjustmentDebit,
        AdjustmentCredit,
        kEntryCount
    };
    // The sixteen amount columns of TMPF582BALANCE, in table order.
    enum Column {
        SaldosIniD,
        SaldosIniH,
        MovEjerciD,
        MovEjerciH,
        SumaMayorD,
        SumaMayorH,
        SaldoDeudor,
        SaldoAcreed,
        TranCanceD,
        TranCanceH,
        ImpliNiifD,
        ImpliNiifH,
        CuentaBalA,
        CuentaBalP,
        ResultNatP,
        ResultNatG,
        kColumnCount
    };

    static const QStringList& columns(); // the sixteen column names, in table order
    static Column columnOf(Entry entry); // where an entered amount is kept

    std::array<Money, kEntryCount> entries{};

    // Ledger sums are opening plus movements on each side; the closing balance lands on the
    // heavier side. Closing balance plus transfers and adjustments, debit less credit, goes
    // to the asset (balance account) or loss (result account) column when positive, else its
    // opposite to the liability or gain column.
    std::array<Money, kColumnCount> derive(AccountClass accountClass) const;
    // Whether derive() stays within what a Money (a currency column) holds.
    bool derivable() const;

    // The numeric value of a text ("" is 0; a leading number as far as it goes).
    static Money fromText(const QString& text);
    // Whole units as plain digits ("-" in front when negative); decimals only when present.
    static QString toText(Money amount);
    // The value as SQL receives it: an integer for whole units, else a real.
    static QVariant toSql(Money amount);
    static Money fromSql(const QVariant& value);
};

} // namespace qel::annexes
