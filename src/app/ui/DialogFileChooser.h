#pragma once

#include "app/FileChooser.h"

class QWidget;

namespace qel::app::ui {

// The file chooser of the windows: Qt's file dialogs over the active window.
class DialogFileChooser : public FileChooser {
public:
    std::optional<QString> openFile(const QString& title, const QString& folder, const QString& filter) override;
    std::optional<QString> saveFile(const QString& title, const QString& suggested, const QString& filter) override;
    std::optional<QString> folder(const QString& title, const QString& start) override;
};

} // namespace qel::app::ui
