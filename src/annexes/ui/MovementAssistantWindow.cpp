#include "annexes/ui/MovementAssistantWindow.h"

#include "annexes/MovementAssistantModel.h"
#include "catalogue/AnnexControls.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace qel::annexes {

namespace {
constexpr int kTotalsRow = MovementAssistantKind::kLines;
}

MovementAssistantWindow::MovementAssistantWindow(std::unique_ptr<MovementAssistantModel> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    setObjectName(m_model->kind().window);
    setWindowTitle(m_model->caption());
    build();
    m_model->setChangeListener([this] { refresh(); });
    refresh();
}

MovementAssistantWindow::~MovementAssistantWindow() {
    m_model->setChangeListener({});
}

QString MovementAssistantWindow::resultText() const {
    return m_model->result();
}

void MovementAssistantWindow::build() {
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(m_model->kind().title, this);
    title->setObjectName(QStringLiteral("lblTitulo"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    const int columns = m_model->columnCount() + 1;
    m_grid = new QTableWidget(kTotalsRow + 1, columns, this);
    m_grid->setObjectName(MovementAssistantModel::kGrid);
    QStringList headings = {QStringLiteral("Concepto")};
    for (int column = 0; column < m_model->columnCount(); ++column) {
        headings.append(m_model->heading(column));
    }
    m_grid->setHorizontalHeaderLabels(headings);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    m_grid->horizontalHeader()->setMinimumHeight(58);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(m_model->readOnly() ? QAbstractItemView::NoEditTriggers
                                                : QAbstractItemView::AllEditTriggers);
    const QColor locked = palette().color(QPalette::Button);
    for (int row = 0; row <= kTotalsRow; ++row) {
        for (int column = 0; column < columns; ++column) {
            auto* item = new QTableWidgetItem;
            const bool typed = row < kTotalsRow && column > 0 && !m_model->isComputed(column - 1);
            item->setTextAlignment(column > 0 ? Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter)
                                              : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
            if (!typed || m_model->readOnly()) {
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                item->setBackground(locked);
            }
            m_grid->setItem(row, column, item);
        }
        m_grid->item(row, 0)->setText(row < kTotalsRow ? MovementAssistantKind::lineLabels().at(row)
                                                       : QStringLiteral("TOTAL"));
    }
    m_grid->setColumnWidth(0, 280);
    for (int column = 1; column < columns; ++column) {
        m_grid->setColumnWidth(column, 112);
    }
    connect(m_grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_refreshing && item->column() > 0 && item->row() < kTotalsRow) {
            m_model->setCellText(item->row(), item->column() - 1, item->text());
        }
    });
    int width = 4;
    for (int column = 0; column < columns; ++column) {
        width += m_grid->columnWidth(column);
    }
    m_grid->setMinimumSize(std::min(width + 2, 1460), 58 + 22 * (kTotalsRow + 1) + 24);
    layout->addWidget(m_grid);

    auto* totals = new QHBoxLayout;
    totals->addStretch();
    auto* label = new QLabel(QStringLiteral("Total casilla %1 :").arg(m_model->casilla()), this);
    label->setObjectName(controls::kTotalCaption);
    m_total = new QLineEdit(this);
    m_total->setObjectName(controls::kTotal);
    m_total->setReadOnly(true);
    m_total->setAlignment(Qt::AlignRight);
    m_total->setFixedWidth(150);
    totals->addWidget(label);
    totals->addWidget(m_total);
    layout->addLayout(totals);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* importButton = new QPushButton(QStringLiteral("&Importar"), this);
    importButton->setObjectName(controls::kImport);
    importButton->setEnabled(!m_model->readOnly());
    connect(importButton, &QPushButton::clicked, this, [this] { m_model->importRows(); });
    auto* saveButton = new QPushButton(QStringLiteral("&Grabar"), this);
    saveButton->setObjectName(QStringLiteral("CmdGrabar"));
    saveButton->setEnabled(!m_model->readOnly());
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    auto* closeButton = new QPushButton(QStringLiteral("&Cerrar"), this);
    closeButton->setObjectName(controls::kClose);
    connect(closeButton, &QPushButton::clicked, this, [this] {
        m_model->close();
        reject();
    });
    buttons->addWidget(importButton);
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
}

void MovementAssistantWindow::refresh() {
    if (m_refreshing || m_grid == nullptr) {
        return;
    }
    m_refreshing = true;
    for (int column = 0; column < m_model->columnCount(); ++column) {
        for (int row = 0; row < kTotalsRow; ++row) {
            QTableWidgetItem* item = m_grid->item(row, column + 1);
            if (m_grid->indexWidget(m_grid->model()->index(row, column + 1)) == nullptr) {
                item->setText(m_model->cellText(row, column));
            }
        }
        m_grid->item(kTotalsRow, column + 1)->setText(m_model->totalText(column));
    }
    m_total->setText(m_model->totalText());
    m_refreshing = false;
}

void MovementAssistantWindow::save() {
    if (QWidget* editor = m_grid->indexWidget(m_grid->currentIndex())) {
        editor->clearFocus();
    }
    m_grid->setCurrentItem(nullptr);
    if (m_model->save()) {
        accept();
    }
}

} // namespace qel::annexes
