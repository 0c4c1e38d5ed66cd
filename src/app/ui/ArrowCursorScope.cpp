#include "app/ui/ArrowCursorScope.h"

#include <QApplication>

namespace qel::app::ui {

ArrowCursorScope::ArrowCursorScope() {
    if (QApplication::overrideCursor() != nullptr) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        m_pushed = true;
    }
}

ArrowCursorScope::~ArrowCursorScope() {
    if (m_pushed) {
        QApplication::restoreOverrideCursor();
    }
}

} // namespace qel::app::ui
