#include "management/ui/OpenDeclarationForm.h"

#include "app/ProcessState.h"
#include "declaration/ui/Frm537.h"
#include "management/DeclarationFormSession.h"

#include <QApplication>
#include <QCursor>

namespace qel::management::ui {

std::unique_ptr<QDialog> createDeclarationForm(app::ProcessState& state, app::FormOpener& opener, int mode,
                                               const QVariantList& arguments, QWidget* parent) {
    declaration::FormContext context{state.database(), *state.prompter, *state.clock,
                                     *state.utility,   opener,          state.periodo,
                                     state.formulario, state.sysUser,   app::UserKind(state.database(), state.sysUser),
                                     state.files};
    auto session =
        std::make_unique<DeclarationFormSession>(context, DeclarationFormArguments::fromList(mode, arguments));
    session->model().moduleFolder = state.moduleFolder();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = session->load();
    QApplication::restoreOverrideCursor();
    if (!opened) {
        return nullptr; // the user was told why; the declaration stays with whoever holds it
    }
    auto window = std::make_unique<declaration::Frm537>(session->model(), parent);
    window->attach(session->explanations(), session->history());
    // The model and its rules live as long as the window: they go once its widgets are gone,
    // and with them the declaration's lock.
    QObject::connect(window.get(), &QObject::destroyed, [held = session.release()] { delete held; });
    return window;
}

} // namespace qel::management::ui
