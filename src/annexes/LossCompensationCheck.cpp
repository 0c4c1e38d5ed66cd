#include "annexes/LossCompensationCheck.h"

#include "annexes/AssistantCatalog.h"
#include "annexes/AssistantValues.h"
#include "annexes/LossBalances.h"

namespace qel::annexes {

QString LossCompensationCheck::problem(const AssistantValues& values, const AssistantContext& context) const {
    const AssistantDef* def = AssistantCatalog::instance().find(QStringLiteral("frmAnexo108"), 108);
    const QMap<int, double> balances = LossBalances::byYear(context.db, context.key);
    for (const AssistantField& field : def->fields) {
        if (field.year == 0) {
            continue;
        }
        if (values.value(field.id()) > balances.value(field.year)) {
            return QStringLiteral("La Compensación de pérdidas consignadas para el año ") +
                   QString::number(field.year) +
                   QStringLiteral(" no puede ser mayor que el saldo de pérdidas de dicho año");
        }
    }
    return {};
}

} // namespace qel::annexes
