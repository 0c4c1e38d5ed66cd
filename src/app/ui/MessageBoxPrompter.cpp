#include "app/ui/MessageBoxPrompter.h"

#include "app/ui/ArrowCursorScope.h"

#include <QApplication>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

namespace qel::app::ui {

namespace {

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole roleOf(Button button) {
    switch (button) {
    case Button::Ok:
        return QMessageBox::AcceptRole;
    case Button::Yes:
        return QMessageBox::YesRole;
    case Button::No:
        return QMessageBox::NoRole;
    case Button::Cancel:
        return QMessageBox::RejectRole;
    }
    return QMessageBox::AcceptRole;
}

// The window the box belongs to: the modal window on top, else the active one, else the
// module's main window.
QWidget* ownerWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->inherits("QMainWindow")) {
            return window;
        }
    }
    return nullptr;
}

} // namespace

void MessageBoxPrompter::message(const QString& text, const QString& title, Icon icon) {
    show(text, title, Button::Ok, Button::Ok, icon);
}

Button MessageBoxPrompter::ask(const QString& text, const QString& title, Buttons buttons, Button defaultButton,
                               Icon icon) {
    return show(text, title, buttons, defaultButton, icon);
}

Button MessageBoxPrompter::show(const QString& text, const QString& title, Buttons buttons, Button defaultButton,
                                Icon icon) {
    QWidget* parent = m_parent ? m_parent.data() : ownerWindow();
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(boxIcon(icon));
    if (buttons == Buttons()) {
        buttons = Button::Ok;
    }
    QHash<QAbstractButton*, Button> answers;
    QAbstractButton* cancel = nullptr;
    // The system's order: Si, No, Aceptar, Cancelar.
    for (const Button button : {Button::Yes, Button::No, Button::Ok, Button::Cancel}) {
        if (!buttons.testFlag(button)) {
            continue;
        }
        QPushButton* pushButton = box.addButton(buttonCaption(button), roleOf(button));
        answers.insert(pushButton, button);
        if (button == defaultButton) {
            box.setDefaultButton(pushButton);
        }
        if (button == Button::Cancel || (button == Button::Ok && !buttons.testFlag(Button::Cancel))) {
            cancel = pushButton;
        }
    }
    if (cancel != nullptr) {
        box.setEscapeButton(cancel);
    }
    const ArrowCursorScope arrow;
    box.exec();
    return answers.value(box.clickedButton(), cancel != nullptr ? answers.value(cancel) : defaultButton);
}

} // namespace qel::app::ui
