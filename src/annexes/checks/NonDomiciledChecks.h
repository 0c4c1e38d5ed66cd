#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// Expenses with non-domiciled providers (frmNoDomic): only expenses above 3 UIT of the
// period's year are detailed. The expense of a saved provider is detailed month by month in
// frmNoDomicDet, whose total becomes the provider's expense.
class NonDomiciledChecks : public AnnexChecks {
public:
    static const QString kBelowThreeUit;
    static const QString kSaveFirst;
    static const QString kDetail; // "frmNoDomicDet"
    std::optional<Failure> validate(AnnexDetailModel& model) override;
    void clicked(AnnexDetailModel& model, const QString& command) override;
};

} // namespace qel::annexes
