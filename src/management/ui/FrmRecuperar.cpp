#include "management/ui/FrmRecuperar.h"

#include "app/ui/CentreInMain.h"
#include "ui_FrmRecuperar.h"

#include <algorithm>

namespace qel::management::ui {

FrmRecuperar::FrmRecuperar(std::unique_ptr<VersionRecovery> recovery, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmRecuperar>()), m_recovery(std::move(recovery)) {
    m_ui->setupUi(this);
    const SentVersionRow& source = m_recovery->source();
    setWindowTitle(VersionRecovery::kCaption);
    m_ui->txtRuc->setText(source.ruc.trimmed());
    m_ui->txtRazonSocial->setText(source.nombre.trimmed());
    m_ui->txtNroOrden->setText(source.norden.trimmed());
    m_ui->txtFechaEnvio->setText(source.fecEnv.trimmed());
    m_ui->ProgressBar1->setRange(0, 1);
    m_ui->ProgressBar1->setValue(0);

    m_recovery->setProgress([this](int done, int total) {
        m_ui->ProgressBar1->setRange(0, std::max(total, 1));
        m_ui->ProgressBar1->setValue(done);
        m_ui->ProgressBar1->repaint();
    });
    // The source boxes are there to be read: the window opens on its command.
    m_ui->cmdRecuperar->setFocus();
    connect(m_ui->cmdRecuperar, &QPushButton::clicked, this, [this] { cmdRecuperar(); });
    connect(m_ui->cmdSalir, &QPushButton::clicked, this, [this] {
        m_recovery->leave();
        reject();
    });
}

FrmRecuperar::~FrmRecuperar() = default;

QPushButton* FrmRecuperar::button(const QString& name) const {
    return findChild<QPushButton*>(name);
}

QProgressBar* FrmRecuperar::progressBar() const {
    return m_ui->ProgressBar1;
}

void FrmRecuperar::cmdRecuperar() {
    m_ui->ProgressBar1->setValue(0);
    m_recovery->recover();
}

void FrmRecuperar::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    app::ui::CentreInMain(this);
}

} // namespace qel::management::ui
