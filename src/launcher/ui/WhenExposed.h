#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QWidget;

namespace qel::launcher {

// Runs an action once, as soon as a shown window is exposed on the screen: its expose event,
// not a poll. The action runs from the event loop right after the event, so that the window
// paints first; when no expose comes within the wait (a display that never maps it), it runs
// then all the same. The watcher deletes itself afterwards.
class WhenExposed : public QObject {
    Q_OBJECT
public:
    static constexpr int kLongestWaitMs = 5000;

    // `window` must have been shown (it has its native window).
    WhenExposed(QWidget& window, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runOnce();

    QWidget& m_window;
    std::function<void()> m_action;
    QTimer m_fallback;
    bool m_done = false;
};

} // namespace qel::launcher
