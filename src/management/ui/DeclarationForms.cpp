#include "management/ui/DeclarationForms.h"

#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/LauncherFormOpener.h"
#include "management/DeclarationList.h"
#include "management/ui/FrmContAbrir.h"
#include "management/ui/OpenDeclarationForm.h"
#include "management/ui/SentDeclarationForms.h"

#include <memory>

namespace qel::management::ui {

void registerDeclarationForms(app::ui::FormLauncher& forms, app::ProcessState& state) {
    auto formOpener = std::make_shared<app::ui::LauncherFormOpener>(forms);

    forms.registerForm(QStringLiteral("Frm537"), [&state, formOpener](const app::FormRequest& request) {
        QVariantList arguments;
        for (const QString& value : request.keyValues) {
            arguments.append(value);
        }
        const int mode = request.action == app::FormRequest::kModify ? 1 : 0;
        return createDeclarationForm(state, *formOpener, mode, arguments,
                                     qobject_cast<QWidget*>(request.parent.data()));
    });

    forms.registerForm(QStringLiteral("FrmContAbrir"), [&state, &forms](const app::FormRequest& request) {
        const int operation = request.code == QStringLiteral("3") ? DeclarationList::Delete : DeclarationList::Modify;
        DeclarationList::Context context{state.database(), *state.prompter,
                                         state.status,     state.periodo,
                                         state.formulario, app::UserKind(state.database(), state.sysUser),
                                         state.sysUser};
        auto window = std::make_unique<FrmContAbrir>(context, operation, DeclarationList::FormOpener{},
                                                     qobject_cast<QWidget*>(request.parent.data()));
        QWidget* list = window.get();
        // Modify: the declaration form on the selected declaration, over the list.
        window->list().setFormOpener([&forms, list, &state](int mode, const QVariantList& arguments) {
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
        return std::unique_ptr<QDialog>(std::move(window));
    });

    registerSentDeclarationForms(forms, state);
}

} // namespace qel::management::ui
