#include "declaration/rules/ItfQuestions.h"

#include "declaration/model/DeclarationFormModel.h"

namespace qel::declaration {

const QString ItfQuestions::kBalanceUnanswered = QStringLiteral("Debe indicar si tiene saldo por regularizar del ITF");

bool ItfQuestions::balanceUnanswered(const DeclarationFormModel& model) {
    const QString question = QStringLiteral("OptITF");
    const QString tax = QStringLiteral("ChkITF");
    return model.hasControl(question) && model.hasControl(tax) && model.option(question) == 1 && model.check(tax) != 1;
}

} // namespace qel::declaration
