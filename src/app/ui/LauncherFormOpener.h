#pragma once

#include "app/FormOpener.h"

namespace qel::app::ui {

class FormLauncher;

// The form launcher as the presentation models see it: the windows they ask for open through
// the main window's launcher.
class LauncherFormOpener : public FormOpener {
public:
    explicit LauncherFormOpener(FormLauncher& forms) : m_forms(forms) {}
    QString open(const FormRequest& request) override;
    bool knows(const QString& name) const override;
    void close(const QString& name) override;

private:
    FormLauncher& m_forms;
};

} // namespace qel::app::ui
