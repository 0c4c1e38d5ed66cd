#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// The participants of a collaboration contract (frmColabEmpresarial): their shares in one
// contract add up to 100 at most.
class ParticipantChecks : public AnnexChecks {
public:
    std::optional<Failure> crossRows(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
