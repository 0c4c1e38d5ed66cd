#pragma once

#include <QIcon>

namespace qel::launcher {

// The launcher's own icons, painted at run time so that no image file has to ship.
class LauncherIcons {
public:
    static QIcon application();
    static QIcon newTaxpayer();
    static QIcon modify();
    static QIcon startModule();
    static QIcon send();
    static QIcon exit();
    static QIcon user();
    static QIcon folder();
};

} // namespace qel::launcher
