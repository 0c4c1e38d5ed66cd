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
    hangUp();
}

void WaitingLauncherProbe::startSettled() {
    hangUp();
}

void WaitingLauncherProbe::hangUp() {
    if (m_pipe >= 0) {
        ::close(m_pipe);
        m_pipe = -1;
    }
}

int WaitingLauncherProbe::takePipeFromEnvironment() {
    bool ok = false;
    const int pipe = qEnvironmentVariableIntValue(kVariable, &ok);
    qunsetenv(kVariable);
    // Only an open pipe counts: a stray number must not make the module read another file.
    struct stat info {};
    if (!ok || pipe < 0 || ::fstat(pipe, &info) != 0 || !(S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode))) {
        return -1;
    }
    ::fcntl(pipe, F_SETFD, FD_CLOEXEC);
    return pipe;
}

bool WaitingLauncherProbe::CorreApp(const QString& title) {
    if (m_pipe >= 0 && !m_verified) {
        // One byte when the login is verified; nothing (the end of the connection) when the
        // launcher ended without it.
        char said = 0;
        ssize_t got = 0;
        while ((got = ::read(m_pipe, &said, 1)) < 0 && errno == EINTR) {
        }
        m_verified = got == 1 && said == '1';
        if (!m_verified) {
            hangUp(); // nobody waits on the other end
        }
    }
    return m_verified || m_probe.CorreApp(title);
}

} // namespace qel::app
