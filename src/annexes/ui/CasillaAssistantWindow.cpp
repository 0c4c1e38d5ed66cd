#include "annexes/ui/CasillaAssistantWindow.h"

#include "catalogue/AnnexControls.h"
#include "declaration/ui/GuardedLineEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qel::annexes {

namespace {

constexpr int kBoxWidth = 130;
constexpr int kOneLineLabel = 45;
constexpr int kWrappedLabelWidth = 300;

QChar digitsOnly(QChar typed) {
    return typed.isDigit() ? typed : QChar();
}

} // namespace

CasillaAssistantWindow::CasillaAssistantWindow(std::unique_ptr<CasillaAssistantModel> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    setObjectName(m_model->def().window);
    setWindowTitle(m_model->caption());
    build();
    showValues();
}

CasillaAssistantWindow::~CasillaAssistantWindow() = default;

QString CasillaAssistantWindow::boxName(const AssistantField& field) {
    return field.boxName();
}

void CasillaAssistantWindow::build() {
    auto* layout = new QVBoxLayout(this);
    auto* frames = new QGridLayout();
    layout->addLayout(frames);
    QStringList groups;
    for (const AssistantField& field : m_model->def().fields) {
        if (!groups.contains(field.group)) {
            groups.append(field.group);
        }
    }
    const int columns = std::max(1, m_model->def().columns);
    QHash<QString, QGridLayout*> groupLayouts;
    for (int i = 0; i < groups.size(); ++i) {
        auto* frame = new QGroupBox(groups.at(i), this);
        auto* grid = new QGridLayout(frame);
        grid->setColumnStretch(0, 1);
        groupLayouts.insert(groups.at(i), grid);
        frames->addWidget(frame, i / columns, i % columns, Qt::AlignTop);
    }
    for (const AssistantField& field : m_model->def().fields) {
        QGridLayout* grid = groupLayouts.value(field.group);
        const int row = grid->rowCount();
        auto* label = new QLabel(field.label, this);
        // Short labels stay on one line; the long ones wrap within a fixed width.
        if (field.label.size() > kOneLineLabel) {
            label->setWordWrap(true);
            label->setFixedWidth(kWrappedLabelWidth);
            label->setMinimumHeight(label->heightForWidth(kWrappedLabelWidth));
        }
        auto* box = new declaration::GuardedLineEdit(this);
        box->setObjectName(boxName(field));
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(kBoxWidth);
        box->setMaxLength(15);
        const bool locked = field.computed || m_model->readOnly();
        box->setReadOnly(locked);
        if (locked) {
            box->setStyleSheet(QStringLiteral("background-color: palette(button);"));
        } else {
            box->setKeyFilter(digitsOnly);
            const int id = field.id();
            connect(box, &QLineEdit::textEdited, this, [this, id](const QString& text) {
                m_model->setText(id, text);
                showValues(id);
            });
            box->setFocusHandlers([box, this, id](Qt::FocusReason) { box->setText(m_model->text(id)); },
                                  [box, this, id] { box->setText(m_model->shownText(id)); });
            connect(box, &declaration::GuardedLineEdit::enterPressed, this, [this] { focusNextPrevChild(true); });
        }
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        if (!field.opens.isEmpty()) {
            auto* detail = new QPushButton(QStringLiteral("..."), this);
            detail->setObjectName(field.detailButton());
            detail->setFixedWidth(28);
            detail->setToolTip(QStringLiteral("Detalle"));
            detail->setEnabled(!m_model->readOnly());
            const int id = field.id();
            connect(detail, &QPushButton::clicked, this, [this, id] {
                m_model->openDetail(id);
                showValues();
            });
            grid->addWidget(detail, row, 2);
        }
        m_boxes.insert(field.id(), box);
    }

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
    connect(save, &QPushButton::clicked, this, &CasillaAssistantWindow::grabar);
    connect(leave, &QPushButton::clicked, this, [this] {
        m_model->close();
        reject();
    });
}

// Every box shows its value with separators, except the one being typed in.
void CasillaAssistantWindow::showValues(int except) {
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it) {
        if (it.key() != except && !it.value()->hasFocus()) {
            it.value()->setText(m_model->shownText(it.key()));
        }
    }
}

void CasillaAssistantWindow::grabar() {
    if (m_model->save()) {
        accept();
    }
}

} // namespace qel::annexes
