#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// The substituted vehicle (frmDetVehiculosSus): another vehicle than the one that replaces it.
class SubstitutedVehicleChecks : public AnnexChecks {
public:
    static const QString kSamePlate;
    std::optional<Failure> validate(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
