#include "annexes/ui/CasillaListWindow.h"

#include "annexes/AnnexGridModel.h"
#include "annexes/CasillaListModel.h"
#include "catalogue/AnnexControls.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace qel::annexes {

CasillaListWindow::CasillaListWindow(std::unique_ptr<CasillaListModel> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    setObjectName(m_model->def().window);
    setWindowTitle(m_model->caption());
    auto* layout = new QVBoxLayout(this);
    if (!m_model->prompt().isEmpty()) {
        auto* prompt = new QLabel(m_model->prompt(), this);
        prompt->setObjectName(controls::kPrompt);
        layout->addWidget(prompt);
    }

    m_grid = new QTableView(this);
    m_grid->setObjectName(CasillaListModel::kGrid);
    m_grid->setModel(&m_model->grid());
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    // Each column as wide as what it shows, so that a long description is not cut.
    m_grid->resizeColumnsToContents();
    connect(&m_model->grid(), &QAbstractItemModel::modelReset, m_grid, &QTableView::resizeColumnsToContents);
    m_grid->setMinimumSize(900, 260);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { m_model->grid().select(current.isValid() ? current.row() : -1); });
    connect(m_grid, &QTableView::doubleClicked, this, [this] { clicked(1); });
    layout->addWidget(m_grid);

    auto* totals = new QHBoxLayout;
    totals->addStretch();
    auto* label = new QLabel(QStringLiteral("Total :"), this);
    label->setObjectName(controls::kTotalCaption);
    m_total = new QLineEdit(this);
    m_total->setObjectName(controls::kTotal);
    m_total->setReadOnly(true);
    m_total->setAlignment(Qt::AlignRight);
    m_total->setFixedWidth(160);
    m_total->setVisible(!m_model->def().totalColumn.isEmpty());
    label->setVisible(m_total->isVisibleTo(this));
    totals->addWidget(label);
    totals->addWidget(m_total);
    layout->addLayout(totals);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int index = 0; index < CasillaListModel::kCaptions.size(); ++index) {
        auto* button = new QPushButton(CasillaListModel::kCaptions.at(index), this);
        button->setObjectName(QStringLiteral("cmdAccion_%1").arg(index));
        button->setEnabled(index == 3 || !m_model->readOnly());
        connect(button, &QPushButton::clicked, this, [this, index] { clicked(index); });
        buttons->addWidget(button);
        m_buttons.append(button);
    }
    if (m_model->imports()) {
        auto* importButton = new QPushButton(QStringLiteral("&Importar"), this);
        importButton->setObjectName(controls::kImport);
        importButton->setEnabled(!m_model->readOnly());
        connect(importButton, &QPushButton::clicked, this, [this] {
            m_model->importRows();
            refresh();
        });
        buttons->insertWidget(1, importButton);
    }
    layout->addLayout(buttons);
    refresh();
}

CasillaListWindow::~CasillaListWindow() {
    m_grid->setModel(nullptr);
}

QString CasillaListWindow::resultText() const {
    return m_model->result();
}

QPushButton* CasillaListWindow::button(int index) const {
    return m_buttons.value(index);
}

void CasillaListWindow::reject() {
    clicked(3);
}

void CasillaListWindow::clicked(int index) {
    m_model->click(index);
    if (m_model->isClosed()) {
        QDialog::accept();
        return;
    }
    refresh();
}

void CasillaListWindow::refresh() {
    m_total->setText(m_model->totalText());
    // Columns as wide as what they show, within reason; the last one takes the rest.
    m_grid->resizeColumnsToContents();
    for (int column = 0; column < m_model->grid().columnCount(); ++column) {
        m_grid->setColumnWidth(column, std::clamp(m_grid->columnWidth(column), 90, 320));
    }
    const int current = m_model->grid().current();
    if (current >= 0) {
        m_grid->selectRow(current);
    } else {
        m_grid->clearSelection();
    }
}

} // namespace qel::annexes
