#pragma once

#include "app/ui/FormResult.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QPushButton;
class QTableView;

namespace qel::annexes {

class CasillaListModel;

// A list window of a casilla (frmListDetDonaciones, frmLstDetFuenteExt, ...): the grid
// grdDetalleCasilla, the total and cmdAccion(0..3). It mirrors its model and forwards clicks.
class CasillaListWindow : public QDialog, public app::ui::FormResult {
    Q_OBJECT
public:
    explicit CasillaListWindow(std::unique_ptr<CasillaListModel> model, QWidget* parent = nullptr);
    ~CasillaListWindow() override;

    QString resultText() const override;
    CasillaListModel& model() { return *m_model; }
    QTableView* grid() const { return m_grid; }
    QPushButton* button(int index) const;

protected:
    void reject() override; // Escape and the title bar's close leave as "&Salir" does

private:
    void clicked(int index);
    void refresh();

    std::unique_ptr<CasillaListModel> m_model;
    QTableView* m_grid = nullptr;
    QLineEdit* m_total = nullptr;
    QList<QPushButton*> m_buttons;
};

} // namespace qel::annexes
