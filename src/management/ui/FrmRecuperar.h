#pragma once

#include "management/VersionRecovery.h"

#include <QDialog>
#include <memory>

namespace Ui {
class FrmRecuperar;
}

class QPushButton;
class QProgressBar;

namespace qel::management::ui {

// "Recuperar Declaración", a thin view over VersionRecovery: the data of the chosen sent
// version and "&Recuperar", which makes it the active declaration of the period again. The
// progress bar follows the tables copied.
class FrmRecuperar : public QDialog {
    Q_OBJECT

public:
    explicit FrmRecuperar(std::unique_ptr<VersionRecovery> recovery, QWidget* parent = nullptr);
    ~FrmRecuperar() override;

    VersionRecovery& recovery() { return *m_recovery; }
    QPushButton* button(const QString& name) const;
    QProgressBar* progressBar() const;

    // "&Recuperar".
    void cmdRecuperar();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::FrmRecuperar> m_ui;
    std::unique_ptr<VersionRecovery> m_recovery;
};

} // namespace qel::management::ui
