#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// frmDetEmpresasReorg: a valid RUC other than the declarant's; a person (RUC beginning with
// 10) is named by surnames and names, a company by its name.
class ReorganisationChecks : public AnnexChecks {
public:
    static const QString kPersonName;  // "Debe registrar los apellidos y nombres."
    static const QString kCompanyName; // "Debe registrar la denominación o razón social."

    void prepare(AnnexDetailModel& model) override;
    std::optional<Failure> validate(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
