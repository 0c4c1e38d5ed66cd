#include "base/Prompter.h"

namespace qel::app {

QString iconName(Icon icon) {
    switch (icon) {
    case Icon::Critical:
        return QStringLiteral("critical");
    case Icon::Exclamation:
        return QStringLiteral("exclamation");
    case Icon::Information:
        return QStringLiteral("information");
    case Icon::Question:
        return QStringLiteral("question");
    case Icon::None:
        break;
    }
    return QStringLiteral("none");
}

QString buttonCaption(Button button) {
    switch (button) {
    case Button::Ok:
        return QStringLiteral("Aceptar");
    case Button::Yes:
        return QStringLiteral("Si");
    case Button::No:
        return QStringLiteral("No");
    case Button::Cancel:
        return QStringLiteral("Cancelar");
    }
    return {};
}

} // namespace qel::app
