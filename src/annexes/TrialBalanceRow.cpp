#include "annexes/TrialBalanceRow.h"

#include "base/NumberFormat.h"

#include <cmath>
#include <limits>

namespace qel::annexes {

TrialBalanceRow::AccountClass TrialBalanceRow::classOf(const QString& indica) {
    return indica.trimmed() == QLatin1String("2") ? AccountClass::Result : AccountClass::Balance;
}

const QStringList& TrialBalanceRow::columns() {
    static const QStringList names = {
        QStringLiteral("saldos_ini_d"), QStringLiteral("saldos_ini_h"), QStringLiteral("mov_ejerci_d"),
        QStringLiteral("mov_ejerci_h"), QStringLiteral("suma_mayor_d"), QStringLiteral("suma_mayor_h"),
        QStringLiteral("saldo_deudor"), QStringLiteral("saldo_acreed"), QStringLiteral("tran_cance_d"),
        QStringLiteral("tran_cance_h"), QStringLiteral("impli_niif_d"), QStringLiteral("impli_niif_h"),
        QStringLiteral("cuenta_bal_a"), QStringLiteral("cuenta_bal_p"), QStringLiteral("result_nat_p"),
        QStringLiteral("result_nat_g")};
    return names;
}

TrialBalanceRow::Column TrialBalanceRow::columnOf(Entry entry) {
    static constexpr Column kColumns[kEntryCount] = {SaldosIniD, SaldosIniH, MovEjerciD, MovEjerciH,
                                                     TranCanceD, TranCanceH, ImpliNiifD, ImpliNiifH};
    return kColumns[entry];
}

std::array<TrialBalanceRow::Money, TrialBalanceRow::kColumnCount>
TrialBalanceRow::derive(AccountClass accountClass) const {
    std::array<Money, kColumnCount> row{};
    for (int e = 0; e < kEntryCount; ++e) {
        row[columnOf(static_cast<Entry>(e))] = entries[e];
    }
    const Money debit = entries[OpeningDebit] + entries[MovementsDebit];
    const Money credit = entries[OpeningCredit] + entries[MovementsCredit];
    row[SumaMayorD] = debit;
    row[SumaMayorH] = credit;
    row[SaldoDeudor] = debit > credit ? debit - credit : 0;
    row[SaldoAcreed] = debit > credit ? 0 : credit - debit;
    const Money total = (debit - credit) + entries[TransfersDebit] - entries[TransfersCredit] +
                        entries[AdjustmentDebit] - entries[AdjustmentCredit];
    const Column positive = accountClass == AccountClass::Balance ? CuentaBalA : ResultNatP;
    const Column negative = accountClass == AccountClass::Balance ? CuentaBalP : ResultNatG;
    row[positive] = total > 0 ? total : 0;
    row[negative] = total > 0 ? 0 : -total;
    return row;
}

bool TrialBalanceRow::derivable() const {
    Money debit = 0;
    Money credit = 0;
    Money total = 0;
    return !__builtin_add_overflow(entries[OpeningDebit], entries[MovementsDebit], &debit) &&
           !__builtin_add_overflow(entries[OpeningCredit], entries[MovementsCredit], &credit) &&
           !__builtin_sub_overflow(debit, credit, &total) &&
           !__builtin_add_overflow(total, entries[TransfersDebit], &total) &&
           !__builtin_sub_overflow(total, entries[TransfersCredit], &total) &&
           !__builtin_add_overflow(total, entries[AdjustmentDebit], &total) &&
           !__builtin_sub_overflow(total, entries[AdjustmentCredit], &total) &&
           total != std::numeric_limits<Money>::min(); // its magnitude is stored too
}

TrialBalanceRow::Money TrialBalanceRow::fromText(const QString& text) {
    return std::llround(app::val(text) * static_cast<double>(kUnit));
}

QString TrialBalanceRow::toText(Money amount) {
    if (amount % kUnit == 0) {
        return QString::number(amount / kUnit);
    }
    QString text = QString::number(static_cast<double>(amount) / kUnit, 'f', 4);
    while (text.endsWith(QLatin1Char('0'))) {
        text.chop(1);
    }
    return text;
}

QVariant TrialBalanceRow::toSql(Money amount) {
    if (amount % kUnit == 0) {
        return QVariant::fromValue<qint64>(amount / kUnit);
    }
    return static_cast<double>(amount) / kUnit;
}

TrialBalanceRow::Money TrialBalanceRow::fromSql(const QVariant& value) {
    if (value.isNull()) {
        return 0;
    }
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
        return value.toLongLong() * kUnit;
    }
    return fromText(value.toString());
}

} // namespace qel::annexes
