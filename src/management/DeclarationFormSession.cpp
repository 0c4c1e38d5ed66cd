#include "management/DeclarationFormSession.h"

#include "annexes/TrialBalancePage.h"
#include "declaration/commands/AnnexButtons.h"
#include "declaration/commands/CancelCommand.h"
#include "declaration/commands/CasillaWindows.h"
#include "declaration/commands/ExplainModel.h"
#include "declaration/commands/FormLoader.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/commands/ValidateCommand.h"
#include "declaration/model/FormHistory.h"
#include "declaration/model/SubjectButtons.h"
#include "declaration/rules/CalculationRules.h"
#include "declaration/rules/IdentificationPageCheck.h"
#include "declaration/rules/IdentificationRules.h"
#include "declaration/rules/SectionSwitches.h"
#include "declaration/rules/StatementPageNotices.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"
#include "store/WorkingCopies.h"

namespace qel::management {

DeclarationFormArguments DeclarationFormArguments::fromList(int mode, const QVariantList& arguments) {
    DeclarationFormArguments result;
    result.mode = mode;
    if (mode != 1) {
        return result;
    }
    result.ruc = arguments.value(0).toString();
    result.name = arguments.value(1).toString();
    result.sentVersion = arguments.value(2).toBool();
    if (result.sentVersion) {
        result.correl = arguments.value(3).toString();
        result.control = arguments.value(4).toString();
    }
    return result;
}

void DeclarationFormArguments::applyTo(declaration::DeclarationFormModel& model) const {
    model.mode =
        mode == 1 ? declaration::DeclarationFormModel::Mode::Modify : declaration::DeclarationFormModel::Mode::New;
    model.openRuc = ruc;
    model.openName = name;
    model.historyView = sentVersion;
    model.correl = correl;
    model.versionControl = control;
}

DeclarationFormSession::DeclarationFormSession(declaration::FormContext context,
                                               const DeclarationFormArguments& arguments)
    : m_model(std::make_unique<declaration::DeclarationFormModel>(std::move(context))) {
    arguments.applyTo(*m_model);
    // The rules hook into the model's events before the loader, so that they see the load.
    m_calculation = std::make_unique<declaration::CalculationRules>(*m_model);
    m_switches = std::make_unique<declaration::SectionSwitches>(*m_model, *m_calculation);
    m_annexButtons = std::make_unique<declaration::AnnexButtons>(*m_model);
    m_trialBalance = std::make_unique<annexes::TrialBalancePage>(*m_model);
    m_casillaWindows = std::make_unique<declaration::CasillaWindows>(*m_model);
    m_subjectButtons = std::make_unique<declaration::SubjectButtons>(*m_model);
    m_identification = std::make_unique<declaration::IdentificationRules>(*m_model);
    m_validate = std::make_unique<declaration::ValidateCommand>(*m_model, *m_calculation);
    m_loader = std::make_unique<declaration::FormLoader>(*m_model);
    m_identificationCheck = std::make_unique<declaration::IdentificationPageCheck>(*m_model, *m_calculation);
    m_statementNotices = std::make_unique<declaration::StatementPageNotices>(*m_model);
    m_save = std::make_unique<declaration::SaveCommand>(*m_model, *m_calculation);
    m_cancel = std::make_unique<declaration::CancelCommand>(*m_model, *m_save);
    m_explain = std::make_unique<declaration::ExplainModel>(*m_model);
    m_history = std::make_unique<declaration::FormHistory>(*m_model);
}

DeclarationFormSession::~DeclarationFormSession() {
    // The form closes: its working rows go, and then (with the loader) the declaration's lock.
    // A failure here has nobody left to tell; the next opening of the declaration refreshes
    // them anyway.
    try {
        m_loader->emptyWorkingCopies();
    } catch (const std::exception&) {
    }
}

bool DeclarationFormSession::load() {
    store::Database& db = m_model->context().db;
    try {
        // Two sessions on one declaration (one of them viewing it) never share working rows.
        store::useSessionWorkingTables(db);
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_model->context().prompter, error);
        return false;
    }
    return m_loader->load();
}

} // namespace qel::management
