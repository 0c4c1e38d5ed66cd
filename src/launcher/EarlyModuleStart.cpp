#include "launcher/EarlyModuleStart.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qel::launcher {

EarlyModuleStart::EarlyModuleStart(const ModuleStarter& starter, const QString& formulario,
                                   const QString& workingFolder) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        return;
    }
    // Only the module inherits its end; the other stays the launcher's alone, so that the
    // connection closes when either program ends.
    ::fcntl(ends[0], F_SETFD, 0);
    qint64 pid = 0;
    const QString refused = starter.start(formulario, workingFolder,
                                          {QStringLiteral("%1=%2").arg(QLatin1String(kVariable)).arg(ends[0])}, &pid);
    ::close(ends[0]);
    if (!refused.isEmpty() || pid <= 0) {
        ::close(ends[1]);
        return;
    }
    m_pid = pid;
    m_launcherEnd = ends[1];
}

EarlyModuleStart::~EarlyModuleStart() {
    if (m_pid > 0) {
        ::kill(static_cast<pid_t>(m_pid), SIGTERM); // the launcher ends before its window: so does the module
    }
    if (m_launcherEnd >= 0) {
        ::close(m_launcherEnd);
    }
}

void EarlyModuleStart::loginVerified() {
    if (m_launcherEnd >= 0 && !m_said) {
        m_said = true;
        const char verified = '1';
        // A module that ended already must not end the launcher with a broken pipe.
        while (::send(m_launcherEnd, &verified, 1, MSG_NOSIGNAL) < 0 && errno == EINTR) {
        }
    }
}

void EarlyModuleStart::waitForModuleWindow(int ms) const {
    if (m_launcherEnd < 0 || !m_said) {
        return;
    }
    // The module writes nothing back: its end closing is the news.
    pollfd module{m_launcherEnd, POLLIN, 0};
    while (::poll(&module, 1, ms) < 0 && errno == EINTR) {
    }
}

} // namespace qel::launcher
