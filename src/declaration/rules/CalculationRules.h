#pragma once

#include <QString>
#include <initializer_list>
#include <optional>
#include <utility>

namespace qel::declaration {

class DeclarationFormModel;

// The calculation procedures of the declaration form and the dispatcher that runs them
// when a casilla changes: income statement -> profit or loss -> tax base -> tax at the
// rate of the identification answers -> credits -> balance due, the coefficient for next
// year's payments on account, the balance sheet totals and the ITF. Each procedure reads
// the boxes and writes its targets; writing a box fires its change event, so a change
// ripples on through the dispatcher.
class CalculationRules {
public:
    explicit CalculationRules(DeclarationFormModel& model);

    // The dispatcher: the change of one casilla runs the rules that read it (CalculationRuleTable).
    void dispatch(int casilla);

    // Income statement.
    void Calcular463();
    void Calcular466y467();
    void Calcular470y471();
    void Calcular484y485();
    void Calcular487y489();
    void Calcular492y493();
    void Calcular100y101();
    // Balance sheet totals of both charts.
    void Calcular330();
    void Calcular342();
    void Calcular356();
    void Calcular358();
    void Calcular390();
    void Calcular412();
    void Calcular425();
    void Calcular426();
    // Tax base and tax.
    void Calcular106y107();
    void Activar120();
    void MostrarArrastre();
    void Calcular108();
    void Calcular110y111();
    void Calcular113();
    void CalcularCoef686();
    void CalcularCoef();
    void CalcularPor();
    // Box-less casillas kept with the declaration: the taxable base (151), the tax of the
    // declaration being rectified (114) and the tax less that one (500).
    void Calcular151();
    void Calcular114();
    void Calcular500();
    // The percentage for next year's payments after an answer changed.
    void RefrescarPor();
    // Credits and balance due.
    void Calcular504();
    void Calcular506();
    void Calcular505_138y139();
    void Calcular146();
    void Calcular126();
    void Calcular128();
    void Calcular130();
    void Calcular131();
    // ITF.
    void Calcular157();
    void Calcular158();
    void Calcular159();
    void Calcular160();
    void Calcular161();
    void Calcular165();
    // The payment control follows the amounts to pay.
    void SaldoDeudaTrib();

    // Exclusive entry pairs: asked when the user leaves the typed box.
    void pTemCasillas(int typed, int partner);
    // The regime choice: the 1700 UIT limit, then the tax.
    void checkRegimeLimit();

    // The help lines of a casilla (TxtAyuda, TxtAyuda1).
    std::pair<QString, QString> help(int casilla) const;
    void showHelp(int casilla);

    // Answers the rules read: an option chosen "Si", or the stored flag "1".
    bool answeredSi(const QString& option, int answerCasilla) const;
    bool isMype() const;
    bool isExempt() const;
    bool isUnaffected() const;
    bool hasStabilityAgreement() const;
    bool hasTaxBenefits() const;
    bool isNonDomiciled() const;
    QString benefitCode() const; // the code of the chosen tax benefit, when benefits are answered Si
    int zone() const;            // 1, 2 or 0 when no zone applies
    double uit() const;          // the UIT of the period
    double revenue() const;      // |463| + |473| + |475| + |477| + |481|

private:
    double v(int n) const;
    double a(int n) const; // absolute value
    bool empty(std::initializer_list<int> numbers) const;
    void write(int n, double value, const QString& mask);
    void writePair(int positive, int negative, double result);
    void writeTotal(int target, std::initializer_list<int> added, std::initializer_list<int> subtracted,
                    const QString& mask);
    void lockAsComputed(int n);
    void keep(int n, const QString& text);
    void recalculateLoadedTax();
    void restoreRefundOption();
    double assistantTotal(const QString& type, bool allColumns) const;
    void setFromAssistant(int casilla, const QString& type, bool allColumns);

    DeclarationFormModel& m_model;
    mutable std::optional<double> m_uit; // read on first use
};

} // namespace qel::declaration
