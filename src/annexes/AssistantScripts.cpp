#include "annexes/AssistantScripts.h"

#include "annexes/AssistantCatalog.h"
#include "annexes/AssistantScriptWindow.h"

namespace qel::annexes {

namespace {
const QString kLossBalance = QStringLiteral("frmPerdidaEjercAnt");
}

QStringList AssistantScripts::windowNames() {
    QStringList names;
    for (const AssistantDef& def : AssistantCatalog::instance().all()) {
        if (!names.contains(def.window, Qt::CaseInsensitive)) {
            names.append(def.window);
        }
    }
    names.append(kLossBalance);
    return names;
}

std::unique_ptr<app::ScriptableWindow> AssistantScripts::open(const QString& name, declaration::FormContext& services,
                                                              const app::FormRequest& request) {
    const store::DeclarationKey key = request.key.value_or(store::DeclarationKey{});
    if (name.compare(kLossBalance, Qt::CaseInsensitive) == 0) {
        return std::make_unique<LossBalanceScriptWindow>(
            std::make_unique<LossBalanceModel>(services.db, services.prompter, key, request.readOnly));
    }
    const int casilla = request.casilla.value_or(0);
    const AssistantDef* def = AssistantCatalog::instance().find(name, casilla);
    if (def == nullptr) {
        return nullptr;
    }
    auto model = std::make_unique<CasillaAssistantModel>(services.db, services.prompter, *def, key,
                                                         casilla == 0 ? def->openedFrom.value(0) : casilla,
                                                         request.readOnly, request.keyValues);
    model->setOpener(&services.opener);
    return std::make_unique<AssistantScriptWindow>(std::move(model));
}

} // namespace qel::annexes
