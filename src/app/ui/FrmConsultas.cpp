#include "app/ui/FrmConsultas.h"

#include "app/ConsultasModel.h"
#include "app/ui/CentreInMain.h"
#include "ui_FrmConsultas.h"

#include <QHeaderView>

namespace qel::app::ui {

FrmConsultas::FrmConsultas(store::Database& db, int listMode, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmConsultas>()), m_model(new ConsultasModel(db, listMode, this)) {
    m_ui->setupUi(this);
    setWindowTitle(ConsultasModel::caption(listMode));
    QTableView* grid = m_ui->grdConsulta;
    grid->setModel(m_model);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->resizeColumnToContents(0);
    grid->setColumnWidth(0, std::max(grid->columnWidth(0) + 16, 90));
    if (listMode == ConsultasModel::Uit) {
        grid->setColumnWidth(0, std::max(grid->columnWidth(0), 120));
    }
    grid->setCurrentIndex(m_model->index(0, 0));
    connect(m_ui->cmdSalir, &QPushButton::clicked, this, &QDialog::reject);
    if (listMode == ConsultasModel::Uit) {
        resize(320, height());
    }
}

FrmConsultas::~FrmConsultas() = default;

QTableView* FrmConsultas::grid() const {
    return m_ui->grdConsulta;
}

void FrmConsultas::showEvent(QShowEvent* event) {
    CentreInMain(this);
    QDialog::showEvent(event);
}

} // namespace qel::app::ui
