#include "program/FormRegistry.h"

#include "annexes/ui/TrialBalanceForms.h"
#include "app/Clock.h"
#include "app/HelpTopics.h"
#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/HelpKey.h"
#include "app/ui/HelpWindow.h"
#include "base/Prompter.h"
#include "imports/ui/ImportWindow.h"
#include "management/ui/DeclarationForms.h"
#include "printing/ui/PrintingForms.h"
#include "program/WindowViews.h"

namespace qel::app::ui {

void registerModuleForms(FormLauncher& forms, ProcessState& state, Prompter& prompter) {
    // The windows of the window registry: each model in its view (the ubigeo picker, ...).
    registerModelWindows(forms, state, prompter);

    // The help window of the menu: the help file comes as the code; it opens beside the others.
    forms.registerForm(HelpWindow::kWindowName, [](const FormRequest& request) {
        HelpWindow::showTopic(request.code, HelpTopics::kContents, HelpKey::casillaListAt(nullptr));
        return std::unique_ptr<QDialog>();
    });

    // The trial balance: frmDetalleBalance and frmTransferencia.
    annexes::registerTrialBalanceForms(forms, state, prompter);

    // The declaration form Frm537.
    management::ui::registerDeclarationForms(forms, state);
    // FrmTipPrnR, the print of registered and sent declarations.
    printing::registerPrintingForms(forms, state, prompter);
    // The imports of annex rows and assistant months from files.
    imports::ui::registerImportWindows(forms, state, prompter);
}

} // namespace qel::app::ui
