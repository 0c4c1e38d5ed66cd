#include "management/ui/DeclarationForms.h"

#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/LauncherFormOpener.h"
#include "management/ui/OpenDeclarationForm.h"

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
}

} // namespace qel::management::ui
