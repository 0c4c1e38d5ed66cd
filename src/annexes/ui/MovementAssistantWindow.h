#pragma once

#include "app/ui/FormResult.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QTableWidget;

namespace qel::annexes {

class MovementAssistantModel;

// The window of a movement assistant (FrmAnexo317A, FrmAnexo328B): the nine asset lines with
// their columns and a totals row, the total of the closing balances, and the import, save and
// close commands. It shows the model and forwards what the user types.
class MovementAssistantWindow : public QDialog, public app::ui::FormResult {
    Q_OBJECT
public:
    explicit MovementAssistantWindow(std::unique_ptr<MovementAssistantModel> model, QWidget* parent = nullptr);
    ~MovementAssistantWindow() override;

    QString resultText() const override;
    MovementAssistantModel& model() { return *m_model; }
    QTableWidget* grid() const { return m_grid; }

private:
    void build();
    void refresh();
    void save();

    std::unique_ptr<MovementAssistantModel> m_model;
    QTableWidget* m_grid = nullptr;
    QLineEdit* m_total = nullptr;
    bool m_refreshing = false;
};

} // namespace qel::annexes
