#pragma once

#include <QString>
#include <optional>

namespace qel::app {

// The one way the core asks the user for a file or a folder: the windows answer with a file
// dialog, the batch mode with the paths its script queued. nullopt when the user cancels.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // An existing file to read. `filter` as Qt's file dialogs take it ("Texto (*.txt *.TXT)").
    virtual std::optional<QString> openFile(const QString& title, const QString& folder, const QString& filter) = 0;
    // A file to write, `suggested` being the proposed path.
    virtual std::optional<QString> saveFile(const QString& title, const QString& suggested, const QString& filter) = 0;
    // An existing folder.
    virtual std::optional<QString> folder(const QString& title, const QString& start) = 0;
    // The folder last chosen under this title (one title per kind of file), empty when none.
    virtual QString lastFolder(const QString& title) const {
        Q_UNUSED(title)
        return {};
    }
};

} // namespace qel::app
