#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// Vehicles (frmDetVehiculos): a vehicle that cost more than 30 UIT cannot be identified for
// the deduction of its expenses; a substituted vehicle is entered in its own window once the
// new vehicle is saved.
class VehicleChecks : public AnnexChecks {
public:
    static const QString kAboveThirtyUit;
    static const QString kSaveFirst;
    static const QString kSubstituted; // "frmDetVehiculosSus"

    void prepare(AnnexDetailModel& model) override;
    void chosen(AnnexDetailModel& model, const QString& column) override;
    std::optional<Failure> validate(AnnexDetailModel& model) override;
    void clicked(AnnexDetailModel& model, const QString& command) override;
};

} // namespace qel::annexes
