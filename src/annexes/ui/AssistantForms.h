#pragma once

namespace qel::app {
class Prompter;
struct ProcessState;
} // namespace qel::app

namespace qel::app::ui {
class FormLauncher;
}

namespace qel::annexes {

// Registers the casilla assistants of the AssistantCatalog and the loss balance window with
// the form launcher.
void registerAssistantForms(app::ui::FormLauncher& forms, app::ProcessState& state, app::Prompter& prompter);

} // namespace qel::annexes
