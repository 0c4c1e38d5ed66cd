#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// A collaboration contract (frmcabEmpresarial): its participants are entered once the
// contract is saved, in the participants' window under the contract's correlative.
class ContractChecks : public AnnexChecks {
public:
    static const QString kParticipants; // "frmColabEmpresarial"
    static const QString kSaveFirst;
    void clicked(AnnexDetailModel& model, const QString& command) override;
    // The number of participants of a contract.
    static int participants(AnnexDetailModel& model, const QString& contract);
};

} // namespace qel::annexes
