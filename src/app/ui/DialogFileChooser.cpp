#include "app/ui/DialogFileChooser.h"

#include <QApplication>
#include <QFileDialog>

namespace qel::app::ui {

namespace {

std::optional<QString> chosen(const QString& path) {
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

} // namespace

std::optional<QString> DialogFileChooser::openFile(const QString& title, const QString& folder, const QString& filter) {
    return chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter));
}

std::optional<QString> DialogFileChooser::saveFile(const QString& title, const QString& suggested,
                                                   const QString& filter) {
    return chosen(QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggested, filter));
}

std::optional<QString> DialogFileChooser::folder(const QString& title, const QString& start) {
    const std::optional<QString> result = chosen(QFileDialog::getExistingDirectory(
        QApplication::activeWindow(), title, start.isEmpty() ? m_folders.value(title) : start));
    if (result) {
        m_folders.insert(title, *result);
    }
    return result;
}

} // namespace qel::app::ui
