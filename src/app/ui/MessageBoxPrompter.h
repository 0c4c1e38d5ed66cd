#pragma once

#include "base/Prompter.h"

#include <QPointer>
#include <QWidget>

namespace qel::app::ui {

// The prompter of the windows: a modal message box with the system's Spanish button captions
// ("Si", "No", "Cancelar", "Aceptar"), the given title and icon. It sits over the active window
// (or the given parent) and shows the normal pointer even while a command shows the hourglass.
class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

    void message(const QString& text, const QString& title, Icon icon) override;
    Button ask(const QString& text, const QString& title, Buttons buttons, Button defaultButton, Icon icon) override;

private:
    Button show(const QString& text, const QString& title, Buttons buttons, Button defaultButton, Icon icon);

    QPointer<QWidget> m_parent;
};

} // namespace qel::app::ui
