#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// frmAdicDeducOtros: the field rules, then the kind of difference of the amount.
class AdjustmentChecks : public AnnexChecks {
public:
    static const QString kKindMissing; // "Si ha ingresado algun monto debe elegir entre Temporal o Permanente"
    std::optional<Failure> validate(AnnexDetailModel& model) override;
};

// frmGastosNoDomDet: the field rules (a percentage above 100 is refused there), then a rate of
// at least 1.
class WithheldExpenseChecks : public AnnexChecks {
public:
    static const QString kRateOutside; // "La tasa debe ser mayor o igual a 1 y menor o igual a 100."
    std::optional<Failure> validate(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
