#pragma once

#include "app/LauncherProbe.h"

namespace qel::app {

// The launcher search of a module that its launcher started before verifying the login (the
// launcher hands it one end of a connected pair of sockets, its descriptor in QEL_LAUNCHER_PIPE):
// it waits until the launcher writes that the login is verified, and then the launcher that
// started the module is known to run, its window still to come. When the launcher's end closes
// without that word (the launcher ended), it looks for a launcher's window as the plain search
// does. Without a pipe it is the plain search. Once the module's window is shown (or the module
// says why it will not be) it closes its end, and the launcher, which waits for that, loads its
// own window system.
class WaitingLauncherProbe : public LauncherProbe {
public:
    WaitingLauncherProbe(LauncherProbe& probe, int pipe) : m_probe(probe), m_pipe(pipe) {}
    ~WaitingLauncherProbe() override;
    WaitingLauncherProbe(const WaitingLauncherProbe&) = delete;
    WaitingLauncherProbe& operator=(const WaitingLauncherProbe&) = delete;

    // The pipe (or socket) the launcher handed over, taken out of the environment (the module's
    // own children get none); -1 when there is none.
    static int takePipeFromEnvironment();

    bool CorreApp(const QString& title) override;
    void startSettled() override;

private:
    void hangUp();

    LauncherProbe& m_probe;
    int m_pipe;
    bool m_verified = false; // the launcher that started the module said the login is verified
};

} // namespace qel::app
