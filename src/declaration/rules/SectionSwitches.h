#pragma once

#include "catalogue/AnnexCatalog.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <utility>

namespace qel::declaration {

class CalculationRules;
class DeclarationFormModel;

// A working table of a section with the condition that narrows it to the section's rows
// (ANDed to the declaration key; its values are bound).
using SectionTable = annexes::AnnexRows;

// A question whose "No" deletes the detail rows the section holds, after asking.
struct DeleteOnNoSection {
    QString option;
    QList<SectionTable> tables; // the first is the one its grid shows
    QStringList grids;
    QString message;
    QList<std::pair<QString, QList<int>>> buttons; // command arrays and the indexes they switch
    QList<int> boxes;                              // casillas enabled with "Si", emptied and disabled with "No"
    QList<int> clearedBoxes;                       // casillas emptied with "No"
};

// The yes/no questions of the declaration form that switch its sections on and off: what
// each answer enables, clears, deletes from the working tables and recomputes. Every delete
// of a section's rows is one transaction. While a declaration loads, applyLoadedAnswers()
// brings the sections in line with the stored answers without asking or deleting anything.
class SectionSwitches {
public:
    SectionSwitches(DeclarationFormModel& model, CalculationRules& rules);

    static const QList<DeleteOnNoSection>& deleteOnNoSections();
    static const QString kRectifyReminder;

    // The enabled state of every section from the answers in place; no question, no delete,
    // no box emptied.
    void applyLoadedAnswers();

    // Whether a question is answered "Si".
    bool answeredSi(const QString& option) const;
    // The trial balance must be declared (revenue of at least 500 UIT answered "Si").
    bool trialBalanceRequired() const;
    // The chart chosen with OptPlan rebuilds the trial-balance accounts; whoever owns that
    // step hands it in here. Without it the choice only switches the statement layout.
    void setTrialBalanceReloader(std::function<void()> reload) { m_reloadTrialBalance = std::move(reload); }

private:
    enum class Turn { On, Off, Start }; // "Si", "No", unanswered (the state the form opens with)
    enum class How { Click, Load };     // a user's answer, or the answers of a loaded declaration

    static Turn turnOf(int index);
    Turn turnOfOption(const QString& option) const;

    void hook(const QString& name, std::function<void(int)> handler);

    // Box and control states.
    void setBox(int n, Turn turn, How how);
    void setControl(const QString& name, Turn turn, How how);
    void resetControl(const QString& name);
    void setButtons(const DeleteOnNoSection& section, bool on);

    // Statements.
    int countRows(const SectionTable& table) const;
    bool deleteRows(const QList<SectionTable>& tables);
    void recalculateTax();

    // The switches.
    void deleteOnNo(const DeleteOnNoSection& section, int index);
    void applyDeleteOnNo(const DeleteOnNoSection& section, Turn turn, How how);
    void donaciones(Turn turn, How how);
    void reorganizacion(Turn turn, How how);
    void itan(Turn turn, How how);
    void itanAnexo(Turn turn, How how);
    void itanPagos(int index, How how);
    void exemptionQuestion(const QString& combo, int otherBox, const QString& otherCode, Turn turn, How how);
    void otherSpecify(const QString& combo, int box, const QString& code, How how);
    void convenio(Turn turn, How how);
    void contMonExt(Turn turn, How how);
    void domiciliado(Turn turn, How how);
    void amazonActivity(const QString& option, int index, How how);
    void amazonActivityState(How how);
    void domFiscal(Turn turn, How how);
    void arrastre2005(int index);
    void metodo(int index);
    void rectifica(Turn turn, How how);
    void chkRenta(int value, How how);
    void chkItf(int value);
    void optItf(Turn turn, How how);
    void plan();
    void instrumentos(Turn turn, How how);
    void mineria(Turn turn, How how);
    void hidrocarburos(Turn turn, How how);

    DeclarationFormModel& m_model;
    CalculationRules& m_rules;
    std::function<void()> m_reloadTrialBalance;
};

} // namespace qel::declaration
