#include "program/FormRegistry.h"

#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "base/Prompter.h"
#include "management/ui/DeclarationForms.h"
#include "program/WindowViews.h"

namespace qel::app::ui {

void registerModuleForms(FormLauncher& forms, ProcessState& state, Prompter& prompter) {
    // The windows of the window registry: each model in its view (the ubigeo picker, the
    // lists of declarations, the print, the preview, the help, the imports, the trial balance
    // windows, ...).
    registerModelWindows(forms, state, prompter);

    // The declaration form Frm537.
    management::ui::registerDeclarationForms(forms, state);
}

} // namespace qel::app::ui
