#include "declaration/ui/GuardedLineEdit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace qel::declaration {

GuardedLineEdit::GuardedLineEdit(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(false);
}

void GuardedLineEdit::setFocusHandlers(std::function<void(Qt::FocusReason)> in, std::function<void()> out) {
    m_onFocusIn = std::move(in);
    m_onFocusOut = std::move(out);
}

void GuardedLineEdit::clearClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear(QClipboard::Clipboard);
    if (clipboard->supportsSelection()) {
        clipboard->clear(QClipboard::Selection);
    }
}

bool GuardedLineEdit::isPasteKey(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Paste)) {
        return true;
    }
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Insert && mods == Qt::ShiftModifier) ||
           (event.key() == Qt::Key_V && (mods & Qt::ControlModifier));
}

void GuardedLineEdit::keyPressEvent(QKeyEvent* event) {
    if (isPasteKey(*event) || event->key() == Qt::Key_Menu) {
        clearClipboard();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (!m_onEnter || m_onEnter()) {
            emit enterPressed();
        }
        return;
    }
    const QString typed = event->text();
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (m_filter && !isReadOnly() && !shortcut && typed.size() == 1 && typed.at(0).isPrint()) {
        const QChar kept = m_filter(typed.at(0));
        if (kept.isNull()) {
            event->accept();
            return;
        }
        if (kept != typed.at(0)) {
            QKeyEvent converted(event->type(), event->key(), event->modifiers(), QString(kept), event->isAutoRepeat(),
                                static_cast<quint16>(event->count()));
            QLineEdit::keyPressEvent(&converted);
            event->setAccepted(converted.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void GuardedLineEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        clearClipboard();
    }
    if (event->button() == Qt::MiddleButton) {
        event->accept(); // the middle button pastes the selection on X11
        return;
    }
    QLineEdit::mousePressEvent(event);
    // A click into the empty part of a masked box (a date) puts the cursor at its first empty
    // place, so that the digits typed next fill the mask from there.
    if (event->button() == Qt::LeftButton && !inputMask().isEmpty() && !hasSelectedText()) {
        const qsizetype firstEmpty = displayText().indexOf(QLatin1Char('_'));
        if (firstEmpty >= 0 && cursorPosition() > firstEmpty) {
            setCursorPosition(static_cast<int>(firstEmpty));
        }
    }
}

void GuardedLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && m_onClick) {
        m_onClick();
    }
}

void GuardedLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // A message box or a popup takes the focus for a while; the box keeps it as far as the
    // form is concerned, so neither the leaving nor the coming back is passed on.
    if (!m_inside) {
        m_inside = true;
        if (m_onFocusIn) {
            m_onFocusIn(event->reason());
        }
    }
}

void GuardedLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        return;
    }
    if (m_inside) {
        m_inside = false;
        if (m_onFocusOut) {
            m_onFocusOut();
        }
    }
}

void GuardedLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    clearClipboard();
    QLineEdit::contextMenuEvent(event);
}

void GuardedLineEdit::dropEvent(QDropEvent* event) {
    event->ignore();
}

void GuardedLineEdit::enterEvent(QEnterEvent* event) {
    if (m_onPointer) {
        m_onPointer();
    }
    QLineEdit::enterEvent(event);
}

} // namespace qel::declaration
