#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// Financial operations administered (frmOperacFinancieras): a contract of fixed term ends,
// and not before it starts.
class FinancialOperationChecks : public AnnexChecks {
public:
    void prepare(AnnexDetailModel& model) override;
    void chosen(AnnexDetailModel& model, const QString& column) override;
    std::optional<Failure> validate(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
