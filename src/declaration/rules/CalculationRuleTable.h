#pragma once

#include <QList>
#include <QString>

namespace qel::declaration {

class CalculationRules;

// When a rule runs: after a change of any of its inputs, or only as a step of another rule
// (the coefficient of 686 and the percentage of 610 follow the tax of 113, whatever changed).
enum class RuleTrigger { Inputs, Step };

// One calculation rule as data: the casillas it writes, the casillas it reads, its formula in
// the notation of the tax rules and the condition under which it applies.
//
// The formula lines read "T = expression" or, for a pair, "P / N = expression" (the result
// goes to P when it is not negative, else to N as its absolute value in parentheses). The
// expression uses casilla numbers, abs(x), max(0, x) for a zero floor, ×, /, +, −, decimal
// constants and "R %" for a rate. Numbers that are not among the rule's casillas are
// constants ("686 × 100").
struct CalculationRule {
    QString name; // the procedure: Calcular113, Calcular106y107 ...
    QList<int> targets;
    QList<int> inputs;
    QStringList formulas;
    QString condition;
    RuleTrigger trigger = RuleTrigger::Inputs;
    void (CalculationRules::*run)() = nullptr;
    // The assistant rows whose total the rule writes (TMPACTA.TIPO_ASIST), or empty.
    QString assistantType;
    // The formula line that computes a target, or empty.
    QString formulaFor(int target) const;
};

// The declarations of every calculation rule and the dispatcher derived from them: after a
// casilla changes, the rules that read it run, each after the rules whose results it reads.
class CalculationRuleTable {
public:
    static const QList<CalculationRule>& rules();
    // The rules a change of the casilla runs, in dependency order (empty for most casillas).
    static const QList<const CalculationRule*>& after(int casilla);
    // The rule that writes the casilla, or null for a typed casilla.
    static const CalculationRule* computing(int casilla);
    // The casillas whose rules read the casilla, in rule order.
    static QList<int> feeds(int casilla);
    // The position of a rule in the dependency order (tests and the dispatcher).
    static int rank(const CalculationRule& rule);
};

} // namespace qel::declaration
