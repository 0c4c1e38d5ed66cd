#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// Rentals (frmDetalleAlquileres): a movable good is identified by its plate, a property by its
// registry entry and its address, which must name a place, a zone or road and a number,
// kilometre or block. An address already registered is asked about before it is written again.
class RentalChecks : public AnnexChecks {
public:
    static const QString kMovable;  // "1"
    static const QString kProperty; // "2"
    static const QString kSameAddress;

    void prepare(AnnexDetailModel& model) override;
    void chosen(AnnexDetailModel& model, const QString& column) override;
    std::optional<Failure> validate(AnnexDetailModel& model) override;
    bool confirm(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
