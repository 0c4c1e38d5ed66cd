#include "annexes/ui/frmDetalleBalance.h"

#include "app/UtilityComponent.h"
#include "declaration/ui/GuardedLineEdit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qel::annexes {

namespace {

QString boxName(const QString& name, int index) {
    return name + QLatin1Char('_') + QString::number(index);
}

} // namespace

frmDetalleBalance::frmDetalleBalance(TrialBalanceTable table, app::Prompter& prompter, const QString& periodo,
                                     const QString& code, QWidget* parent)
    : frmDetalleBalance(
          [&] {
              auto detail = std::make_unique<TrialBalanceDetail>(std::move(table), prompter, periodo);
              detail->open(code);
              return detail;
          }(),
          parent) {}

frmDetalleBalance::frmDetalleBalance(std::unique_ptr<TrialBalanceDetail> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    setObjectName(m_model->windowName());
    setWindowTitle(TrialBalanceDetail::kCaption);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Cuenta :"), this));
    m_accounts = new QComboBox(this);
    m_accounts->setObjectName(QStringLiteral("cboCuentas"));
    for (const TrialBalanceDetail::Item& item : m_model->accounts()) {
        m_accounts->addItem(item.text, item.code);
    }
    m_accounts->setMinimumWidth(420);
    top->addWidget(m_accounts, 1);
    layout->addLayout(top);
    m_class = new QLabel(this);
    m_class->setObjectName(QStringLiteral("lblClase"));
    layout->addWidget(m_class);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Debe"), this), 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Haber"), this), 0, 2, Qt::AlignCenter);
    addRow(grid, 1, QStringLiteral("Saldos Iniciales"), QStringLiteral("txtSaldoIni"), true);
    addRow(grid, 2, QStringLiteral("Movimiento del Ejercicio"), QStringLiteral("txtMovEjer"), true);
    addRow(grid, 3, QStringLiteral("Sumas del Mayor"), QStringLiteral("txtSumaMayor"), false);
    addRow(grid, 4, m_model->closingCaption() + QStringLiteral(" (Deudor / Acreedor)"), QStringLiteral("txtSaldo"),
           false);
    addRow(grid, 5, QStringLiteral("Transferencias y Cancelaciones"), QStringLiteral("txtTransferCancela"), true);
    addRow(grid, 6, QStringLiteral("Ajuste por adecuación o Implicancia NIIF"), QStringLiteral("txtniif"), true);
    addRow(grid, 7, QStringLiteral("Cuentas de Balance (Activo / Pasivo)"), QStringLiteral("txtCuentasBalance"), false);
    addRow(grid, 8, QStringLiteral("Resultados por Naturaleza (Pérdidas / Ganancias)"), QStringLiteral("txtResultados"),
           false);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* save = new QPushButton(QStringLiteral("&Grabar"), this);
    save->setObjectName(QStringLiteral("cmdGrabar"));
    auto* close = new QPushButton(QStringLiteral("&Salir"), this);
    close->setObjectName(QStringLiteral("cmdSalir"));
    buttons->addWidget(save);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, &frmDetalleBalance::grabar);
    connect(close, &QPushButton::clicked, this, &frmDetalleBalance::salir);
    connect(m_accounts, &QComboBox::activated, this, [this](int index) {
        m_model->chooseAccount(m_accounts->itemData(index).toString());
        refresh();
    });
    refresh();
}

void frmDetalleBalance::addRow(QGridLayout* grid, int row, const QString& caption, const QString& name, bool entry) {
    grid->addWidget(new QLabel(caption + QStringLiteral(" :"), this), row, 0);
    for (int index = 0; index < 2; ++index) {
        QLineEdit* edit = nullptr;
        if (entry) {
            auto* guarded = new declaration::GuardedLineEdit(this);
            guarded->setKeyFilter([](QChar typed) { return app::UtilityComponent::FilterNumericKey(typed); });
            guarded->setEnterHandler([] { return true; });
            connect(guarded, &declaration::GuardedLineEdit::enterPressed, this, [this] { focusNextChild(); });
            guarded->setFocusHandlers({}, [this, name, index] {
                m_model->leave(name, index);
                refresh();
            });
            connect(guarded, &QLineEdit::textEdited, this, [this, name, index](const QString& text) {
                m_model->setBoxText(name, index, text);
                refresh();
            });
            edit = guarded;
        } else {
            edit = new QLineEdit(this);
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::NoFocus);
            edit->setStyleSheet(QStringLiteral("background: palette(button);"));
        }
        edit->setObjectName(boxName(name, index));
        edit->setAlignment(Qt::AlignRight);
        edit->setMinimumWidth(140);
        m_boxes.insert(boxName(name, index), edit);
        grid->addWidget(edit, row, 1 + index);
    }
}

QLineEdit* frmDetalleBalance::box(const QString& name, int index) const {
    return m_boxes.value(boxName(name, index));
}

void frmDetalleBalance::refresh() {
    if (m_refreshing) {
        return;
    }
    m_refreshing = true;
    m_accounts->setCurrentIndex(m_accounts->findData(m_model->currentCode()));
    m_class->setText(m_model->classText());
    for (const QStringList* names : {&TrialBalanceDetail::entryBoxes(), &TrialBalanceDetail::computedBoxes()}) {
        for (const QString& name : *names) {
            for (int index = 0; index < 2; ++index) {
                QLineEdit* edit = box(name, index);
                const QString text = m_model->boxText(name, index);
                if (edit != nullptr && edit->text() != text) {
                    edit->setText(text);
                }
            }
        }
    }
    m_refreshing = false;
    if (m_model->isClosed()) {
        accept();
    }
}

void frmDetalleBalance::grabar() {
    m_model->save();
    refresh();
}

void frmDetalleBalance::salir() {
    m_model->close();
    refresh();
}

void frmDetalleBalance::closeEvent(QCloseEvent* event) {
    if (!m_model->isClosed()) {
        m_model->close();
    }
    if (m_model->isClosed()) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace qel::annexes
