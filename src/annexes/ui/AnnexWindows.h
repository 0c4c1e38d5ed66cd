#pragma once

namespace qel::app {
struct ProcessState;
class Prompter;
} // namespace qel::app

namespace qel::app::ui {
class FormLauncher;
}

namespace qel::annexes::ui {

// Registers every detail window of the annex catalogue with the form launcher.
void registerAnnexWindows(app::ui::FormLauncher& forms, app::ProcessState& state, app::Prompter& prompter);

} // namespace qel::annexes::ui
