#include "annexes/ui/frmPerdidaEjercAnt.h"

#include "base/NumberFormat.h"
#include "catalogue/AnnexControls.h"
#include "declaration/ui/GuardedLineEdit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qel::annexes {

namespace {

QChar digitsOnly(QChar typed) {
    return typed.isDigit() ? typed : QChar();
}

QString shown(const QString& amount) {
    return amount.isEmpty() ? QString() : app::formatNumber(app::readWhole(amount), app::masks::kAmount);
}

} // namespace

frmPerdidaEjercAnt::frmPerdidaEjercAnt(std::unique_ptr<LossBalanceModel> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    setObjectName(QStringLiteral("frmPerdidaEjercAnt"));
    setWindowTitle(LossBalanceModel::kCaption);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    grid->addWidget(new QLabel(QStringLiteral("Año de origen"), this), 0, 0);
    grid->addWidget(
        new QLabel(QStringLiteral("Saldo de la pérdida al 31/12/") + QString::number(m_model->period() - 1), this), 0,
        1);
    for (int row = 0; row < LossBalanceModel::kRows; ++row) {
        auto* year = new declaration::GuardedLineEdit(this);
        year->setObjectName(QStringLiteral("txtAnio%1").arg(row));
        year->setMaxLength(4);
        year->setFixedWidth(70);
        year->setText(m_model->year(row));
        auto* amount = new declaration::GuardedLineEdit(this);
        amount->setObjectName(QStringLiteral("txtMonto%1").arg(row));
        amount->setMaxLength(15);
        amount->setAlignment(Qt::AlignRight);
        amount->setFixedWidth(140);
        amount->setText(shown(m_model->amount(row)));
        for (declaration::GuardedLineEdit* box : {year, amount}) {
            box->setKeyFilter(digitsOnly);
            box->setReadOnly(m_model->readOnly());
            connect(box, &declaration::GuardedLineEdit::enterPressed, this, [this] { focusNextPrevChild(true); });
        }
        connect(year, &QLineEdit::textEdited, this, [this, row](const QString& text) { m_model->setYear(row, text); });
        connect(amount, &QLineEdit::textEdited, this, [this, row](const QString& text) {
            m_model->setAmount(row, text);
            showTotal();
        });
        amount->setFocusHandlers([this, amount, row](Qt::FocusReason) { amount->setText(m_model->amount(row)); },
                                 [this, amount, row] { amount->setText(shown(m_model->amount(row))); });
        grid->addWidget(year, row + 1, 0);
        grid->addWidget(amount, row + 1, 1);
        m_years.append(year);
        m_amounts.append(amount);
    }
    layout->addLayout(grid);
    m_total = new QLabel(this);
    m_total->setObjectName(controls::kTotalCaption);
    layout->addWidget(m_total);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    auto* save = new QPushButton(QStringLiteral("&Grabar"), this);
    save->setObjectName(QStringLiteral("CmdGrabar"));
    save->setEnabled(!m_model->readOnly());
    auto* leave = new QPushButton(QStringLiteral("&Salir"), this);
    leave->setObjectName(controls::kClose);
    buttons->addWidget(save);
    buttons->addWidget(leave);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &frmPerdidaEjercAnt::grabar);
    connect(leave, &QPushButton::clicked, this, [this] {
        m_model->close();
        reject();
    });
    showTotal();
}

frmPerdidaEjercAnt::~frmPerdidaEjercAnt() = default;

void frmPerdidaEjercAnt::showTotal() {
    m_total->setText(QStringLiteral("Total saldo de pérdidas : ") +
                     app::formatNumber(m_model->total(), app::masks::kAmount));
}

void frmPerdidaEjercAnt::grabar() {
    if (m_model->save()) {
        accept();
    }
}

} // namespace qel::annexes
