#include "app/ui/MainWindowLoader.h"

#include "app/ui/BarradeEstadoQEL.h"
#include "app/ui/ExposeStamp.h"
#include "app/ui/MDIFrm.h"
#include "platform/X11LauncherProbe.h"

#include <QApplication>
#include <algorithm>

namespace qel::app::ui {

MainWindowLoader::MainWindowLoader(ProcessState& state, Prompter& prompter, FormLauncher& forms)
    : m_state(state), m_prompter(prompter), m_forms(forms) {}

MainWindowLoader::~MainWindowLoader() {
    while (m_busyDepth > 0) {
        setBusy(false);
    }
}

void MainWindowLoader::prepare() {
    if (!m_window) {
        m_window = std::make_unique<MDIFrm>(m_state, m_prompter, m_forms);
    }
}

void MainWindowLoader::showMainWindow() {
    prepare();
    m_window->place();
    // Centred over the launcher's window, where the user's eyes are.
    if (const std::optional<QRect> launcher = X11LauncherProbe().windowRect(Startup::kLauncherTitle)) {
        QRect frame = m_window->frameGeometry();
        frame.moveCenter(launcher->center());
        m_window->move(std::max(0, frame.left()), std::max(0, frame.top()));
    }
    m_window->show();
    ExposeStamp::watch(*m_window);
}

void MainWindowLoader::setBusy(bool busy) {
    if (m_window) {
        m_window->setBusy(busy);
    } else if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_busyDepth;
    } else if (m_busyDepth > 0) {
        QApplication::restoreOverrideCursor();
        --m_busyDepth;
    }
}

StatusDisplay* MainWindowLoader::statusDisplay() {
    return m_window ? m_window->statusDisplay() : nullptr;
}

} // namespace qel::app::ui
