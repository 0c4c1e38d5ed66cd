#pragma once

namespace qel::app {
class Prompter;
struct ProcessState;
namespace ui {
class FormLauncher;
}
} // namespace qel::app

namespace qel::annexes {

// Registers the detail window of an account (frmDetalleBalance: the account as the first key
// value, the chart as the code) and the transfer window (frmTransferencia: the chart as the
// code).
void registerTrialBalanceForms(app::ui::FormLauncher& forms, app::ProcessState& state, app::Prompter& prompter);

} // namespace qel::annexes
