#include "management/ui/FrmContAbrirEnv.h"

#include "app/ui/CentreInMain.h"
#include "base/Prompter.h"
#include "store/ExecuteSql.h"
#include "ui_FrmContAbrirEnv.h"

#include <QEvent>
#include <QHeaderView>
#include <QStandardItemModel>

namespace qel::management::ui {

FrmContAbrirEnv::FrmContAbrirEnv(SentDeclarationList::Context context, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmContAbrirEnv>()), m_list(std::move(context)),
      m_rows(new QStandardItemModel(this)) {
    m_ui->setupUi(this);
    setWindowTitle(m_list.windowCaption());
    m_ui->fraDeclaraciones->setTitle(SentDeclarationList::kFrameCaption);
    m_ui->lblMensaje->setText(m_list.labelCaption());
    m_ui->CmdOpciones_0->setText(m_list.buttonCaption());

    m_rows->setHorizontalHeaderLabels(SentDeclarationList::columnCaptions());
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
    connect(m_ui->CmdOpciones_2, &QPushButton::clicked, this, [this] { CmdOpciones(2); });
}

FrmContAbrirEnv::~FrmContAbrirEnv() = default;

QTableView* FrmContAbrirEnv::grid() const {
    return m_ui->grdContrib;
}

QPushButton* FrmContAbrirEnv::button(int index) const {
    switch (index) {
    case 0:
        return m_ui->CmdOpciones_0;
    case 2:
        return m_ui->CmdOpciones_2;
    default:
        return m_ui->CmdOpciones_1;
    }
}

void FrmContAbrirEnv::pCargadatos() {
    try {
        m_list.pCargadatos();
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_list.context().prompter, error);
    }
    fillGrid();
}

void FrmContAbrirEnv::fillGrid() {
    m_filling = true;
    m_rows->removeRows(0, m_rows->rowCount());
    const int columns = static_cast<int>(SentDeclarationList::columnCaptions().size());
    for (int row = 0; row < m_list.rows().size(); ++row) {
        QList<QStandardItem*> cells;
        for (int column = 0; column < columns; ++column) {
            cells.append(new QStandardItem(m_list.cell(row, column)));
        }
        m_rows->appendRow(cells);
    }
    m_ui->grdContrib->setEnabled(!m_list.isEmpty());
    selectRow(m_list.current());
    m_filling = false;
}

void FrmContAbrirEnv::selectRow(int row) {
    if (row < 0) {
        m_ui->grdContrib->clearSelection();
        return;
    }
    m_ui->grdContrib->selectRow(row);
    m_ui->grdContrib->setCurrentIndex(m_rows->index(row, 0));
}

void FrmContAbrirEnv::CmdOpciones(int index) {
    if (index == 1) {
        m_list.leave();
        reject();
        return;
    }
    try {
        if (index == 2) {
            m_list.view();
        } else {
            m_list.runOperation();
        }
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_list.context().prompter, error);
    }
    fillGrid();
}

bool FrmContAbrirEnv::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        pCargadatos();
    }
    return QDialog::event(event);
}

void FrmContAbrirEnv::showEvent(QShowEvent* event) {
    // Read before the first activation too, so that the list never shows empty for a moment.
    pCargadatos();
    QDialog::showEvent(event);
    app::ui::CentreInMain(this);
}

} // namespace qel::management::ui
