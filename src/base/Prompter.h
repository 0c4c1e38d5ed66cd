#pragma once

#include <QFlags>
#include <QString>

namespace qel::app {

// Icons of the system's message boxes.
enum class Icon { None, Critical, Exclamation, Information, Question };

// Buttons of a question; the answer is one of them.
enum class Button { Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };
Q_DECLARE_FLAGS(Buttons, Button)
Q_DECLARE_OPERATORS_FOR_FLAGS(Buttons)

QString iconName(Icon icon);          // "critical", "exclamation", ...
QString buttonCaption(Button button); // "Aceptar", "Si", "No", "Cancelar"

// Every message box and question of the system goes through one Prompter.
// Windows use a message-box prompter, tests a scripted one, the batch mode a printing one.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void message(const QString& text, const QString& title, Icon icon) = 0;
    virtual Button ask(const QString& text, const QString& title, Buttons buttons, Button defaultButton, Icon icon) = 0;

    // Common shapes of the system's questions.
    bool askYesNo(const QString& text, const QString& title, Button defaultButton = Button::No,
                  Icon icon = Icon::Question) {
        return ask(text, title, Button::Yes | Button::No, defaultButton, icon) == Button::Yes;
    }
};

} // namespace qel::app
