#pragma once

#include "app/MainCommands.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace qel::app::ui {

// The pictures of the main window's toolbar and menus and the module's emblem of its
// dialogs, painted at run time.
class ToolbarIcons {
public:
    static QIcon icon(MainCommands::Command command);
    // A form sheet headed by the form code.
    static QPixmap emblem(const QString& formulario, int size);
};

} // namespace qel::app::ui
