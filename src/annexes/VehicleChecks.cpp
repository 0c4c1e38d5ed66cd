#include "annexes/VehicleChecks.h"

#include "annexes/AssistantValues.h"
#include "base/NumberFormat.h"
#include "declaration/model/WorkingCasillas.h"
#include "store/Database.h"
#include "store/ParamLookups.h"

#include <algorithm>
#include <cmath>

namespace qel::annexes {

namespace {

const QString kNoneOwned = QStringLiteral("El número de vehículos de propiedad de la empresa debe ser mayor a cero.");

QString fewerThanDetailed(int rows) {
    return QStringLiteral("El número de vehículos no puede ser menor a la cantidad de vehículos detallados (") +
           QString::number(rows) + QStringLiteral(").");
}

} // namespace

int VehicleCountCheck::detailed(const AssistantContext& context) {
    const store::SqlFilter where = context.key.filter();
    return context.db.scalar(QStringLiteral("SELECT COUNT(*) FROM TMPF584VEHIC") + where.text, where.values).toInt();
}

QString VehicleCountCheck::problem(const AssistantValues& values, const AssistantContext& context) const {
    const double owned = values.value(705);
    const double assigned = values.value(707);
    if (owned <= 0) {
        return kNoneOwned;
    }
    if (assigned <= 0) {
        return QStringLiteral("El número de vehículos asignados debe ser mayor a cero.");
    }
    if (assigned > owned) {
        return QStringLiteral("El número de vehículos asignados no puede ser mayor al número de vehículos de "
                              "propiedad de la empresa.");
    }
    const int rows = detailed(context);
    if (assigned < rows) {
        return fewerThanDetailed(rows);
    }
    return {};
}

QString OwnedVehiclesCheck::problem(const AssistantValues& values, const AssistantContext& context) const {
    if (values.value(705) <= 0) {
        return kNoneOwned;
    }
    const int rows = VehicleCountCheck::detailed(context);
    if (values.value(705) < rows) {
        return fewerThanDetailed(rows);
    }
    return {};
}

void StoredNetIncome::compute(AssistantValues& values, const AssistantContext& context) const {
    values.setText(706, declaration::WorkingCasillas::value(context.db, context.key, 706));
}

int VehicleLimit::maximumVehicles(double netIncome, double uit) {
    if (uit <= 0 || netIncome <= 0) {
        return netIncome > 0 ? 20 : 1;
    }
    const int steps = static_cast<int>(std::ceil(netIncome / (3600 * uit)));
    return std::clamp(steps, 1, 20);
}

void VehicleLimit::compute(AssistantValues& values, const AssistantContext& context) const {
    store::ParamLookups lookups(context.db);
    const QString previousYear = QString::number(context.key.periodo.toInt() - 1);
    const double uit = app::val(lookups.UitForYear(previousYear));
    values.setValue(710, maximumVehicles(values.value(706), uit));
    values.setText(711, values.text(707));
}

} // namespace qel::annexes
