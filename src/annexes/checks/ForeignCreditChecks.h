#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// frmDetalleFuenteExt: the field rules, then the rate: above 0, two decimals at most, 100 at
// most.
class ForeignCreditChecks : public AnnexChecks {
public:
    static const QString kRatePositive; // "El Porcentaje de la alicuota debe ser mayor a 0."
    static const QString kRateDecimals; // "El Porcentaje de la alicuota debe ser máximo con 2 decimales."
    static const QString kRateAbove;    // "La cantidad ingresada supera el máximo permitido."

    std::optional<Failure> validate(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
