#include "annexes/checks/InternationalIncomeChecks.h"

#include "annexes/AnnexDetailModel.h"

namespace qel::annexes {

const QString InternationalIncomeChecks::kOthers = QStringLiteral("9999");

namespace {
const QString kCountry = QStringLiteral("cboPais");
const QString kName = QStringLiteral("txtPais");

// The name of a listed country is the one the list gives.
QString listedName(const AnnexDetailModel& model) {
    for (const auto& [code, name] : model.field(kCountry).items) {
        if (code == model.value(kCountry)) {
            return name;
        }
    }
    return {};
}
} // namespace

void InternationalIncomeChecks::prepare(AnnexDetailModel& model) {
    model.setEnabled(kName, model.value(kCountry) == kOthers);
}

void InternationalIncomeChecks::chosen(AnnexDetailModel& model, const QString& column) {
    if (column == QStringLiteral("cod_pais")) {
        if (model.value(kCountry) != kOthers) {
            model.clearField(kName);
        }
        prepare(model);
    }
}

std::optional<Failure> InternationalIncomeChecks::validate(AnnexDetailModel& model) {
    const auto failure = model.fieldRules();
    if (failure && failure->field != QStringLiteral("txtMonto")) {
        return failure;
    }
    if (model.value(kCountry) == kOthers && model.isEmpty(kName)) {
        return Failure{kName, QStringLiteral("Debe ingresar la descripción del país")};
    }
    return failure;
}

QVariant InternationalIncomeChecks::stored(AnnexDetailModel& model, const QString& column, const QVariant& value) {
    if (column == QStringLiteral("des_pais") && model.value(kCountry) != kOthers) {
        return listedName(model);
    }
    return value;
}

} // namespace qel::annexes
