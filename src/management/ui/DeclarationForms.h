#pragma once

namespace qel::app {
struct ProcessState;
namespace ui {
class FormLauncher;
}
} // namespace qel::app

namespace qel::management::ui {

// Registers the declaration form "Frm537" with the main window's form launcher. It opens new
// for an add request and on the declaration of the key values (RUC, name, sent-version flag,
// correlative, control text) for a modify request. The form's own requests for detail windows
// go to the same launcher.
void registerDeclarationForms(app::ui::FormLauncher& forms, app::ProcessState& state);

} // namespace qel::management::ui
