#pragma once

#include "app/ScriptableWindow.h"
#include "management/VersionRecovery.h"

namespace qel::management {

// The recovery window FrmRecuperar as a script drives it: the read-only boxes of the source
// version (txtRuc, txtRazonSocial, txtNroOrden, txtFechaEnvio), the progress bar ProgressBar1
// ("DONE/TOTAL") and the buttons cmdRecuperar and cmdSalir.
class RecoveryScript : public app::ScriptableWindow {
public:
    static const QString kWindowName; // "FrmRecuperar"

    RecoveryScript(VersionRecovery::Context context, SentVersionRow source);

    QString name() const override { return kWindowName; }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    bool isClosed() const override { return m_closed; }

private:
    QString boxText(const QString& control) const; // throws for a control the window lacks

    VersionRecovery m_recovery;
    bool m_closed = false;
};

} // namespace qel::management
