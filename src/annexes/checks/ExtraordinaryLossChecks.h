#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// Extraordinary losses (frmPerdidasExtraord): one loss is either an act of God or a crime,
// so exactly one of the two amounts is given.
class ExtraordinaryLossChecks : public AnnexChecks {
public:
    std::optional<Failure> validate(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
