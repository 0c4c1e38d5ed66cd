#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// Vehicles (frmDetVehiculos): a vehicle that cost more than 30 UIT cannot be identified for
// the deduction of its expenses; a substituted vehicle is entered in its own window once the
// new vehicle is saved. Once the net income of the previous year has set the number of
// vehicles that may deduct (casilla 710), no more may be identified; no more vehicles may be
// detailed than the company owns (casilla 705), once that number is given.
class VehicleChecks : public AnnexChecks {
public:
    static const QString kAboveThirtyUit;
    static const QString kSaveFirst;
    static const QString kIncomeLevel;
    static const QString kMoreThanOwned;
    static const QString kSubstituted; // "frmDetVehiculosSus"

    void prepare(AnnexDetailModel& model) override;
    void chosen(AnnexDetailModel& model, const QString& column) override;
    std::optional<Failure> validate(AnnexDetailModel& model) override;
    std::optional<Failure> crossRows(AnnexDetailModel& model) override;
    void clicked(AnnexDetailModel& model, const QString& command) override;
};

} // namespace qel::annexes
