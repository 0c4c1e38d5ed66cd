#include "batch/QueuedFileChooser.h"

#include "batch/BatchPrompter.h"

namespace qel::batch {

std::optional<QString> QueuedFileChooser::next(const QString& title) {
    m_out << "file \"" << BatchPrompter::oneLine(title) << "\" -> ";
    if (m_paths.isEmpty()) {
        m_out << "Cancelar\n";
        m_out.flush();
        return std::nullopt;
    }
    const QString path = m_paths.takeFirst();
    m_out << path << '\n';
    m_out.flush();
    return path;
}

std::optional<QString> QueuedFileChooser::openFile(const QString& title, const QString& folder, const QString& filter) {
    Q_UNUSED(folder)
    Q_UNUSED(filter)
    return next(title);
}

std::optional<QString> QueuedFileChooser::saveFile(const QString& title, const QString& suggested,
                                                   const QString& filter) {
    Q_UNUSED(suggested)
    Q_UNUSED(filter)
    return next(title);
}

std::optional<QString> QueuedFileChooser::folder(const QString& title, const QString& start) {
    Q_UNUSED(start)
    return next(title);
}

} // namespace qel::batch
