#pragma once

namespace qel::app {
class Prompter;
struct ProcessState;
} // namespace qel::app

namespace qel::app::ui {
class FormLauncher;
}

namespace qel::annexes::ui {

// Registers the windows behind the list and month-assistant casillas under the names the
// casilla catalogue gives them ("frmAnexo128", "frmAnexo227" ...).
void registerCasillaListForms(app::ui::FormLauncher& forms, app::ProcessState& state);

} // namespace qel::annexes::ui
