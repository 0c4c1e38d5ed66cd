#include "declaration/ui/PaymentControl.h"

#include "declaration/model/DeclarationFormModel.h"
#include "declaration/ui/GuardedLineEdit.h"
#include "store/Database.h"
#include "store/ParamLayouts.h"
#include "store/ParamLookups.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace qel::declaration {

namespace {
const QString kCash = QStringLiteral("E");
const QString kCheque = QStringLiteral("C");
constexpr int kChequeLength = 15;
} // namespace

PaymentControl::PaymentControl(DeclarationFormModel& model, QWidget* parent) : QWidget(parent), m_model(model) {
    setObjectName(QStringLiteral("QELFormaDePago"));

    m_cash = new QRadioButton(QStringLiteral("Efectivo"), this);
    m_cash->setObjectName(QStringLiteral("optEfectivo"));
    m_cheque = new QRadioButton(QStringLiteral("Cheque"), this);
    m_cheque->setObjectName(QStringLiteral("optCheque"));
    m_kinds = new QButtonGroup(this);
    m_kinds->setExclusive(false); // "not chosen" must be shown too; exclusivity comes from the model
    m_kinds->addButton(m_cash);
    m_kinds->addButton(m_cheque);

    m_bank = new QComboBox(this);
    m_bank->setObjectName(QStringLiteral("cboBanco"));
    m_bank->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_bank->setMinimumContentsLength(36);
    m_number = new GuardedLineEdit(this);
    m_number->setObjectName(QStringLiteral("txtNroCheque"));
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
        m_model.payment().bank = index >= 0 ? m_bank->itemData(index).toString() : QString();
        m_model.paymentChanged();
        refresh();
    });
    connect(m_number, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.payment().cheque = text;
        m_model.paymentChanged();
    });
    connect(&m_model, &DeclarationFormModel::paymentStateChanged, this, &PaymentControl::refresh);
    refresh();
}

void PaymentControl::fillBanks() {
    // Banks of PARAM '004', code two digits; "00" is the row for "no bank".
    const store::ParamLayout& layout = store::ParamLayouts::instance().layout(store::param_list::kBank);
    store::ParamLookups lookups(m_model.context().db);
    for (const auto& row : lookups.ParamRows(store::param_list::kBank)) {
        const QString code = row.argumento.trimmed();
        if (code == QStringLiteral("00")) {
            continue;
        }
        m_bank->addItem(layout.cut(row.funcion, QStringLiteral("nombre")) + QStringLiteral(" - ") + code, code);
    }
    m_bank->setCurrentIndex(-1);
}

void PaymentControl::chooseKind(const QString& kind) {
    PaymentState& payment = m_model.payment();
    if (payment.kind != kind) {
        payment.kind = kind;
        if (kind != kCheque) {
            payment.bank.clear();
            payment.cheque.clear();
        }
        m_model.paymentChanged();
    }
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
