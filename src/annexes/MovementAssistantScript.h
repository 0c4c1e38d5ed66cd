#pragma once

#include "annexes/AssistantGridScript.h"
#include "annexes/MovementAssistantModel.h"
#include "app/FormRequest.h"

#include <memory>

namespace qel::annexes {

// A movement assistant as a script drives it: the grid grdMovimiento (a row per asset line),
// the totals txtTotal, CmdGrabar, cmdCerrar and cmdImportar.
class MovementAssistantScript : public AssistantGridScript<MovementAssistantModel> {
public:
    static const QString kGrid; // "grdMovimiento"

    explicit MovementAssistantScript(std::unique_ptr<MovementAssistantModel> model);

    QString name() const override { return model().kind().window; }

    // The window for a request: the kind by its name, the casilla from the request.
    static std::unique_ptr<app::ScriptableWindow> open(const QString& name, store::Database& db,
                                                       app::Prompter& prompter, app::FormOpener* opener,
                                                       const app::FormRequest& request);

private:
    bool imports() const override { return true; }
    QStringList rowTexts(int row) const override;
};

} // namespace qel::annexes
