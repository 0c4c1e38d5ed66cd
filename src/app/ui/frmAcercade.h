#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmAcercade;
}

namespace qel::app {
struct ProcessState;
}

namespace qel::app::ui {

// The about box: the module's version, its year and form, and the date of its last update.
class frmAcercade : public QDialog {
    Q_OBJECT

public:
    explicit frmAcercade(const ProcessState& state, QWidget* parent = nullptr);
    ~frmAcercade() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::frmAcercade> m_ui;
};

} // namespace qel::app::ui
