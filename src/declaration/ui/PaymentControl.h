#pragma once

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QRadioButton;

namespace qel::declaration {

class DeclarationFormModel;
class GuardedLineEdit;

// The payment-form control of the debt page: how the amount to pay is paid (cash or
// cheque), the bank and the cheque number. It mirrors the model's payment state and writes
// every change back to it; bank and cheque number are open only for a cheque.
class PaymentControl : public QWidget {
    Q_OBJECT
public:
    explicit PaymentControl(DeclarationFormModel& model, QWidget* parent = nullptr);

    // Shows the model's payment state again.
    void refresh();

private:
    void chooseKind(const QString& kind);
    void fillBanks();

    DeclarationFormModel& m_model;
    QRadioButton* m_cash = nullptr;
    QRadioButton* m_cheque = nullptr;
    QButtonGroup* m_kinds = nullptr;
    QComboBox* m_bank = nullptr;
    GuardedLineEdit* m_number = nullptr;
    bool m_refreshing = false;
};

} // namespace qel::declaration
