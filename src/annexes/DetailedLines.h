#pragma once

#include "annexes/AssistantDef.h"

namespace qel::annexes {

// Lines of an assistant that come from the rows of a detail window, read before the totals:
// the sums of two columns of the casilla's rows go to two boxes. While the casilla has no rows
// the boxes keep what they hold.
class DetailedLines : public AssistantCalculation {
public:
    struct Target {
        int id;
        QString column;    // the column summed, each value read as a number
        QString condition; // which rows count (empty: all of the casilla's rows)
    };
    DetailedLines(QString table, int casilla, QList<Target> targets)
        : m_table(std::move(table)), m_casilla(casilla), m_targets(std::move(targets)) {}
    void compute(AssistantValues& values, const AssistantContext& context) const override;

    // The other additions (103) or deductions (105) itemised in TMPF544ADICDEDUC: the
    // permanent ones go to one line, the temporary ones to the other.
    static std::shared_ptr<const AssistantCalculation> adjustments(int casilla, int permanentLine, int temporaryLine);
    // The other income of 476 by source (TMPF582OTRGAS).
    static std::shared_ptr<const AssistantCalculation> otherIncome(int casilla, int peruLine, int foreignLine);

private:
    QString m_table;
    int m_casilla;
    QList<Target> m_targets;
};

// The excess of recreational expenses (522) or of the board's remuneration (523) over their
// limit, from the net income of each month (the monthly bases) and the expense of each month.
// Recreational expenses are limited to 0.5 % of the net income and at most 40 UIT of the
// period; the board's remuneration to 6 % of it.
class ExpenseExcess : public AssistantCalculation {
public:
    static constexpr int kIncome = 9101;  // the year's net income, shown
    static constexpr int kExpense = 9102; // the year's expense, shown
    static constexpr int kLimit = 9103;   // the limit, shown
    static double limit(int casilla, double income, double uit);
    void compute(AssistantValues& values, const AssistantContext& context) const override;
};

// Every month's net income must be entered, 0 where there was none.
class MonthlyIncomeCheck : public AssistantCheck {
public:
    static const QString kMissing;
    QString problem(const AssistantValues& values, const AssistantContext& context) const override;
};

} // namespace qel::annexes
