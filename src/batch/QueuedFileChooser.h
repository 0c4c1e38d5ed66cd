#pragma once

#include "app/FileChooser.h"

#include <QStringList>
#include <QTextStream>

namespace qel::batch {

// The file chooser of the batch mode: answers each request with the next path the script
// queued with `file PATH` and prints
//   file "TITLE" -> PATH
// or "-> Cancelar" when nothing is queued, as a user who closes the dialog.
class QueuedFileChooser : public app::FileChooser {
public:
    explicit QueuedFileChooser(QTextStream& out) : m_out(out) {}

    void queue(const QString& path) { m_paths.append(path); }

    std::optional<QString> openFile(const QString& title, const QString& folder, const QString& filter) override;
    std::optional<QString> saveFile(const QString& title, const QString& suggested, const QString& filter) override;
    std::optional<QString> folder(const QString& title, const QString& start) override;

private:
    std::optional<QString> next(const QString& title);

    QTextStream& m_out;
    QStringList m_paths;
};

} // namespace qel::batch
