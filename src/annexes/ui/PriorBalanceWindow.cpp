#include "annexes/ui/PriorBalanceWindow.h"

#include "annexes/PriorBalanceModel.h"
#include "app/UtilityComponent.h"
#include "catalogue/CasillaCatalog.h"
#include "declaration/ui/GuardedLineEdit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qel::annexes {

namespace {

QString labelOf(int casilla) {
    const declaration::CasillaDef* def = declaration::CasillaCatalog::instance().find(casilla);
    return def != nullptr ? def->label : QString();
}

QString boxName(int casilla) {
    return QStringLiteral("txtValor_%1").arg(casilla);
}

} // namespace

PriorBalanceWindow::PriorBalanceWindow(std::unique_ptr<PriorBalanceModel> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    setObjectName(QStringLiteral("frmSaldoFavorEjercAnt"));
    setWindowTitle(PriorBalanceModel::kCaption);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int line = 0;
    QList<int> order = PriorBalanceModel::casillas();
    order.append(127);
    for (const int casilla : order) {
        grid->addWidget(new QLabel(QString::number(casilla), this), line, 0);
        auto* label = new QLabel(labelOf(casilla), this);
        label->setWordWrap(true);
        grid->addWidget(label, line, 1);
        auto* edit = new declaration::GuardedLineEdit(this);
        edit->setObjectName(boxName(casilla));
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(150);
        grid->addWidget(edit, line, 2);
        ++line;
        if (casilla == 127) {
            m_total = edit;
            edit->setReadOnly(true);
            continue;
        }
        m_boxes.insert(casilla, edit);
        edit->setReadOnly(m_model->readOnly());
        edit->setKeyFilter([](QChar typed) { return app::UtilityComponent::FilterNumericKey(typed); });
        edit->setEnterHandler([] { return true; });
        connect(edit, &declaration::GuardedLineEdit::enterPressed, this, [this] { focusNextChild(); });
        connect(edit, &QLineEdit::textEdited, this, [this, casilla](const QString& text) {
            m_model->setText(casilla, text);
            m_total->setText(m_model->unappliedText());
        });
        connect(edit, &QLineEdit::editingFinished, this, [this] { refresh(); });
    }
    grid->setColumnMinimumWidth(1, 380);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* save = new QPushButton(QStringLiteral("&Grabar"), this);
    save->setObjectName(QStringLiteral("cmdAccion_0"));
    save->setEnabled(!m_model->readOnly());
    connect(save, &QPushButton::clicked, this, [this] {
        if (m_model->save()) {
            accept();
        }
    });
    auto* leave = new QPushButton(QStringLiteral("&Salir"), this);
    leave->setObjectName(QStringLiteral("cmdAccion_1"));
    connect(leave, &QPushButton::clicked, this, [this] { reject(); });
    buttons->addWidget(save);
    buttons->addWidget(leave);
    layout->addLayout(buttons);
    refresh();
}

// The boxes lose the focus while the window goes: nothing may reach the model by then.
PriorBalanceWindow::~PriorBalanceWindow() {
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        edit->disconnect(this);
    }
}

QString PriorBalanceWindow::resultText() const {
    return m_model->result();
}

void PriorBalanceWindow::reject() {
    if (m_model->isClosed() || m_model->leave()) {
        m_model->isClosed() && !m_model->result().isEmpty() ? accept() : QDialog::reject();
    }
}

void PriorBalanceWindow::refresh() {
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it) {
        if (!it.value()->hasFocus()) {
            it.value()->setText(m_model->text(it.key()));
        }
    }
    m_total->setText(m_model->unappliedText());
}

} // namespace qel::annexes
