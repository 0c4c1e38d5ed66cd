#include "declaration/ui/FrmConsist.h"

#include "declaration/ui/ReportNavigator.h"
#include "ui_FrmConsist.h"

namespace qel::declaration {

FrmConsist::FrmConsist(std::unique_ptr<ConsistencyReportModel> model, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmConsist>()), m_model(std::move(model)) {
    m_ui->setupUi(this);
    m_ui->txtConsist->setPlainText(m_model->report().text());
    connect(m_ui->cmdAceptar, &QPushButton::clicked, this, [this] {
        m_model->accept();
        accept();
    });
    connect(m_ui->cmdImprimir, &QPushButton::clicked, this, [this] { m_model->print(); });
    connect(m_ui->cmdPdf, &QPushButton::clicked, this, [this] { m_model->savePdf(); });
    ReportNavigator::attach(*this, m_model->lineControls()); // lines go to their box
}

FrmConsist::~FrmConsist() = default;

} // namespace qel::declaration
