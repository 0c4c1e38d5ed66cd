#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace qel::declaration {

class DeclarationFormModel;

// CalculaSaldos: the subaccounts of the trial balance against the casillas of the statements
// and of the tax computation that they make up (goods 368, real-estate investments,
// leased assets and fixed assets 380-382, capital 414, sales 461 and discounts 462, donations
// 227, fines in the additions of 103). It compares only a declared trial balance: the
// question "Si" and some amount entered.
class TrialBalanceComparison {
public:
    struct Difference {
        int casilla = 0;     // the casilla the user sees (103 for the fines kept as 528)
        QString text;        // what differs
        QString description; // where the casilla is, beginning with its number
    };

    explicit TrialBalanceComparison(DeclarationFormModel& model);

    QList<Difference> differences() const;

    // Report mode: two lines per difference, the text and the description.
    QStringList reportLines() const;
    // Message mode: one information message naming the casillas that differ; nothing when
    // none differs. Answers whether something differed.
    bool showMessage();

    // The message of message mode for the casillas that differ.
    static QString messageText(const QList<int>& casillas);

private:
    DeclarationFormModel& m_model;
};

} // namespace qel::declaration
