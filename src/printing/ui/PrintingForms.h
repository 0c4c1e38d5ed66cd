#pragma once

namespace qel::app {
class Prompter;
struct ProcessState;
namespace ui {
class FormLauncher;
}
} // namespace qel::app

namespace qel::printing {

// FrmTipPrnR by name: the registered or the sent declarations (the print-sent flag of the
// process state decides), whose print opens frmPreview on the report; and frmPreview by name,
// on the report file another window wrote.
void registerPrintingForms(app::ui::FormLauncher& forms, app::ProcessState& state, app::Prompter& prompter);

} // namespace qel::printing
