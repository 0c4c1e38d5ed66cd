#pragma once

#include "store/DeclarationKey.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

namespace qel::store {
class SqlDialect;
}

namespace qel::declaration {

class CalculationRules;
class DeclarationFormModel;

// The consistency rules of the declaration and what they read: the form's boxes and answers
// and the working tables of the open declaration. Each rule is a named unit that answers the
// lines of its failure (none when it passes); the two tables keep the rules in the order in
// which they run, so that a report lists its lines in that order.
class ConsistencyRules {
public:
    using Evaluate = std::function<QStringList(const ConsistencyRules&)>;
    struct Rule {
        QString name;
        Evaluate evaluate;
        bool reportOnly = false; // listed in a full report only, never a reason to stop
        QString control = {};    // the box or question the rule is about (FieldLocator)
    };

    ConsistencyRules(DeclarationFormModel& model, const CalculationRules& calculation);

    // The rules of the whole declaration (validation and saving), in their order.
    static const QList<Rule>& declarationRules();
    // The rules checked when the user leaves the identification page, in their order.
    static const QList<Rule>& identificationRules();
    // The rule of that name in the declaration rules; null when none.
    static const Rule* findDeclarationRule(const QString& name);
    // The name of the income rule, whose short text the stop-at-first check shows.
    static const QString kIncomeRule;

    QStringList evaluate(const Rule& rule) const { return rule.evaluate(*this); }

    // --- What the rules read ---------------------------------------------------------------
    DeclarationFormModel& model() const { return m_model; }
    // The SQL words of the engine the declaration is stored on.
    const store::SqlDialect& sql() const;
    const CalculationRules& calculation() const { return m_calculation; }
    QString periodo() const;
    store::DeclarationKey key() const;

    // Named controls. An option group answers the chosen index (-1 none).
    int option(const QString& name) const;
    bool answered(const QString& name) const { return option(name) >= 0; }
    bool si(const QString& name) const { return option(name) == 1; }
    bool enabled(const QString& name) const;
    QString text(const QString& name) const; // a text or date box, trimmed
    QString code(const QString& name) const; // the code of a combo's entry, "" when none
    bool ticked(const QString& name, int index = -1) const;
    bool hasTaxpayer() const;

    // Casilla boxes, as whole numbers (an empty box reads 0).
    double v(int n) const;
    double a(int n) const; // absolute value
    bool empty(int n) const;
    QString boxText(int n) const; // trimmed
    // A casilla kept outside the boxes (detail windows, DET-only values): the form's copy,
    // else the stored row of the declaration; 0 when none.
    double kept(int n) const { return keptValue(m_model, n); }
    static double keptValue(DeclarationFormModel& model, int n);
    // The statement layout in use: 1 (casillas 300-358) or 2 (359-426).
    int chart() const;
    // Whether every box of a statement page in the chart in use that the user fills is empty or zero.
    bool statementPageEmpty(const QString& pageId) const;

    double uit() const;
    double revenue() const;

    // The working tables of the declaration: the key filter comes first, then the condition.
    int rows(const QString& table, const QString& condition = {}, const QVariantList& values = {}) const;
    double sum(const QString& table, const QString& expression, const QString& condition = {},
               const QVariantList& values = {}) const;
    // The trial balance is declared: the question answered "Si" and some amount entered.
    bool trialBalanceDeclared() const;

    // Amounts as the messages show them.
    static QString whole(double value);

private:
    DeclarationFormModel& m_model;
    const CalculationRules& m_calculation;
};

} // namespace qel::declaration
