#pragma once

#include "app/ui/FormResult.h"

#include <QDialog>
#include <QMap>
#include <memory>

class QLineEdit;

namespace qel::annexes {

class PriorBalanceModel;

// frmSaldoFavorEjercAnt: the three parts of casilla 127 and what is left of them.
class PriorBalanceWindow : public QDialog, public app::ui::FormResult {
    Q_OBJECT
public:
    explicit PriorBalanceWindow(std::unique_ptr<PriorBalanceModel> model, QWidget* parent = nullptr);
    ~PriorBalanceWindow() override;

    QString resultText() const override;
    PriorBalanceModel& model() { return *m_model; }
    QLineEdit* box(int casilla) const { return m_boxes.value(casilla); }

protected:
    void reject() override; // Escape and the title bar's close leave as "&Salir" does

private:
    void refresh();

    std::unique_ptr<PriorBalanceModel> m_model;
    QMap<int, QLineEdit*> m_boxes;
    QLineEdit* m_total = nullptr;
};

} // namespace qel::annexes
