#pragma once

namespace qel::app {
struct ProcessState;
namespace ui {
class FormLauncher;
}
} // namespace qel::app

namespace qel::management::ui {

// Registers the list of sent declarations "FrmContAbrirEnv" with the main window's form
// launcher. It serves the list mode and the recovery flag of the process state; it opens a
// version in "Frm537" through the same launcher, and "FrmRecuperar" over itself.
void registerSentDeclarationForms(app::ui::FormLauncher& forms, app::ProcessState& state);

} // namespace qel::management::ui
