#include "annexes/ui/CasillaListForms.h"

#include "annexes/CasillaListCatalog.h"
#include "annexes/CasillaListModel.h"
#include "annexes/MonthAssistantKind.h"
#include "annexes/MonthAssistantModel.h"
#include "annexes/MovementAssistantModel.h"
#include "annexes/PriorBalanceModel.h"
#include "annexes/ui/AnnexDetailWindow.h"
#include "annexes/ui/CasillaListWindow.h"
#include "annexes/ui/MonthAssistantWindow.h"
#include "annexes/ui/MovementAssistantWindow.h"
#include "annexes/ui/PriorBalanceWindow.h"
#include "app/Clock.h"
#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/LauncherFormOpener.h"
#include "base/Prompter.h"

#include <memory>

namespace qel::annexes::ui {

void registerCasillaListForms(app::ui::FormLauncher& forms, app::ProcessState& state) {
    auto opener = std::make_shared<app::ui::LauncherFormOpener>(forms);
    for (const int casilla : {126, 128, 130, 131}) {
        const QString name = QStringLiteral("frmAnexo%1").arg(casilla);
        forms.registerForm(name, [&state, opener, name, casilla](const app::FormRequest& request) {
            const MonthAssistantKind* kind = MonthAssistantKind::find(name, request.casilla.value_or(casilla));
            auto model = std::make_unique<MonthAssistantModel>(state.database(), *state.prompter,
                                                               request.key.value_or(store::DeclarationKey{}), *kind,
                                                               request.readOnly, opener.get());
            model->load();
            return std::unique_ptr<QDialog>(std::make_unique<MonthAssistantWindow>(std::move(model), kind->window));
        });
    }
    // The list windows, by the names the casillas open them by and by their own.
    for (const CasillaListDef& def : CasillaListCatalog::lists()) {
        for (const QString& name : {def.launcherName, def.window}) {
            if (name.isEmpty()) {
                continue;
            }
            forms.registerForm(name, [&state, &def, opener](const app::FormRequest& request) {
                const int casilla = request.casilla.value_or(def.captions.isEmpty() ? 0 : def.captions.firstKey());
                const CasillaListDef& shown = *CasillaListCatalog::find(def.window, casilla);
                auto model = std::make_unique<CasillaListModel>(shown, state.database(), *state.prompter, opener.get(),
                                                                request.key.value_or(store::DeclarationKey{}), casilla,
                                                                request.readOnly);
                model->setPrompt(CasillaListModel::promptFrom(request.code));
                return std::unique_ptr<QDialog>(std::make_unique<CasillaListWindow>(std::move(model)));
            });
        }
    }
    // The credits window keeps either table by the casilla it serves (this replaces the
    // catalogue's registration of the same name).
    forms.registerForm(QStringLiteral("frmDetalleCredReinversIng"), [&state, opener](const app::FormRequest& request) {
        static const app::SystemClock systemClock;
        const app::Clock& clock = state.clock != nullptr ? *state.clock : systemClock;
        const AnnexDef& def = CasillaListCatalog::creditWindow(request.casilla.value_or(request.code.toInt()));
        return std::unique_ptr<QDialog>(std::make_unique<AnnexDetailWindow>(
            def, AnnexContext{state.database(), *state.prompter, clock, opener.get()}, request));
    });
    // The movement assistants of the fixed assets, for the casilla they are opened from.
    for (const MovementAssistantKind& kind : MovementAssistantKind::all()) {
        forms.registerForm(kind.window, [&state, &kind, opener](const app::FormRequest& request) {
            auto model = std::make_unique<MovementAssistantModel>(
                state.database(), *state.prompter, request.key.value_or(store::DeclarationKey{}), kind,
                request.casilla.value_or(kind.casillas.first()), request.readOnly, opener.get());
            model->load();
            return std::unique_ptr<QDialog>(std::make_unique<MovementAssistantWindow>(std::move(model)));
        });
    }
    // Casilla 127: its three parts come as the key values.
    forms.registerForm(QStringLiteral("frmAnexo127"), [&state](const app::FormRequest& request) {
        auto model = std::make_unique<PriorBalanceModel>(state.database(), *state.prompter,
                                                         request.key.value_or(store::DeclarationKey{}),
                                                         request.readOnly, request.keyValues);
        model->load();
        return std::unique_ptr<QDialog>(std::make_unique<PriorBalanceWindow>(std::move(model)));
    });
}

} // namespace qel::annexes::ui
