#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// Expenses with non-domiciled providers (frmNoDomic): only expenses above 3 UIT of the
// period's year are detailed.
class NonDomiciledChecks : public AnnexChecks {
public:
    static const QString kBelowThreeUit;
    std::optional<Failure> validate(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
