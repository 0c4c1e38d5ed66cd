#include "management/ui/LauncherFormOpener.h"

#include "app/ui/FormLauncher.h"

namespace qel::management::ui {

QString LauncherFormOpener::open(const app::FormRequest& request) {
    return m_forms.open(request);
}

bool LauncherFormOpener::knows(const QString& name) const {
    return m_forms.isRegistered(name) || m_forms.isPlanned(name);
}

} // namespace qel::management::ui
