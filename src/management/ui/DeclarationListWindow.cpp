#include "management/ui/DeclarationListWindow.h"

#include "app/ui/CentreInMain.h"
#include "ui_FrmContAbrir.h"
#include "ui_FrmContAbrirEnv.h"

#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <algorithm>

namespace qel::management::ui {

namespace {

// The business name takes what the key columns leave, at least this much.
constexpr int kNameWidth = 240;

} // namespace

DeclarationListWindow::DeclarationListWindow(std::unique_ptr<DeclarationListModel> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)), m_rows(new QStandardItemModel(this)) {
    // The two lists keep their own designs; their controls have the same names.
    if (m_model->which() == DeclarationListModel::Which::Sent) {
        m_sentUi = std::make_unique<Ui::FrmContAbrirEnv>();
        m_sentUi->setupUi(this);
    } else {
        m_storedUi = std::make_unique<Ui::FrmContAbrir>();
        m_storedUi->setupUi(this);
    }
    m_label = findChild<QLabel*>(QStringLiteral("lblMensaje"));
    m_grid = findChild<QTableView*>(QStringLiteral("grdContrib"));
    for (int index = 0; index < m_model->buttonCount(); ++index) {
        QPushButton* button = findChild<QPushButton*>(QStringLiteral("CmdOpciones_%1").arg(index));
        button->setText(m_model->buttonCaption(index));
        connect(button, &QPushButton::clicked, this, [this, index] { CmdOpciones(index); });
        m_buttons.append(button);
    }
    setWindowTitle(m_model->windowCaption());
    findChild<QGroupBox*>(QStringLiteral("fraDeclaraciones"))->setTitle(m_model->frameCaption());
    m_label->setText(m_model->labelCaption());

    m_rows->setHorizontalHeaderLabels(m_model->columnCaptions());
    m_grid->setModel(m_rows);
    m_grid->verticalHeader()->hide();
    m_grid->setWordWrap(false);
    QHeaderView* header = m_grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(DeclarationListModel::kNameColumn, QHeaderView::Stretch);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_filling) {
                    m_model->setCurrentRow(current.isValid() ? current.row() : -1);
                }
            });
    connect(m_grid, &QTableView::doubleClicked, this, [this] { CmdOpciones(0); });
    fillGrid();
}

DeclarationListWindow::~DeclarationListWindow() = default;

QPushButton* DeclarationListWindow::button(int index) const {
    return m_buttons.value(index);
}

void DeclarationListWindow::reload() {
    m_model->reload();
    fillGrid();
}

void DeclarationListWindow::CmdOpciones(int index) {
    if (index < 0 || index >= m_model->buttonCount()) {
        return;
    }
    m_model->press(index);
    if (m_model->isClosed()) {
        QDialog::reject();
        return;
    }
    fillGrid();
}

// Escape and the title bar's close leave as "&Salir" does.
void DeclarationListWindow::reject() {
    if (!m_model->isClosed()) {
        m_model->press(1);
    }
    QDialog::reject();
}

void DeclarationListWindow::fillGrid() {
    m_filling = true;
    m_rows->removeRows(0, m_rows->rowCount());
    for (int row = 0; row < m_model->rowCount(); ++row) {
        QList<QStandardItem*> cells;
        for (const QString& text : m_model->rowTexts(row)) {
            cells.append(new QStandardItem(text));
        }
        m_rows->appendRow(cells);
    }
    m_grid->setEnabled(m_model->gridEnabled());
    selectRow(m_model->currentRow());
    m_filling = false;
    keepKeyColumnsWhole();
}

// The RUC, the order number, the control and the other key columns keep their whole text; the
// business name takes what is left, at least a readable width, and is cut at its end when it
// must be.
void DeclarationListWindow::keepKeyColumnsWhole() {
    QHeaderView* header = m_grid->horizontalHeader();
    int wanted = kNameWidth + 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_rows->columnCount(); ++column) {
        if (column != DeclarationListModel::kNameColumn) {
            wanted += std::max(static_cast<QAbstractItemView*>(m_grid)->sizeHintForColumn(column),
                               header->sectionSizeHint(column));
        }
    }
    m_grid->setMinimumWidth(wanted);
}

void DeclarationListWindow::selectRow(int row) {
    if (row < 0) {
        m_grid->clearSelection();
        return;
    }
    m_grid->selectRow(row);
    m_grid->setCurrentIndex(m_rows->index(row, 0));
}

bool DeclarationListWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        reload();
    }
    return QDialog::event(event);
}

void DeclarationListWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    app::ui::CentreInMain(this);
}

} // namespace qel::management::ui
