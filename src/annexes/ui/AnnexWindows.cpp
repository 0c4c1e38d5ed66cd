#include "annexes/ui/AnnexWindows.h"

#include "annexes/AnnexCatalog.h"
#include "annexes/ui/AnnexDetailWindow.h"
#include "app/Clock.h"
#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/LauncherFormOpener.h"

#include <memory>

namespace qel::annexes::ui {

void registerAnnexWindows(app::ui::FormLauncher& forms, app::ProcessState& state, app::Prompter& prompter) {
    // The sub-windows (additions of a lot, the substituted vehicle) open through the launcher.
    auto opener = std::make_shared<app::ui::LauncherFormOpener>(forms);
    for (const AnnexDef& def : AnnexCatalog::instance().windows()) {
        forms.registerForm(def.window, [&def, &state, &prompter, opener](const app::FormRequest& request) {
            static const app::SystemClock systemClock;
            const app::Clock& clock = state.clock != nullptr ? *state.clock : systemClock;
            AnnexContext context{state.database(), prompter, clock, opener.get()};
            return std::unique_ptr<QDialog>(std::make_unique<AnnexDetailWindow>(def, context, request));
        });
    }
}

} // namespace qel::annexes::ui
