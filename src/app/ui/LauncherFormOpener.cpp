#include "app/ui/LauncherFormOpener.h"

#include "app/ui/FormLauncher.h"

namespace qel::app::ui {

QString LauncherFormOpener::open(const FormRequest& request) {
    return m_forms.open(request);
}

bool LauncherFormOpener::knows(const QString& name) const {
    return m_forms.isRegistered(name);
}

void LauncherFormOpener::close(const QString& name) {
    m_forms.close(name);
}

} // namespace qel::app::ui
