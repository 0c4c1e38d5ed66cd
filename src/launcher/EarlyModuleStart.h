#pragma once

#include "launcher/ModuleStarter.h"

#include <QString>

namespace qel::launcher {

// A module started while the launcher is still starting, so that the two programs start side by
// side instead of one after the other. The module holds one end of a connected pair of sockets
// (its descriptor in kVariable) and shows its window only once the launcher writes that the
// login is verified; until then it has shown nothing and written nothing. It closes its end once
// its window is shown, and the launcher waits for that before it loads its own window system. A
// launcher that ends without verifying the login and showing its window (a refused password, a
// database it cannot open) ends the module first; one that dies closes its end, and the module,
// left to look for a launcher's window, finds none.
class EarlyModuleStart {
public:
    static constexpr const char* kVariable = "QEL_LAUNCHER_PIPE";

    EarlyModuleStart(const ModuleStarter& starter, const QString& formulario, const QString& workingFolder);
    ~EarlyModuleStart();
    EarlyModuleStart(const EarlyModuleStart&) = delete;
    EarlyModuleStart& operator=(const EarlyModuleStart&) = delete;

    // Whether the module runs and is still the launcher's (else the launcher starts it as usual
    // once its window is shown).
    bool started() const { return m_pid > 0; }
    // The login is verified and the user's configuration written: the module shows its window.
    // Said once; saying it again does nothing.
    void loginVerified();
    // Waits, at most `ms`, until the module's window is shown (or the module ended).
    void waitForModuleWindow(int ms) const;
    // The launcher's window is shown: from now on the module is the user's to close.
    void release() { m_pid = 0; }

private:
    qint64 m_pid = 0;
    int m_launcherEnd = -1;
    bool m_said = false;
};

} // namespace qel::launcher
