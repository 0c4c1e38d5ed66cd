#include "annexes/checks/NonDomiciledChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "base/NumberFormat.h"
#include "store/ParamLookups.h"

namespace qel::annexes {

const QString NonDomiciledChecks::kBelowThreeUit = QStringLiteral("El importe del gasto debe ser mayor a 3 UIT.");

namespace {
constexpr double kUits = 3;
}

std::optional<Failure> NonDomiciledChecks::validate(AnnexDetailModel& model) {
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    const double uit = app::val(store::ParamLookups(model.context().db).UitForYear(model.periodo()));
    if (model.number(QStringLiteral("mto_gasto")) <= kUits * uit) {
        return Failure{QStringLiteral("txtGasto"), kBelowThreeUit};
    }
    return std::nullopt;
}

} // namespace qel::annexes
