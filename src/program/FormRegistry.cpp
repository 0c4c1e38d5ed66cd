#include "program/FormRegistry.h"

#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "base/Prompter.h"
#include "catalogue/FormWindows.h"
#include "management/ui/DeclarationForms.h"
#include "program/WindowViews.h"

namespace qel::app::ui {

void registerModuleForms(FormLauncher& forms, ProcessState& state, Prompter& prompter) {
    // The windows the declaration form can ask for that are not registered below belong to a
    // later version of the module; FormLauncher tells the user so.
    forms.planForms(declaration::FormWindows::names());
    // The windows of the window registry: each model in its view (the ubigeo picker, the
    // print, the preview, the help, the imports, the trial balance windows, ...).
    registerModelWindows(forms, state, prompter);

    // The declaration form Frm537 and the list of stored declarations FrmContAbrir.
    management::ui::registerDeclarationForms(forms, state);
}

} // namespace qel::app::ui
