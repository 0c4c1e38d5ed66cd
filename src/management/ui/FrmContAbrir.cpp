#include "management/ui/FrmContAbrir.h"

#include "app/ui/CentreInMain.h"
#include "base/Prompter.h"
#include "store/ExecuteSql.h"
#include "ui_FrmContAbrir.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <algorithm>

namespace qel::management::ui {

FrmContAbrir::FrmContAbrir(DeclarationList::Context context, int operation, DeclarationList::FormOpener openForm,
                           QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmContAbrir>()),
      m_list(std::move(context), operation, std::move(openForm)), m_rows(new QStandardItemModel(this)) {
    m_ui->setupUi(this);
    setWindowTitle(m_list.windowCaption());
    m_ui->lblMensaje->setText(m_list.labelCaption());
    m_ui->CmdOpciones_0->setText(m_list.buttonCaption());

    m_rows->setHorizontalHeaderLabels({QStringLiteral("RUC"), QStringLiteral("Razón Social"), QStringLiteral("Periodo"),
                                       QStringLiteral("Formulario"), QStringLiteral("Estado")});
    m_ui->grdContrib->setModel(m_rows);
    m_ui->grdContrib->verticalHeader()->hide();
    m_ui->grdContrib->setWordWrap(false);
    QHeaderView* header = m_ui->grdContrib->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);

    connect(m_ui->grdContrib->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_filling) {
                    m_list.setCurrent(current.isValid() ? current.row() : -1);
                }
            });
    connect(m_ui->grdContrib, &QTableView::doubleClicked, this, [this] { CmdOpciones(0); });
    connect(m_ui->CmdOpciones_0, &QPushButton::clicked, this, [this] { CmdOpciones(0); });
    connect(m_ui->CmdOpciones_1, &QPushButton::clicked, this, [this] { CmdOpciones(1); });
}

FrmContAbrir::~FrmContAbrir() = default;

QTableView* FrmContAbrir::grid() const {
    return m_ui->grdContrib;
}

QPushButton* FrmContAbrir::button(int index) const {
    return index == 0 ? m_ui->CmdOpciones_0 : m_ui->CmdOpciones_1;
}

void FrmContAbrir::pCargadatos() {
    try {
        m_list.pCargadatos();
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_list.context().prompter, error);
    }
    fillGrid();
}

void FrmContAbrir::fillGrid() {
    m_filling = true;
    m_rows->removeRows(0, m_rows->rowCount());
    for (const DeclarationRow& row : m_list.rows()) {
        QList<QStandardItem*> cells;
        for (const QString& text :
             {row.ruc, row.nombre, row.periodo, row.formulario, DeclarationList::estadoText(row.estado)}) {
            cells.append(new QStandardItem(text));
        }
        m_rows->appendRow(cells);
    }
    selectRow(m_list.current());
    m_filling = false;
    keepColumnsWhole();
}

// The RUC, period, form and state columns keep their whole text; the business name takes
// what is left, at least a readable width, and is cut at its end when it must be.
void FrmContAbrir::keepColumnsWhole() {
    constexpr int kNameColumn = 1;
    constexpr int kNameWidth = 240;
    QTableView* grid = m_ui->grdContrib;
    QHeaderView* header = grid->horizontalHeader();
    int wanted = kNameWidth + 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_rows->columnCount(); ++column) {
        if (column != kNameColumn) {
            wanted += std::max(static_cast<QAbstractItemView*>(grid)->sizeHintForColumn(column),
                               header->sectionSizeHint(column));
        }
    }
    grid->setMinimumWidth(wanted);
}

void FrmContAbrir::selectRow(int row) {
    if (row < 0) {
        m_ui->grdContrib->clearSelection();
        return;
    }
    m_ui->grdContrib->selectRow(row);
    m_ui->grdContrib->setCurrentIndex(m_rows->index(row, 0));
}

void FrmContAbrir::CmdOpciones(int index) {
    if (index == 1) {
        m_list.leave();
        reject();
        return;
    }
    try {
        m_list.runOperation();
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_list.context().prompter, error);
    }
    fillGrid();
}

bool FrmContAbrir::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        pCargadatos();
    }
    return QDialog::event(event);
}

void FrmContAbrir::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    app::ui::CentreInMain(this);
}

} // namespace qel::management::ui
