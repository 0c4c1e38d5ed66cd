#include "declaration/rules/CalculationRuleTable.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace qel::declaration;

namespace {

using namespace Qt::StringLiterals;

// The three-digit numbers of a formula line's right side.
QList<int> numbersOf(const QString& line) {
    static const QRegularExpression number(u"(?<![0-9.])([0-9]{3})(?![0-9.])"_s);
    QList<int> found;
    auto it = number.globalMatch(line.mid(line.indexOf(QLatin1Char('=')) + 1));
    while (it.hasNext()) {
        found.append(it.next().captured(1).toInt());
    }
    return found;
}

} // namespace

// Each formula line writes targets of its rule, and every casilla it names is one the rule
// declares as read (or, for a second line, a target of the first): a formula changed
// without its inputs would leave the dispatcher deaf to a change.
TEST(CalculationRuleTable, FormulasNameOnlyTheDeclaredCasillas) {
    for (const CalculationRule& rule : CalculationRuleTable::rules()) {
        for (const QString& line : rule.formulas) {
            const QString where = rule.name + u": "_s + line;
            const int target = line.section(QLatin1Char(' '), 0, 0).toInt();
            EXPECT_TRUE(rule.targets.contains(target)) << where.toStdString();
            for (const int n : numbersOf(line)) {
                const bool constant = n == 100 && !rule.inputs.contains(100); // "× 100", "/ 100"
                EXPECT_TRUE(constant || rule.inputs.contains(n) || rule.targets.contains(n))
                    << where.toStdString() << " names " << n;
            }
        }
        for (const int input : rule.inputs) {
            bool named = rule.formulas.isEmpty() || input == 120 || input == 137 || rule.targets.contains(input);
            for (const QString& line : rule.formulas) {
                named = named || numbersOf(line).contains(input);
            }
            EXPECT_TRUE(named) << rule.name.toStdString() << " reads " << input << " that no formula names";
        }
    }
}

// The derived dispatcher runs a rule after every rule that writes what it reads, and each
// computed casilla has exactly one rule.
TEST(CalculationRuleTable, TheDispatcherRunsEachRuleAfterTheRulesItReads) {
    QSet<int> written;
    for (const CalculationRule& rule : CalculationRuleTable::rules()) {
        for (const int target : rule.targets) {
            EXPECT_FALSE(written.contains(target)) << target << " has two rules";
            written.insert(target);
            EXPECT_EQ(CalculationRuleTable::computing(target), &rule);
        }
    }
    for (int n = 100; n <= 999; ++n) {
        const QList<const CalculationRule*>& rules = CalculationRuleTable::after(n);
        for (qsizetype i = 1; i < rules.size(); ++i) {
            EXPECT_LT(CalculationRuleTable::rank(*rules.at(i - 1)), CalculationRuleTable::rank(*rules.at(i)))
                << "after " << n;
        }
        for (const CalculationRule* rule : rules) {
            EXPECT_EQ(rule->trigger, RuleTrigger::Inputs) << rule->name.toStdString();
        }
    }
    for (const CalculationRule& reader : CalculationRuleTable::rules()) {
        for (const int input : reader.inputs) {
            const CalculationRule* writer = CalculationRuleTable::computing(input);
            if (writer != nullptr && writer != &reader) {
                EXPECT_LT(CalculationRuleTable::rank(*writer), CalculationRuleTable::rank(reader))
                    << writer->name.toStdString() << " before " << reader.name.toStdString();
            }
        }
    }
}
