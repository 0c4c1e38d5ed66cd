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

QString CreditChecks::windowCaption(const QString& caption, int casilla) {
    switch (casilla) {
    case 136:
        return caption + QStringLiteral(" - Casilla 136 - Crédito por Reinversiones");
    case 125:
        return caption + QStringLiteral(" - Casilla 125 - Otros créditos sin derecho a devolución");
    case 129:
        return caption + QStringLiteral(" - Casilla 129 - Otros créditos con derecho a devolución");
    default:
        return caption;
    }
}

void CreditChecks::prepare(AnnexDetailModel& model) {
    if (!model.hasField(QStringLiteral("txtMonto"))) {
        return; // the other additions and deductions keep their two bases
    }
    // The casilla comes with the request, or as its code from the list windows.
    const int casilla = model.request().casilla.value_or(model.request().code.toInt());
    model.setLabel(QStringLiteral("txtMonto"), amountCaption(casilla));
    model.setCaption(windowCaption(model.def().caption, casilla));
}

} // namespace qel::annexes
