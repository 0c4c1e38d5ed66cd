#include "annexes/checks/ReorganisationChecks.h"

#include "annexes/AnnexDetailModel.h"

namespace qel::annexes {

const QString ReorganisationChecks::kPersonName = QStringLiteral("Debe registrar los apellidos y nombres.");
const QString ReorganisationChecks::kCompanyName = QStringLiteral("Debe registrar la denominación o razón social.");

namespace {
const QString kRuc = QStringLiteral("txtRuc");
const QString kSurname = QStringLiteral("txtApePat");
const QString kSecondSurname = QStringLiteral("txtApeMat");
const QString kNames = QStringLiteral("txtNombres");
const QString kCompany = QStringLiteral("txtRazonSocial");

bool isPerson(const QString& ruc) {
    return ruc.trimmed().startsWith(QStringLiteral("10"));
}
} // namespace

void ReorganisationChecks::prepare(AnnexDetailModel&) {}

std::optional<Failure> ReorganisationChecks::validate(AnnexDetailModel& model) {
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    if (isPerson(model.value(kRuc))) {
        for (const QString& field : {kSurname, kSecondSurname, kNames}) {
            if (model.isEmpty(field)) {
                return Failure{field, kPersonName};
            }
        }
        return std::nullopt;
    }
    if (model.isEmpty(kCompany)) {
        return Failure{kCompany, kCompanyName};
    }
    return std::nullopt;
}

} // namespace qel::annexes
