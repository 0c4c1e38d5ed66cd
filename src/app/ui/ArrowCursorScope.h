#pragma once

namespace qel::app::ui {

// While a modal window of a command is up the user works with the normal pointer, even though
// the command that opened it shows the hourglass; the hourglass comes back when it closes.
class ArrowCursorScope {
public:
    ArrowCursorScope();
    ~ArrowCursorScope();
    ArrowCursorScope(const ArrowCursorScope&) = delete;
    ArrowCursorScope& operator=(const ArrowCursorScope&) = delete;

private:
    bool m_pushed = false;
};

} // namespace qel::app::ui
