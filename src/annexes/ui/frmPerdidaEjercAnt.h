#pragma once

#include "annexes/LossBalanceModel.h"
#include "app/ui/FormResult.h"

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;

namespace qel::annexes {

// The balance of tax losses of earlier years by year of origin: ten rows of year and amount,
// their total below. "&Grabar" checks the years, stores the rows and hands the total back.
class frmPerdidaEjercAnt : public QDialog, public app::ui::FormResult {
    Q_OBJECT
public:
    explicit frmPerdidaEjercAnt(std::unique_ptr<LossBalanceModel> model, QWidget* parent = nullptr);
    ~frmPerdidaEjercAnt() override;

    QString resultText() const override { return m_model->result(); }
    LossBalanceModel& model() { return *m_model; }
    QLineEdit* yearBox(int row) const { return m_years.at(row); }
    QLineEdit* amountBox(int row) const { return m_amounts.at(row); }
    void grabar();

private:
    void showTotal();

    std::unique_ptr<LossBalanceModel> m_model;
    QList<QLineEdit*> m_years;
    QList<QLineEdit*> m_amounts;
    QLabel* m_total = nullptr;
};

} // namespace qel::annexes
