#include "annexes/checks/ForeignCreditChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "base/NumberFormat.h"

namespace qel::annexes {

const QString ForeignCreditChecks::kRatePositive = QStringLiteral("El Porcentaje de la alicuota debe ser mayor a 0.");
const QString ForeignCreditChecks::kRateDecimals =
    QStringLiteral("El Porcentaje de la alicuota debe ser máximo con 2 decimales.");
const QString ForeignCreditChecks::kRateAbove = QStringLiteral("La cantidad ingresada supera el máximo permitido.");

namespace {
const QString kRate = QStringLiteral("txtAlicuota");
constexpr double kMaximumRate = 100;
} // namespace

std::optional<Failure> ForeignCreditChecks::validate(AnnexDetailModel& model) {
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    const QString rate = model.value(kRate).trimmed();
    if (AnnexDetailModel::decimals(rate) > 2) {
        return Failure{kRate, kRateDecimals};
    }
    if (rate.isEmpty() || app::val(rate) <= 0) {
        return Failure{kRate, kRatePositive};
    }
    if (app::val(rate) > kMaximumRate) {
        return Failure{kRate, kRateAbove};
    }
    return std::nullopt;
}

} // namespace qel::annexes
