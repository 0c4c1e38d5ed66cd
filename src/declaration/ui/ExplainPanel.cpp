#include "declaration/ui/ExplainPanel.h"

#include "declaration/commands/ExplainModel.h"

#include <QLabel>
#include <QLayoutItem>
#include <QPushButton>
#include <QVBoxLayout>

namespace qel::declaration {

namespace {

constexpr int kPanelWidth = 230;

QLabel* wrappedLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

ExplainPanel::ExplainPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pnlExplicacion"));
    setFrameShape(QFrame::StyledPanel);
    setFixedWidth(kPanelWidth);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Explicación"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    m_title = wrappedLabel(this);
    m_title->setObjectName(QStringLiteral("lblCasillaExplicada"));
    m_line = wrappedLabel(this);
    m_line->setObjectName(QStringLiteral("lblExplicacion"));
    m_condition = wrappedLabel(this);
    m_rows = wrappedLabel(this);
    m_rows->setObjectName(QStringLiteral("lblFilas"));
    layout->addWidget(m_title);
    layout->addWidget(m_line);
    m_inputs = new QVBoxLayout;
    m_inputs->setSpacing(1);
    layout->addLayout(m_inputs);
    layout->addWidget(m_rows);
    layout->addWidget(m_condition);
    layout->addStretch(1);
    clear();
}

void ExplainPanel::clear() {
    m_title->setText(QStringLiteral("Entre en una casilla para ver por qué tiene su valor."));
    m_line->clear();
    m_condition->clear();
    m_rows->clear();
    // A button may be the one whose click brought the focus elsewhere: it goes once its
    // click is over.
    while (QLayoutItem* item = m_inputs->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
}

void ExplainPanel::showExplanation(const CasillaExplanation& explanation, const QList<std::pair<int, QString>>& inputs,
                                   const QList<bool>& goable) {
    clear();
    m_title->setText(QStringLiteral("Casilla %1").arg(explanation.casilla));
    m_line->setText(explanation.line());
    m_condition->setText(explanation.condition);
    m_rows->setText(explanation.rows.join(QLatin1Char('\n')));
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const auto& [casilla, text] = inputs.at(i);
        auto* button = new QPushButton(
            QStringLiteral("%1 = %2").arg(casilla).arg(text.isEmpty() ? QStringLiteral("(vacía)") : text), this);
        button->setObjectName(QStringLiteral("cmdIrCasilla%1").arg(casilla));
        button->setFlat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(QStringLiteral("text-align: left"));
        button->setEnabled(goable.value(i, false));
        button->setToolTip(QStringLiteral("Ir a la casilla %1").arg(casilla));
        const int target = casilla;
        connect(button, &QPushButton::clicked, this, [this, target] { emit goTo(target); });
        m_inputs->addWidget(button);
    }
}

} // namespace qel::declaration
