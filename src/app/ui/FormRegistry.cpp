#include "app/ui/FormRegistry.h"

#include "annexes/ui/AnnexWindows.h"
#include "annexes/ui/AssistantForms.h"
#include "annexes/ui/CasillaListForms.h"
#include "annexes/ui/TrialBalanceForms.h"
#include "app/Clock.h"
#include "app/HelpTopics.h"
#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/HelpKey.h"
#include "app/ui/HelpWindow.h"
#include "base/Prompter.h"
#include "declaration/catalogue/FormWindows.h"
#include "declaration/ui/FrmConsist.h"
#include "declaration/ui/ReportNavigator.h"
#include "declaration/ui/frmUbigeo.h"
#include "imports/ui/ImportWindow.h"
#include "management/ui/DeclarationForms.h"
#include "printing/ui/PrintingForms.h"

namespace qel::app::ui {

void registerModuleForms(FormLauncher& forms, ProcessState& state, Prompter& prompter) {
    // The windows the declaration form can ask for that are not registered below belong to a
    // later version of the module; FormLauncher tells the user so.
    forms.planForms(declaration::FormWindows::names());
    // The ubigeo picker of an Amazonía domicile: the zone comes as the code, the ubigeo
    // already chosen as the first key value.
    forms.registerForm(QStringLiteral("frmUbigeo"), [&state, &prompter](const FormRequest& request) {
        return std::unique_ptr<QDialog>(std::make_unique<declaration::frmUbigeo>(
            state.database(), prompter, request.code, request.keyValues.value(0)));
    });

    // The inconsistency report of the validate command: the report file comes as the code.
    forms.registerForm(QStringLiteral("FrmConsist"), [&state, &prompter](const FormRequest& request) {
        static const SystemClock systemClock;
        const Clock& clock = state.clock != nullptr ? *state.clock : systemClock;
        auto window = std::make_unique<declaration::FrmConsist>(request.code, clock, prompter);
        declaration::ReportNavigator::attach(*window, request.keyValues); // lines go to their box
        return std::unique_ptr<QDialog>(std::move(window));
    });

    // The help window of the menu: the help file comes as the code; it opens beside the others.
    forms.registerForm(HelpWindow::kWindowName, [](const FormRequest& request) {
        HelpWindow::showTopic(request.code, HelpTopics::kContents, HelpKey::casillaListAt(nullptr));
        return std::unique_ptr<QDialog>();
    });

    // The annex detail windows of the annex catalogue.
    annexes::ui::registerAnnexWindows(forms, state, prompter);
    // The trial balance: frmDetalleBalance and frmTransferencia.
    annexes::registerTrialBalanceForms(forms, state, prompter);
    // The casilla assistants (cost of sales, income by source, losses, vehicles).
    annexes::registerAssistantForms(forms, state, prompter);

    // The declaration form Frm537 and the list of stored declarations FrmContAbrir.
    management::ui::registerDeclarationForms(forms, state);
    // The list windows and month assistants behind the casillas.
    annexes::ui::registerCasillaListForms(forms, state);
    // FrmTipPrnR, the print of registered and sent declarations.
    printing::registerPrintingForms(forms, state, prompter);
    // The imports of annex rows and assistant months from files.
    imports::ui::registerImportWindows(forms, state, prompter);
}

} // namespace qel::app::ui
