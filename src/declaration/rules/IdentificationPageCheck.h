#pragma once

#include <QString>

namespace qel::declaration {

class CalculationRules;
class DeclarationFormModel;

// The check of the identification page, run when the user leaves it for another page: the
// first rule that fails takes the form back to the first page and shows its message with the
// critical icon.
class IdentificationPageCheck {
public:
    // Hooks the page changes of the form; lives as long as the model.
    IdentificationPageCheck(DeclarationFormModel& model, const CalculationRules& calculation);

    // Answers whether every rule passed.
    bool run();

private:
    void pageSelected(const QString& pageId);

    DeclarationFormModel& m_model;
    const CalculationRules& m_calculation;
    QString m_mainPage; // the page of SSTab1 shown before the change
};

} // namespace qel::declaration
