#include "app/ui/MainWindowLoader.h"

#include "app/ui/BarradeEstadoQEL.h"
#include "app/ui/ExposeStamp.h"
#include "app/ui/MDIFrm.h"
#include "platform/X11LauncherProbe.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace qel::app::ui {

namespace {

// Ends a wait when the window it watches is exposed, once the expose has been handled (the
// window has painted).
class ExposeEnd : public QObject {
public:
    explicit ExposeEnd(QEventLoop& loop) : m_loop(loop) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            QTimer::singleShot(0, &m_loop, &QEventLoop::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& m_loop;
};

} // namespace

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
        // Its native window and its polish too, so that showing it is little more than mapping it.
        m_window->ensurePolished();
        m_window->winId();
    }
}

void MainWindowLoader::prepareAheadOfLauncher() {
    m_centreOnLauncher = false;
    prepare();
}

void MainWindowLoader::showMainWindow() {
    prepare();
    m_window->place();
    // Centred over the launcher's window, where the user's eyes are.
    if (const std::optional<QRect> launcher =
            m_centreOnLauncher ? X11LauncherProbe().windowRect(Startup::kLauncherTitle) : std::nullopt) {
        QRect frame = m_window->frameGeometry();
        frame.moveCenter(launcher->center());
        m_window->move(std::max(0, frame.left()), std::max(0, frame.top()));
    }
    m_window->show();
    ExposeStamp::watch(*m_window);
    waitUntilExposed();
    // Its picture, painted once the window is on the screen: the window system takes it a moment
    // later, and the window comes up without waiting for the fonts the picture draws with.
    m_window->paintEmblem();
}

// The database is opened after the window is on the screen, not before: the user sees the
// module at once, with the hourglass while it connects. Only the window system's events are
// handled meanwhile (nothing the user does reaches a window without its database), and a
// display that never maps the window costs at most the wait.
void MainWindowLoader::waitUntilExposed() {
    QWindow* native = m_window->windowHandle();
    if (native == nullptr || native->isExposed()) {
        return;
    }
    QEventLoop loop;
    ExposeEnd end(loop);
    native->installEventFilter(&end);
    QTimer::singleShot(kLongestExposeWaitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    native->removeEventFilter(&end);
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
