#include "app/ui/frmAcercade.h"

#include "app/ProcessState.h"
#include "app/ui/CentreInMain.h"
#include "app/ui/ToolbarIcons.h"
#include "ui_frmAcercade.h"

namespace qel::app::ui {

frmAcercade::frmAcercade(const ProcessState& state, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmAcercade>()) {
    m_ui->setupUi(this);
    m_ui->imgLogo->setPixmap(ToolbarIcons::emblem(state.formulario, 64));
    QFont heading = m_ui->lblVersion->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    m_ui->lblVersion->setFont(heading);
    m_ui->lblDescripcion->setText(QStringLiteral("Renta Anual ") + state.periodo +
                                  QStringLiteral(" 3ra Categoría e ITF"));
    m_ui->lblFecha->setText(state.versionDate);
    connect(m_ui->cmdAceptar, &QPushButton::clicked, this, &QDialog::accept);
    adjustSize();
    setFixedSize(sizeHint());
}

frmAcercade::~frmAcercade() = default;

void frmAcercade::showEvent(QShowEvent* event) {
    CentreInMain(this);
    QDialog::showEvent(event);
}

} // namespace qel::app::ui
