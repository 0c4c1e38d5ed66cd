#pragma once

#include "launcher/Environment.h"

#include <QDialog>
#include <memory>

namespace Ui {
class EnvironmentDialog;
}

namespace qel::app {
class Prompter;
}

namespace qel::launcher {

// The first start: offers to create the environment, in ~/QEL unless the user picks
// another folder.
class EnvironmentDialog : public QDialog {
    Q_OBJECT

public:
    EnvironmentDialog(const Environment& environment, app::Prompter& prompter, QWidget* parent = nullptr);
    ~EnvironmentDialog() override;

    static QString defaultFolder(); // ~/QEL

    QString folder() const;
    void setFolder(const QString& folder);

    // "&Crear entorno": creates it and closes, or tells why it could not.
    bool createEnvironment();

private:
    void chooseFolder();

    std::unique_ptr<Ui::EnvironmentDialog> m_ui;
    const Environment& m_environment;
    app::Prompter& m_prompter;
};

} // namespace qel::launcher
