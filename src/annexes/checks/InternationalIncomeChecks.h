#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// Foreign-source income (frmRentaInternacional): the country comes from a fixed list of
// jurisdictions; "OTROS" asks for the country's name.
class InternationalIncomeChecks : public AnnexChecks {
public:
    static const QString kOthers; // "9999"
    void prepare(AnnexDetailModel& model) override;
    void chosen(AnnexDetailModel& model, const QString& column) override;
    std::optional<Failure> validate(AnnexDetailModel& model) override;
    QVariant stored(AnnexDetailModel& model, const QString& column, const QVariant& value) override;
};

} // namespace qel::annexes
