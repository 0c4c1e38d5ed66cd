#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// Hydrocarbon lots (frmDetalleHidrocarburos) and mining concessions (frmDetalleMineras): the
// additions and deductions of a lot are entered in their own windows once the lot number is
// typed, and their totals come back into the lot's amounts; a concession's other income goes
// to the list of other income of casilla 476 (frmMinOtros), once its number is typed too.
class LotChecks : public AnnexChecks {
public:
    static const QString kAdditions;   // "DetAdicionesMH"
    static const QString kDeductions;  // "DetDeduccionesMH"
    static const QString kOtherIncome; // "frmMinOtros"

    void prepare(AnnexDetailModel& model) override;
    void clicked(AnnexDetailModel& model, const QString& command) override;
};

} // namespace qel::annexes
