#include "annexes/ui/TrialBalanceForms.h"

#include "annexes/ui/frmDetalleBalance.h"
#include "app/Clock.h"
#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "imports/ui/frmTransferencia.h"

#include <QDir>

namespace qel::annexes {

void registerTrialBalanceForms(app::ui::FormLauncher& forms, app::ProcessState& state, app::Prompter& prompter) {
    forms.registerForm(QStringLiteral("frmDetalleBalance"), [&state, &prompter](const app::FormRequest& request) {
        TrialBalanceTable table(state.database(), request.key.value_or(store::DeclarationKey{}), request.code);
        return std::unique_ptr<QDialog>(
            std::make_unique<frmDetalleBalance>(std::move(table), prompter, state.periodo, request.keyValues.value(0)));
    });
    forms.registerForm(QStringLiteral("frmTransferencia"), [&state, &prompter](const app::FormRequest& request) {
        static const app::SystemClock systemClock;
        const app::Clock& clock = state.clock != nullptr ? *state.clock : systemClock;
        imports::TrialBalanceTransfer::Setup setup{state.database(),
                                                   prompter,
                                                   clock,
                                                   request.key.value_or(store::DeclarationKey{}),
                                                   request.code,
                                                   state.reportFolder,
                                                   state.sysPath.isEmpty() ? QDir::homePath() : state.sysPath,
                                                   state.files};
        return std::unique_ptr<QDialog>(std::make_unique<imports::frmTransferencia>(std::move(setup)));
    });
}

} // namespace qel::annexes
