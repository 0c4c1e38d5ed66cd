#include "launcher/ui/WhenExposed.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace qel::launcher {

WhenExposed::WhenExposed(QWidget& window, std::function<void()> action)
    : QObject(&window), m_window(window), m_action(std::move(action)) {
    QWindow* native = window.windowHandle();
    if (native != nullptr && native->isExposed()) {
        QTimer::singleShot(0, this, &WhenExposed::runOnce);
        return;
    }
    if (native != nullptr) {
        native->installEventFilter(this);
    }
    m_fallback.setSingleShot(true);
    m_fallback.setInterval(kLongestWaitMs);
    connect(&m_fallback, &QTimer::timeout, this, &WhenExposed::runOnce);
    m_fallback.start();
}

bool WhenExposed::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && m_window.windowHandle() == watched && m_window.windowHandle()->isExposed()) {
        // After the expose has been handled: the window is mapped and has painted.
        QTimer::singleShot(0, this, &WhenExposed::runOnce);
    }
    return QObject::eventFilter(watched, event);
}

void WhenExposed::runOnce() {
    if (m_done) {
        return;
    }
    m_done = true;
    m_fallback.stop();
    if (QWindow* native = m_window.windowHandle()) {
        native->removeEventFilter(this);
    }
    m_action();
    deleteLater();
}

} // namespace qel::launcher
