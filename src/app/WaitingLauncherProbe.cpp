#include "app/WaitingLauncherProbe.h"

#include <QByteArray>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qel::app {

namespace {

const char* const kVariable = "QEL_LAUNCHER_PIPE";

} // namespace

WaitingLauncherProbe::~WaitingLauncherProbe() {
    if (m_pipe >= 0) {
        ::close(m_pipe);
    }
}

int WaitingLauncherProbe::takePipeFromEnvironment() {
    bool ok = false;
    const int pipe = qEnvironmentVariableIntValue(kVariable, &ok);
    qunsetenv(kVariable);
    // Only an open pipe counts: a stray number must not make the module read another file.
    struct stat info {};
    if (!ok || pipe < 0 || ::fstat(pipe, &info) != 0 || !S_ISFIFO(info.st_mode)) {
        return -1;
    }
    ::fcntl(pipe, F_SETFD, FD_CLOEXEC);
    return pipe;
}

bool WaitingLauncherProbe::CorreApp(const QString& title) {
    if (m_pipe >= 0) {
        // One byte when the launcher's window is shown; nothing (the end of the pipe) when the
        // launcher ended without it.
        char shown = 0;
        while (::read(m_pipe, &shown, 1) < 0 && errno == EINTR) {
        }
        ::close(m_pipe);
        m_pipe = -1;
    }
    return m_probe.CorreApp(title);
}

} // namespace qel::app
