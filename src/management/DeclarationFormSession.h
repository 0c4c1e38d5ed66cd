#pragma once

#include "declaration/model/DeclarationFormModel.h"

#include <QString>
#include <QVariantList>
#include <memory>

namespace qel::declaration {
class AnnexButtons;
class CalculationRules;
class CancelCommand;
class CasillaWindows;
class ExplainModel;
class FormHistory;
class FormLoader;
class IdentificationPageCheck;
class StatementPageNotices;
class IdentificationRules;
class SaveCommand;
class SectionSwitches;
class SubjectButtons;
class ValidateCommand;
} // namespace qel::declaration

namespace qel::annexes {
class TrialBalancePage;
}

namespace qel::management {

// What the declaration form is opened with: mode 0 (new) or 1 (a stored declaration); for
// mode 1 the RUC, the taxpayer's name and the sent-version flag, and for a sent version its
// correlative and its control text.
struct DeclarationFormArguments {
    int mode = 0;
    QString ruc;
    QString name;
    bool sentVersion = false;
    QString correl;
    QString control;

    // From the argument list of OpenDeclarationForm: element 0 the RUC, 1 the name, 2 the flag
    // (read as a boolean), and when the flag is set, 3 the correlative and 4 the control text.
    static DeclarationFormArguments fromList(int mode, const QVariantList& arguments);
    void applyTo(declaration::DeclarationFormModel& model) const;
};

// One opening of the declaration form without its window: a fresh model with the form's
// rules attached and its loader. The window Frm537 and the batch mode both work on it.
class DeclarationFormSession {
public:
    DeclarationFormSession(declaration::FormContext context, const DeclarationFormArguments& arguments);
    ~DeclarationFormSession();
    DeclarationFormSession(const DeclarationFormSession&) = delete;
    DeclarationFormSession& operator=(const DeclarationFormSession&) = delete;

    declaration::DeclarationFormModel& model() { return *m_model; }
    declaration::FormLoader& loader() { return *m_loader; }
    declaration::ValidateCommand& validation() { return *m_validate; }
    declaration::SaveCommand& saving() { return *m_save; }
    declaration::CancelCommand& cancelling() { return *m_cancel; }
    declaration::ExplainModel& explanations() { return *m_explain; }
    declaration::FormHistory& history() { return *m_history; }
    // The form load, on working tables of the connection's own. False when the form must not
    // open (its declaration is another session's and the user would not view it read-only, or
    // the database refused); the user was told why.
    bool load();

private:
    std::unique_ptr<declaration::DeclarationFormModel> m_model;
    // The rules of the form, each hooked into the model's events.
    std::unique_ptr<declaration::CalculationRules> m_calculation;
    std::unique_ptr<declaration::SectionSwitches> m_switches;
    std::unique_ptr<declaration::AnnexButtons> m_annexButtons;
    std::unique_ptr<annexes::TrialBalancePage> m_trialBalance;
    std::unique_ptr<declaration::CasillaWindows> m_casillaWindows;
    std::unique_ptr<declaration::SubjectButtons> m_subjectButtons;
    std::unique_ptr<declaration::IdentificationRules> m_identification;
    std::unique_ptr<declaration::ValidateCommand> m_validate;
    std::unique_ptr<declaration::FormLoader> m_loader;
    std::unique_ptr<declaration::IdentificationPageCheck> m_identificationCheck;
    std::unique_ptr<declaration::StatementPageNotices> m_statementNotices;
    std::unique_ptr<declaration::SaveCommand> m_save;
    std::unique_ptr<declaration::CancelCommand> m_cancel;
    std::unique_ptr<declaration::ExplainModel> m_explain;
    std::unique_ptr<declaration::FormHistory> m_history;
};

} // namespace qel::management
