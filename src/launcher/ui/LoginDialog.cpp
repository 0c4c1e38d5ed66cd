#include "launcher/ui/LoginDialog.h"

#include "base/Prompter.h"
#include "launcher/UserAccounts.h"
#include "launcher/ui/LauncherIcons.h"
#include "store/DatabaseError.h"
#include "store/ExecuteSql.h"
#include "ui_LoginDialog.h"

namespace qel::launcher {

LoginDialog::LoginDialog(store::Database& db, app::Prompter& prompter, const QString& lastUser, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::LoginDialog>()), m_db(db), m_prompter(prompter) {
    m_ui->setupUi(this);
    setWindowIcon(LauncherIcons::application());
    m_ui->imgLogo->setPixmap(LauncherIcons::application().pixmap(56, 56));
    QFont title = m_ui->lblTitulo->font();
    title.setPointSizeF(title.pointSizeF() * 1.4);
    title.setBold(true);
    m_ui->lblTitulo->setFont(title);
    m_ui->txtUsuario->setText(lastUser);
    if (!lastUser.isEmpty()) {
        m_ui->txtClave->setFocus();
    }
    connect(m_ui->cmdIngresar, &QPushButton::clicked, this, [this] { tryLogin(); });
    connect(m_ui->cmdSalir, &QPushButton::clicked, this, &QDialog::reject);
}

LoginDialog::~LoginDialog() = default;

bool LoginDialog::tryLogin() {
    std::optional<QString> name;
    try {
        name = UserAccounts(m_db).authenticate(m_ui->txtUsuario->text(), m_ui->txtClave->text());
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
        return false;
    }
    if (!name) {
        m_prompter.message(UserAccounts::kWrongCredentials, windowTitle(), app::Icon::Critical);
        m_ui->txtClave->clear();
        m_ui->txtClave->setFocus();
        return false;
    }
    m_user = *name;
    accept();
    return true;
}

} // namespace qel::launcher
