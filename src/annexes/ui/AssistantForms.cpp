#include "annexes/ui/AssistantForms.h"

#include "annexes/AssistantCatalog.h"
#include "annexes/ui/CasillaAssistantWindow.h"
#include "annexes/ui/frmPerdidaEjercAnt.h"
#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/LauncherFormOpener.h"

#include <QSet>

namespace qel::annexes {

void registerAssistantForms(app::ui::FormLauncher& forms, app::ProcessState& state, app::Prompter& prompter) {
    QSet<QString> registered;
    auto opener = std::make_shared<app::ui::LauncherFormOpener>(forms);
    for (const AssistantDef& def : AssistantCatalog::instance().all()) {
        if (registered.contains(def.window.toLower())) {
            continue;
        }
        registered.insert(def.window.toLower());
        const QString window = def.window;
        forms.registerForm(window, [&state, &prompter, window, opener](const app::FormRequest& request) {
            const int casilla = request.casilla.value_or(0);
            const AssistantDef* layout = AssistantCatalog::instance().find(window, casilla);
            auto model = std::make_unique<CasillaAssistantModel>(
                state.database(), prompter, *layout, request.key.value_or(store::DeclarationKey{}),
                casilla == 0 ? layout->openedFrom.value(0) : casilla, request.readOnly, request.keyValues);
            model->setOpener(opener.get());
            return std::unique_ptr<QDialog>(std::make_unique<CasillaAssistantWindow>(std::move(model)));
        });
    }
    forms.registerForm(QStringLiteral("frmPerdidaEjercAnt"), [&state, &prompter](const app::FormRequest& request) {
        auto model = std::make_unique<LossBalanceModel>(
            state.database(), prompter, request.key.value_or(store::DeclarationKey{}), request.readOnly);
        return std::unique_ptr<QDialog>(std::make_unique<frmPerdidaEjercAnt>(std::move(model)));
    });
}

} // namespace qel::annexes
