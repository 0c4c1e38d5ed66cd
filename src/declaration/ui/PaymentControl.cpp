#include "declaration/ui/PaymentControl.h"

#include "catalogue/FormControls.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/PaymentChoices.h"
#include "declaration/ui/GuardedLineEdit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace qel::declaration {

using payment::kCash;
using payment::kCheque;
using payment::kChequeLength;

PaymentControl::PaymentControl(DeclarationFormModel& model, QWidget* parent) : QWidget(parent), m_model(model) {
    setObjectName(QStringLiteral("QELFormaDePago"));

    m_cash = new QRadioButton(QStringLiteral("Efectivo"), this);
    m_cash->setObjectName(controls::kCash);
    m_cheque = new QRadioButton(QStringLiteral("Cheque"), this);
    m_cheque->setObjectName(controls::kCheque);
    m_kinds = new QButtonGroup(this);
    m_kinds->setExclusive(false); // "not chosen" must be shown too; exclusivity comes from the model
    m_kinds->addButton(m_cash);
    m_kinds->addButton(m_cheque);

    m_bank = new QComboBox(this);
    m_bank->setObjectName(controls::kBank);
    m_bank->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_bank->setMinimumContentsLength(36);
    m_number = new GuardedLineEdit(this);
    m_number->setObjectName(controls::kChequeNumber);
    m_number->setMaxLength(kChequeLength);
    m_number->setFixedWidth(m_number->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (kChequeLength + 1) + 14);
    m_number->setKeyFilter([](QChar typed) { return typed.isDigit() && typed.unicode() < 128 ? typed : QChar(); });

    auto* kinds = new QHBoxLayout;
    kinds->addWidget(m_cash);
    kinds->addWidget(m_cheque);
    kinds->addStretch();
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(QStringLiteral("Forma de pago :"), kinds);
    form->addRow(QStringLiteral("Banco :"), m_bank);
    form->addRow(QStringLiteral("Número de cheque :"), m_number);

    fillBanks();

    connect(m_cash, &QRadioButton::clicked, this, [this] { chooseKind(kCash); });
    connect(m_cheque, &QRadioButton::clicked, this, [this] { chooseKind(kCheque); });
    connect(m_bank, &QComboBox::activated, this, [this](int index) {
        payment::chooseBank(m_model, m_model.context().db, index >= 0 ? m_bank->itemData(index).toString() : QString());
        refresh();
    });
    connect(m_number, &QLineEdit::textEdited, this, [this](const QString& text) {
        payment::typeCheque(m_model, text);
        refresh();
    });
    connect(&m_model, &DeclarationFormModel::paymentStateChanged, this, &PaymentControl::refresh);
    refresh();
}

void PaymentControl::fillBanks() {
    for (const ComboItem& bank : payment::banks(m_model.context().db)) {
        m_bank->addItem(bank.text, bank.code);
    }
    m_bank->setCurrentIndex(-1);
}

void PaymentControl::chooseKind(const QString& kind) {
    payment::chooseKind(m_model, kind);
    refresh();
}

void PaymentControl::refresh() {
    if (m_refreshing) {
        return;
    }
    m_refreshing = true;
    const PaymentState& payment = m_model.payment();
    {
        const QSignalBlocker blockCash(m_cash);
        const QSignalBlocker blockCheque(m_cheque);
        m_cash->setChecked(payment.kind == kCash);
        m_cheque->setChecked(payment.kind == kCheque);
    }
    {
        const QSignalBlocker block(m_bank);
        m_bank->setCurrentIndex(m_bank->findData(payment.bank));
    }
    if (m_number->text() != payment.cheque) {
        m_number->setText(payment.cheque);
    }
    setEnabled(payment.enabled);
    const bool cheque = payment.kind == kCheque;
    m_bank->setEnabled(cheque);
    m_number->setEnabled(cheque);
    m_refreshing = false;
}

} // namespace qel::declaration
