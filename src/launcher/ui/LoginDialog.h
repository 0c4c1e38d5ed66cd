#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class LoginDialog;
}

namespace qel::app {
class Prompter;
}

namespace qel::store {
class Database;
}

namespace qel::launcher {

// The launcher's login: user and password checked against CLAVES.
class LoginDialog : public QDialog {
    Q_OBJECT

public:
    LoginDialog(store::Database& db, app::Prompter& prompter, const QString& lastUser = {}, QWidget* parent = nullptr);
    ~LoginDialog() override;

    // The user's name as CLAVES holds it, once the dialog was accepted.
    const QString& user() const { return m_user; }

    // "&Ingresar": accepts the dialog when the credentials are right, else says so.
    bool tryLogin();

private:
    std::unique_ptr<Ui::LoginDialog> m_ui;
    store::Database& m_db;
    app::Prompter& m_prompter;
    QString m_user;
};

} // namespace qel::launcher
