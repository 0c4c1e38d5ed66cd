#pragma once

#include "printing/PageRange.h"

#include <QDialog>
#include <optional>

class QLineEdit;

namespace qel::app {
class Prompter;
}

namespace qel::printing {

// frmImpxPag: the pages to print (or to save as PDF), from and to, with the report's count.
class frmImpxPag : public QDialog {
    Q_OBJECT

public:
    enum class Action { None, Print, Pdf };

    frmImpxPag(int totalPages, app::Prompter& prompter, QWidget* parent = nullptr);

    // The checked range and what to do with it, once the window closed by a button.
    const std::optional<PageRange>& range() const { return m_range; }
    Action action() const { return m_action; }

    // The buttons, as a script presses them.
    void setPages(const QString& from, const QString& to);
    using QDialog::accept;
    bool accept(Action action);

private:
    int m_total;
    app::Prompter& m_prompter;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    std::optional<PageRange> m_range;
    Action m_action = Action::None;
};

} // namespace qel::printing
