#pragma once

#include "app/ui/FormResult.h"
#include "printing/PageRangeModel.h"

#include <QDialog>
#include <memory>
#include <optional>

class QLineEdit;

namespace qel::printing {

// frmImpxPag: the pages to print (or to save as PDF), from and to, with the report's count.
class frmImpxPag : public QDialog, public app::ui::FormResult {
    Q_OBJECT

public:
    enum class Action { None, Print, Pdf };

    frmImpxPag(int totalPages, app::Prompter& prompter, QWidget* parent = nullptr);
    explicit frmImpxPag(std::unique_ptr<PageRangeModel> model, QWidget* parent = nullptr);

    // The checked range and what to do with it, once the window closed by a button.
    const std::optional<PageRange>& range() const { return m_range; }
    Action action() const { return m_action; }
    // "FIRST-LAST I" to print, "FIRST-LAST P" to save as PDF, empty when cancelled.
    QString resultText() const override { return m_model->result(); }

    // The buttons, as a script presses them.
    void setPages(const QString& from, const QString& to);
    using QDialog::accept;
    bool accept(Action action);

private:
    std::unique_ptr<PageRangeModel> m_model;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    std::optional<PageRange> m_range;
    Action m_action = Action::None;
};

} // namespace qel::printing
