#include "annexes/checks/AssistantListChecks.h"

#include "annexes/AnnexDetailModel.h"

namespace qel::annexes {

const QString AdjustmentChecks::kKindMissing =
    QStringLiteral("Si ha ingresado algun monto debe elegir entre Temporal o Permanente");
const QString WithheldExpenseChecks::kRateOutside =
    QStringLiteral("La tasa debe ser mayor o igual a 1 y menor o igual a 100.");

std::optional<Failure> AdjustmentChecks::validate(AnnexDetailModel& model) {
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    const bool anyAmount = model.number(QStringLiteral("mto_base_cont")) != 0 ||
                           model.number(QStringLiteral("mto_base_trib")) != 0 ||
                           model.number(QStringLiteral("MTO_ADIC_DEDUC")) != 0;
    if (anyAmount && model.isEmpty(QStringLiteral("cboTipo"))) {
        return Failure{QStringLiteral("cboTipo"), kKindMissing};
    }
    return std::nullopt;
}

std::optional<Failure> WithheldExpenseChecks::validate(AnnexDetailModel& model) {
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    const double rate = model.number(QStringLiteral("mto_tasa"));
    if (rate < 1 || rate > 100) {
        return Failure{QStringLiteral("txtTasa"), kRateOutside};
    }
    return std::nullopt;
}

} // namespace qel::annexes
