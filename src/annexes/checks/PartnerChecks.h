#pragma once

#include "annexes/AnnexChecks.h"
#include "annexes/AnnexDetailModel.h"

#include <QList>

namespace qel::annexes {

// The principal partners (frmDetalleSocios): at most 100 partners plus the consolidated rest
// (type "05"), which is open only once 100 partners or 80 % of the capital are registered;
// the shares of all rows may not exceed 100 %.
class PartnerChecks : public AnnexChecks {
public:
    static const QString kConsolidatedType; // "05"
    static const QString kConsolidatedClosed;
    static const QString kConsolidatedRequires;
    static const QString kIncomplete;

    // The other rows of the table: their number and the sum of their shares (the row being
    // modified left out).
    struct Others {
        int count = 0;
        double shares = 0;
    };
    static Others others(AnnexDetailModel& model);
    static bool consolidatedAllowed(const Others& others);

    void prepare(AnnexDetailModel& model) override;
    void chosen(AnnexDetailModel& model, const QString& column) override;
    std::optional<Failure> validate(AnnexDetailModel& model) override;
    std::optional<Failure> crossRows(AnnexDetailModel& model) override;
    QVariant stored(AnnexDetailModel& model, const QString& column, const QVariant& value) override;

private:
    std::optional<Failure> checkDates(AnnexDetailModel& model) const;
    std::optional<Failure> checkShare(AnnexDetailModel& model) const;
    void consolidated(AnnexDetailModel& model, bool on);

    QList<AnnexItem> m_docTypes; // every document type the partners admit
};

} // namespace qel::annexes
