#include "annexes/checks/FinancialOperationChecks.h"

#include "annexes/AnnexDetailModel.h"

namespace qel::annexes {

namespace {
const QString kTerm = QStringLiteral("optPlazo");
const QString kEnd = QStringLiteral("mskFecFin");
const QString kIndefinite = QStringLiteral("1");
} // namespace

// An indefinite term has no end date.
void FinancialOperationChecks::prepare(AnnexDetailModel& model) {
    model.setEnabled(kEnd, model.value(kTerm) != kIndefinite);
}

void FinancialOperationChecks::chosen(AnnexDetailModel& model, const QString& column) {
    if (column == QStringLiteral("ind_plazo")) {
        if (model.value(kTerm) == kIndefinite) {
            model.clearField(kEnd);
        }
        prepare(model);
    }
}

std::optional<Failure> FinancialOperationChecks::validate(AnnexDetailModel& model) {
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    if (model.value(kTerm) == kIndefinite) {
        return std::nullopt;
    }
    if (model.isEmpty(kEnd)) {
        return Failure{kEnd, QStringLiteral("Registre la fecha de fin del contrato.")};
    }
    if (model.date(kEnd) < model.date(QStringLiteral("mskFecInicio"))) {
        return Failure{
            kEnd, QStringLiteral("La Fecha de fin del contrato no puede ser mayor a la fecha de inicio del contrato.")};
    }
    return std::nullopt;
}

} // namespace qel::annexes
