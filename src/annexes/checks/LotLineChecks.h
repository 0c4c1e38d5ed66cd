#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// The additions (DetAdicionesMH) and deductions (DetDeduccionesMH) of one lot or concession:
// the total is the sum of the lines.
class LotLineChecks : public AnnexChecks {
public:
    void prepare(AnnexDetailModel& model) override;
    std::optional<Failure> validate(AnnexDetailModel& model) override;
    QVariant stored(AnnexDetailModel& model, const QString& column, const QVariant& value) override;

    static double total(const AnnexDetailModel& model);
};

} // namespace qel::annexes
