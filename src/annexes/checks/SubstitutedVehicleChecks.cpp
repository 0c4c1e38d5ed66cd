#include "annexes/checks/SubstitutedVehicleChecks.h"

#include "annexes/AnnexDetailModel.h"

namespace qel::annexes {

const QString SubstitutedVehicleChecks::kSamePlate =
    QStringLiteral("La placa del vehículo sustituido debe ser distinta a la del vehículo nuevo.");

std::optional<Failure> SubstitutedVehicleChecks::validate(AnnexDetailModel& model) {
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    if (model.value(QStringLiteral("des_placa_sus"))
            .compare(model.requestKeyValue(QStringLiteral("des_placa")).trimmed(), Qt::CaseInsensitive) == 0) {
        return Failure{QStringLiteral("txtPlacaSus"), kSamePlate};
    }
    return std::nullopt;
}

} // namespace qel::annexes
