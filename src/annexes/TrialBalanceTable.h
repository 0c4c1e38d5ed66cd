#pragma once

#include "annexes/TrialBalanceRow.h"
#include "store/DeclarationKey.h"

#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::annexes {

// An account of a chart of accounts (F544BALCUEN).
struct TrialBalanceAccount {
    QString code;
    QString description;
    TrialBalanceRow::AccountClass accountClass = TrialBalanceRow::AccountClass::Balance;
};

// The working trial balance of the open declaration (TMPF582BALANCE) under one chart of
// accounts: its rows built from the chart, the stored amounts taken back, one account read or
// written, the column totals. Statements only; the caller holds the transaction.
class TrialBalanceTable {
public:
    using Amounts = std::array<TrialBalanceRow::Money, TrialBalanceRow::kColumnCount>;

    // plan: "1" revised general chart, "2" business chart, "0" none chosen.
    TrialBalanceTable(store::Database& db, store::DeclarationKey key, QString plan);

    // The plan of an OptPlan answer: 1 and 2 are themselves, anything else "0".
    static QString planOf(int optPlan);
    // The result account each chart keeps out of the trial balance: "891", "89" and "00".
    static QString excludedAccount(const QString& plan);

    const QString& plan() const { return m_plan; }
    store::Database& database() const { return m_db; }
    const store::DeclarationKey& key() const { return m_key; }

    // The chart's accounts the trial balance lists, by description.
    QList<TrialBalanceAccount> accounts() const;
    // An account of the whole chart (the excluded one included).
    std::optional<TrialBalanceAccount> account(const QString& code) const;
    // Every account of the whole chart, by code.
    QHash<QString, TrialBalanceAccount> chart() const;

    // Empties the declaration's rows and adds one per listed account, its amounts "0".
    void rebuild();
    // Empties the declaration's rows and adds one per listed account with the amounts given
    // for it; the columns of an account without amounts, and those listed in `empty`, stay
    // empty (NULL).
    struct Filled {
        Amounts amounts{};
        QList<int> empty;
    };
    void rebuild(const QHash<QString, Filled>& filled);
    // The amounts of the stored trial balance (F582BALANCE, or HF582BALANCE of the sent
    // version `correl`) for the same account codes.
    void takeStored(const std::optional<QString>& correl);

    // Whether any amount of the declaration's rows is not zero.
    bool holdsValues() const;
    Amounts totals() const;
    // The amounts of an account's row; nothing when it has no row.
    std::optional<Amounts> amounts(const QString& code) const;
    // Writes the sixteen amounts of an account's row; how many rows it changed. Columns
    // listed in `empty` are written empty.
    int write(const QString& code, const Amounts& amounts, const QList<int>& empty = {});

    struct Line {
        QString code;
        QString description;
        Amounts amounts{};
    };
    // The rows as the page lists them, by account code.
    QList<Line> lines() const;
    // The row at a position of that list.
    std::optional<Line> line(int position) const;

private:
    store::SqlFilter declarationFilter() const;

    store::Database& m_db;
    store::DeclarationKey m_key;
    QString m_plan;
};

} // namespace qel::annexes
