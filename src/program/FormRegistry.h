#pragma once

namespace qel::app {
class Prompter;
struct ProcessState;
} // namespace qel::app

namespace qel::app::ui {

class FormLauncher;

// Registers every window of the module that opens by name. Each window adds its line here.
void registerModuleForms(FormLauncher& forms, ProcessState& state, Prompter& prompter);

} // namespace qel::app::ui
