#pragma once

#include "annexes/AnnexDetailModel.h"
#include "app/ScriptableWindow.h"

#include <memory>

namespace qel::annexes {

// An annex detail window as a script drives it: every field answers to its control name and to
// the table column it writes (`choose tipo_socio 01`, `text Porcentaje 33.33`), the buttons are
// cmdAccion 0 ("&Grabar") and 1 ("&Salir") and the sub-window buttons; option fields take the
// code as their index (`click optPlazo 1`).
class AnnexScriptWindow : public app::ScriptableWindow {
public:
    AnnexScriptWindow(const AnnexDef& def, AnnexContext context, const app::FormRequest& request);

    AnnexDetailModel& model() { return *m_model; }

    QString name() const override;
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    bool isClosed() const override;
    app::GridSource* grid(const QString& name) override;

private:
    const AnnexField& fieldNamed(const QString& control) const; // throws ScriptError
    bool isCommand(const QString& control) const;

    std::unique_ptr<AnnexDetailModel> m_model;
    std::unique_ptr<app::GridSource> m_childGrid;
};

} // namespace qel::annexes
