#include "printing/ui/PrintingForms.h"

#include "app/Clock.h"
#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "printing/PrintScripts.h"
#include "printing/ui/FrmTipPrnR.h"
#include "printing/ui/frmPreview.h"

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
    // The preview of a report file that another window wrote (an import's error report): the
    // file comes as the code. A file that cannot be read was told by the preview; nothing opens.
    forms.registerForm(PreviewScript::kWindowName, [&prompter](const app::FormRequest& request) {
        auto window = std::make_unique<frmPreview>(request.code, prompter);
        return window->isOpen() ? std::unique_ptr<QDialog>(std::move(window)) : std::unique_ptr<QDialog>();
    });
}

} // namespace qel::printing
