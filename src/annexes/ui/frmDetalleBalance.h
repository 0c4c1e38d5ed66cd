#pragma once

#include "annexes/TrialBalanceDetail.h"

#include <QDialog>
#include <QHash>
#include <memory>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace qel::annexes {

// The detail of one account of the trial balance: the account list, its class, the eight
// entry boxes and the eight computed ones. A thin view over TrialBalanceDetail.
class frmDetalleBalance : public QDialog {
    Q_OBJECT
public:
    frmDetalleBalance(TrialBalanceTable table, app::Prompter& prompter, const QString& periodo, const QString& code,
                      QWidget* parent = nullptr);
    // The view of a detail already opened on its account.
    explicit frmDetalleBalance(std::unique_ptr<TrialBalanceDetail> model, QWidget* parent = nullptr);

    TrialBalanceDetail& model() { return *m_model; }
    // Shows the model's state in every control.
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLineEdit* box(const QString& name, int index) const;
    void addRow(QGridLayout* grid, int row, const QString& caption, const QString& name, bool entry);
    void grabar();
    void salir();

    std::unique_ptr<TrialBalanceDetail> m_model;
    QComboBox* m_accounts = nullptr;
    QLabel* m_class = nullptr;
    QHash<QString, QLineEdit*> m_boxes; // "txtSaldoIni_0" ...
    bool m_refreshing = false;
};

} // namespace qel::annexes
