#include "annexes/checks/ContractChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "annexes/AnnexTotals.h"
#include "app/Prompter.h"

namespace qel::annexes {

const QString ContractChecks::kParticipants = QStringLiteral("frmColabEmpresarial");
const QString ContractChecks::kSaveFirst = QStringLiteral("Debe grabar primero los datos del contrato.");

int ContractChecks::participants(AnnexDetailModel& model, const QString& contract) {
    return AnnexTotals::participants(model.context().db, model.key(), contract);
}

void ContractChecks::clicked(AnnexDetailModel& model, const QString& command) {
    if (command != AnnexDetailModel::commandOf(kParticipants)) {
        return;
    }
    if (model.action() != app::FormRequest::kModify) {
        model.context().prompter.message(kSaveFirst, model.def().caption, app::Icon::Exclamation);
        return;
    }
    model.openWindow(kParticipants, app::FormRequest::kAdd, {}, model.requestKeyValue(QStringLiteral("cod_contrato")));
}

} // namespace qel::annexes
