#include "printing/ui/PrintingForms.h"

#include "app/Clock.h"
#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "printing/ui/FrmTipPrnR.h"

namespace qel::printing {

void registerPrintingForms(app::ui::FormLauncher& forms, app::ProcessState& state, app::Prompter& prompter) {
    forms.registerForm(PrintTypeModel::kWindowName, [&state, &prompter](const app::FormRequest&) {
        static const app::SystemClock systemClock;
        const app::Clock& clock = state.clock != nullptr ? *state.clock : systemClock;
        PrintTypeModel::Context context{state.database(),
                                        prompter,
                                        clock,
                                        state.sysUser,
                                        app::UserKind(state.database(), state.sysUser),
                                        state.periodo,
                                        state.formulario,
                                        state.reportFolder,
                                        state.printSent};
        auto window = std::make_unique<FrmTipPrnR>(context);
        return std::unique_ptr<QDialog>(std::move(window));
    });
}

} // namespace qel::printing
