#pragma once

#include <QString>
#include <QStringList>

namespace qel::declaration {

class CalculationRules;
class DeclarationFormModel;

// The form's "&Validar" (cmdValidar): the consistency check over the whole declaration with
// its report, the warnings about the amounts to pay and the vehicle expenses, the refusals of
// an incomplete identification or payment, then the report window or the all-clear message.
class ValidateCommand {
public:
    static const QString kReportWindow; // "FrmConsist"

    // Hooks cmdValidar; lives as long as the model.
    ValidateCommand(DeclarationFormModel& model, const CalculationRules& calculation);

    void run();
    // The consistency check in report-all mode alone: the lines of its report ("not run"
    // without a taxpayer gives none).
    QStringList report();

    // The warnings that the save shows too.
    static void showPaymentWarning(DeclarationFormModel& model);
    static void showVehicleWarning(DeclarationFormModel& model);

private:
    bool refuseIdentification();
    bool refusePayment();

    DeclarationFormModel& m_model;
    const CalculationRules& m_calculation;
};

} // namespace qel::declaration
