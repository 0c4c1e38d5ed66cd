#pragma once

#include "app/FileChooser.h"

#include <QHash>

class QWidget;

namespace qel::app::ui {

// The file chooser of the windows: Qt's file dialogs over the active window. It remembers, for
// the rest of the session, the folder chosen under each title, so that a window of the same
// kind of file opens on it again.
class DialogFileChooser : public FileChooser {
public:
    std::optional<QString> openFile(const QString& title, const QString& folder, const QString& filter) override;
    std::optional<QString> saveFile(const QString& title, const QString& suggested, const QString& filter) override;
    std::optional<QString> folder(const QString& title, const QString& start) override;
    QString lastFolder(const QString& title) const override { return m_folders.value(title); }

private:
    QHash<QString, QString> m_folders;
};

} // namespace qel::app::ui
