#pragma once

#include "app/FormOpener.h"

namespace qel::app::ui {
class FormLauncher;
}

namespace qel::management::ui {

// The form launcher as the presentation models see it: the windows they ask for open through
// the main window's launcher.
class LauncherFormOpener : public app::FormOpener {
public:
    explicit LauncherFormOpener(app::ui::FormLauncher& forms) : m_forms(forms) {}
    QString open(const app::FormRequest& request) override;
    bool knows(const QString& name) const override;

private:
    app::ui::FormLauncher& m_forms;
};

} // namespace qel::management::ui
