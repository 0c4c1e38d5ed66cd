#include "launcher/ui/EnvironmentDialog.h"

#include "base/Prompter.h"
#include "launcher/ui/LauncherIcons.h"
#include "ui_EnvironmentDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace qel::launcher {

EnvironmentDialog::EnvironmentDialog(const Environment& environment, app::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::EnvironmentDialog>()), m_environment(environment),
      m_prompter(prompter) {
    m_ui->setupUi(this);
    setWindowIcon(LauncherIcons::application());
    m_ui->imgCarpeta->setPixmap(LauncherIcons::folder().pixmap(48, 48));
    m_ui->cmdExaminar->setIcon(LauncherIcons::folder());
    m_ui->txtCarpeta->setText(QDir::toNativeSeparators(defaultFolder()));
    m_ui->lblConfiguracion->setText(QStringLiteral("El archivo de configuración quedará en %1.")
                                        .arg(QDir::toNativeSeparators(environment.ini().path())));
    connect(m_ui->cmdExaminar, &QPushButton::clicked, this, [this] { chooseFolder(); });
    connect(m_ui->cmdCrear, &QPushButton::clicked, this, [this] { createEnvironment(); });
    connect(m_ui->cmdSalir, &QPushButton::clicked, this, &QDialog::reject);
}

EnvironmentDialog::~EnvironmentDialog() = default;

QString EnvironmentDialog::defaultFolder() {
    return QDir::homePath() + QStringLiteral("/QEL");
}

QString EnvironmentDialog::folder() const {
    return QDir::fromNativeSeparators(m_ui->txtCarpeta->text().trimmed());
}

void EnvironmentDialog::setFolder(const QString& folder) {
    m_ui->txtCarpeta->setText(QDir::toNativeSeparators(folder));
}

void EnvironmentDialog::chooseFolder() {
    // The default folder may not exist yet: start the chooser at its nearest existing parent.
    QDir start(folder());
    while (!start.exists() && start.cdUp()) {
    }
    const QString chosen =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Carpeta del entorno del QEL"), start.absolutePath());
    if (!chosen.isEmpty()) {
        setFolder(chosen);
    }
}

bool EnvironmentDialog::createEnvironment() {
    // A new environment has no known accounts: its first user, a supervisor, and his password
    // are chosen here.
    const QString user = m_ui->txtUsuario->text().trimmed();
    const QString password = m_ui->txtClave->text();
    QString refused;
    if (user.isEmpty() || password.isEmpty()) {
        refused = QStringLiteral("Indique el usuario supervisor del entorno y su contraseña.");
    } else if (password != m_ui->txtClave2->text()) {
        refused = QStringLiteral("Las dos contraseñas no coinciden.");
    }
    if (!refused.isEmpty()) {
        m_prompter.message(refused, windowTitle(), app::Icon::Exclamation);
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Environment::CreateResult result = m_environment.create(folder(), user, password);
    QApplication::restoreOverrideCursor();
    if (result.outcome == Environment::Outcome::Failed) {
        m_prompter.message(result.message, windowTitle(), app::Icon::Critical);
        return false;
    }
    accept();
    return true;
}

} // namespace qel::launcher
