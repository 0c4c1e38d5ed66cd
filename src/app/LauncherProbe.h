#pragma once

#include <QString>

namespace qel::app {

// The window search of the module (the cWindows class of the system): whether the launcher's
// main window is open. Behind an interface so that each desktop platform brings its own.
class LauncherProbe {
public:
    virtual ~LauncherProbe() = default;
    // True when a visible top-level window has exactly this title, letter case included.
    virtual bool CorreApp(const QString& title) = 0;
    // The module's main window is on the screen, or the module says why it will not show it: a
    // launcher that waits for either goes on.
    virtual void startSettled() {}
};

} // namespace qel::app
