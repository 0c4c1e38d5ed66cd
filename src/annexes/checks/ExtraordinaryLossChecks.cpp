#include "annexes/checks/ExtraordinaryLossChecks.h"

#include "annexes/AnnexDetailModel.h"

namespace qel::annexes {

std::optional<Failure> ExtraordinaryLossChecks::validate(AnnexDetailModel& model) {
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    const QString fortuitous = QStringLiteral("txtCasoFortuito");
    const QString crime = QStringLiteral("txtDelito");
    const bool hasFortuitous = !model.isEmpty(fortuitous);
    const bool hasCrime = !model.isEmpty(crime);
    if (!hasFortuitous && !hasCrime) {
        return Failure{fortuitous, QStringLiteral("Registre uno de los dos importes.")};
    }
    if (hasFortuitous && hasCrime) {
        return Failure{crime, QStringLiteral("Registre solo uno de los dos importes.")};
    }
    const QString given = hasFortuitous ? fortuitous : crime;
    if (model.number(given) <= 0) {
        return Failure{given, QStringLiteral("El importe debe ser mayor a 0 .")};
    }
    return std::nullopt;
}

} // namespace qel::annexes
