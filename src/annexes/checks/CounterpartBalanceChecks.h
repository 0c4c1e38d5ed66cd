#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// The counterparts of a statement line (frmAsisCasillasEFIng): receivables and payables of
// more than 3 UIT at 31 December, one row per document. Type 99 gathers the rest in one
// consolidated row without names; a person is named by surnames and names, a company by its
// business name.
class CounterpartBalanceChecks : public AnnexChecks {
public:
    static const QString kConsolidated;       // "99"
    static const QString kConsolidatedNumber; // "000000000000"
    static const QString kNoDocType;
    static const QString kNoNameKind;
    static const QString kNotRucNeedsNames;
    static const QString kNoCompany;
    static const QString kNoSurname;
    static const QString kNoGivenNames;
    static const QString kNoBalance;
    static const QString kZeroBalance;
    static const QString kBelowThreeUit;

    void prepare(AnnexDetailModel& model) override;
    void chosen(AnnexDetailModel& model, const QString& column) override;
    std::optional<Failure> validate(AnnexDetailModel& model) override;

private:
    static std::optional<Failure> checkNames(AnnexDetailModel& model);
    static void showKind(AnnexDetailModel& model);
};

} // namespace qel::annexes
