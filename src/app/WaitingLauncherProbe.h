#pragma once

#include "app/LauncherProbe.h"

namespace qel::app {

// The window search of a module that its launcher started before showing its own window (the
// launcher hands it the read end of a pipe, its descriptor in QEL_LAUNCHER_PIPE): the search
// waits until the launcher writes that its window is shown, or until the pipe closes because
// the launcher ended, and then looks as the plain search does. Without a pipe it is the plain
// search.
class WaitingLauncherProbe : public LauncherProbe {
public:
    WaitingLauncherProbe(LauncherProbe& probe, int pipe) : m_probe(probe), m_pipe(pipe) {}
    ~WaitingLauncherProbe() override;
    WaitingLauncherProbe(const WaitingLauncherProbe&) = delete;
    WaitingLauncherProbe& operator=(const WaitingLauncherProbe&) = delete;

    // The pipe the launcher handed over, taken out of the environment (the module's own
    // children get none); -1 when there is none.
    static int takePipeFromEnvironment();

    bool CorreApp(const QString& title) override;

private:
    LauncherProbe& m_probe;
    int m_pipe;
};

} // namespace qel::app
