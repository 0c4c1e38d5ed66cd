#include "management/ui/SentDeclarationForms.h"

#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "management/VersionRecovery.h"
#include "management/ui/FrmContAbrirEnv.h"

#include <memory>

namespace qel::management::ui {

void registerSentDeclarationForms(app::ui::FormLauncher& forms, app::ProcessState& state) {
    forms.registerForm(QStringLiteral("FrmContAbrirEnv"), [&state, &forms](const app::FormRequest& request) {
        SentDeclarationList::Context context{
            state.database(), *state.prompter,  state.status,
            state.periodo,    state.formulario, app::UserKind(state.database(), state.sysUser),
            state.sysUser,    state.listMode,   state.recovering};
        auto window = std::make_unique<FrmContAbrirEnv>(context, qobject_cast<QWidget*>(request.parent.data()));
        FrmContAbrirEnv* list = window.get();
        // Register and view: the declaration form on the version, over the list.
        list->list().setFormOpener([&forms, list, &state](int mode, const QVariantList& arguments) {
            app::FormRequest form;
            form.name = QStringLiteral("Frm537");
            form.key = store::DeclarationKey{arguments.value(0).toString(), state.periodo, state.formulario};
            form.action = mode == 1 ? app::FormRequest::kModify : app::FormRequest::kAdd;
            for (const QVariant& value : arguments) {
                form.keyValues.append(value.toString());
            }
            form.parent = list;
            forms.open(form);
        });
        // Recover: the recovery window on the version, over the list.
        list->list().setRecoveryOpener([&forms, list](const SentVersionRow& version) {
            app::FormRequest recovery;
            recovery.name = VersionRecovery::kWindowName;
            recovery.keyValues = VersionRecovery::keyValuesOf(version);
            recovery.parent = list;
            forms.open(recovery);
        });
        return std::unique_ptr<QDialog>(std::move(window));
    });
}

} // namespace qel::management::ui
