#include "declaration/rules/AddressRule.h"

namespace qel::declaration {

QString ValidaDireccion(const QString& number, const QString& kilometre, const QString& block,
                        const QString& department, const QString& interior, const QString& lot,
                        const QString& reference) {
    const bool hasNumber = !number.trimmed().isEmpty();
    const bool hasKilometre = !kilometre.trimmed().isEmpty();
    const bool hasBlock = !block.trimmed().isEmpty();
    const bool hasLot = !lot.trimmed().isEmpty();

    if (hasNumber && (hasBlock || hasLot)) {
        return QStringLiteral("Si tiene información en Número, no deberá tener información en Km, Manzana/Lote  o "
                              "viceversa");
    }
    if (hasNumber && hasKilometre) {
        return QStringLiteral("Si tiene Kilómetro no podrá tener información en Número");
    }
    if (hasBlock != hasLot) {
        return QStringLiteral("Debe ingresar la manzana y el lote");
    }
    const bool located = hasNumber || hasKilometre || hasBlock || hasLot;
    if (!located && (!department.trimmed().isEmpty() || !interior.trimmed().isEmpty())) {
        return QStringLiteral("Ingrese el Número o  la manzana y el lote ");
    }
    if (number.trimmed().compare(QStringLiteral("SN"), Qt::CaseInsensitive) == 0 && reference.trimmed().isEmpty()) {
        return QStringLiteral("La referencia es obligatoria si es que indicó SN en el número");
    }
    return {};
}

} // namespace qel::declaration
