#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// Wastage (frmDetalleDesmedros): a destruction before a notary names the notary by RUC; one
// before a justice of the peace names the court; the tax administration hears of it first.
class WastageChecks : public AnnexChecks {
public:
    static const QString kNotary;         // "1"
    static const QString kJusticeOfPeace; // "2"
    std::optional<Failure> validate(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
