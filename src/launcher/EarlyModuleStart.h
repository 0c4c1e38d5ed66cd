#pragma once

#include "launcher/ModuleStarter.h"

#include <QString>

namespace qel::launcher {

// A module started while the launcher is still starting, so that the two programs start side by
// side instead of one after the other. The module holds the read end of a pipe (its descriptor
// in kVariable) and shows its window only once the launcher writes that the login is verified;
// until then it has shown nothing and written nothing. A launcher that ends without verifying
// the login and showing its window (a refused password, a database it cannot open) ends the
// module first; one that dies closes the pipe, and the module, left to look for a launcher's
// window, finds none.
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
    // The launcher's window is shown: from now on the module is the user's to close.
    void release() { m_pid = 0; }

private:
    qint64 m_pid = 0;
    int m_writeEnd = -1;
};

} // namespace qel::launcher
