#pragma once

#include "app/ui/FormResult.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace qel::annexes {

class MonthAssistantModel;

// The window of a month-by-month assistant (FrmAnexo126, FrmAnexo128, FrmAnexo130,
// FrmAnexo131): the grid of the sixteen months, the totals, and the save, import and close
// commands. Everything it shows comes from the model; it only forwards what the user does.
class MonthAssistantWindow : public QDialog, public app::ui::FormResult {
    Q_OBJECT
public:
    static const QString kGrid; // "grdAsistente"

    MonthAssistantWindow(std::unique_ptr<MonthAssistantModel> model, const QString& name, QWidget* parent = nullptr);
    // Named as its kind's window.
    explicit MonthAssistantWindow(std::unique_ptr<MonthAssistantModel> model, QWidget* parent = nullptr);
    ~MonthAssistantWindow() override;

    QString resultText() const override;
    MonthAssistantModel& model() { return *m_model; }
    QTableWidget* grid() const { return m_grid; }
    // The grid column of an amount column (the month labels come first).
    static int gridColumn(int amountColumn) { return amountColumn + 1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void refresh();
    void moveToNextCell();
    void save();

    std::unique_ptr<MonthAssistantModel> m_model;
    QTableWidget* m_grid = nullptr;
    QLabel* m_totalLabel = nullptr;
    QLineEdit* m_total = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_import = nullptr;
    bool m_refreshing = false;
};

} // namespace qel::annexes
