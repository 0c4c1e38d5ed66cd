#include "launcher/EarlyModuleStart.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace qel::launcher {

EarlyModuleStart::EarlyModuleStart(const ModuleStarter& starter, const QString& formulario,
                                   const QString& workingFolder) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return;
    }
    // Only the module inherits the read end; the write end stays the launcher's alone, so that
    // the pipe closes when the launcher ends.
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
    m_writeEnd = ends[1];
}

EarlyModuleStart::~EarlyModuleStart() {
    if (m_pid > 0) {
        ::kill(static_cast<pid_t>(m_pid), SIGTERM); // the launcher ends before its window: so does the module
    }
    if (m_writeEnd >= 0) {
        ::close(m_writeEnd);
    }
}

void EarlyModuleStart::loginVerified() {
    if (m_writeEnd >= 0) {
        const char verified = '1';
        while (::write(m_writeEnd, &verified, 1) < 0 && errno == EINTR) {
        }
        ::close(m_writeEnd);
        m_writeEnd = -1;
    }
}

} // namespace qel::launcher
