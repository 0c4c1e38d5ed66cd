#include "annexes/checks/ContractChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "app/Prompter.h"
#include "store/Database.h"

namespace qel::annexes {

const QString ContractChecks::kParticipants = QStringLiteral("frmColabEmpresarial");
const QString ContractChecks::kSaveFirst = QStringLiteral("Debe grabar primero los datos del contrato.");

int ContractChecks::participants(AnnexDetailModel& model, const QString& contract) {
    store::SqlFilter filter = model.key().filter();
    filter.andEquals(QStringLiteral("cod_contrato"), contract);
    return model.context()
        .db.scalar(QStringLiteral("SELECT count(*) as TotReg FROM TMPF582COLDET") + filter.text, filter.values)
        .toInt();
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
