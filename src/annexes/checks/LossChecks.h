#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// Losses (frmDetalleMermas): a document registered under one author of the technical report
// may not come again under another.
class LossChecks : public AnnexChecks {
public:
    std::optional<Failure> crossRows(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
