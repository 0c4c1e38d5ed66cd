#include "annexes/checks/CreditChecks.h"

#include "annexes/AnnexDetailModel.h"

namespace qel::annexes {

QString CreditChecks::amountCaption(int casilla) {
    switch (casilla) {
    case 136:
        return QStringLiteral("Monto del Crédito por Reinversión");
    case 125:
        return QStringLiteral("Monto del Crédito sin derecho a devolución");
    case 129:
        return QStringLiteral("Monto del Crédito con derecho a devolución");
    default:
        return QStringLiteral("Monto del Crédito");
    }
}

void CreditChecks::prepare(AnnexDetailModel& model) {
    if (!model.hasField(QStringLiteral("txtMonto"))) {
        return; // the other additions and deductions keep their two bases
    }
    model.setLabel(QStringLiteral("txtMonto"), amountCaption(model.request().casilla.value_or(0)));
}

} // namespace qel::annexes
