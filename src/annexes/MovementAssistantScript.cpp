#include "annexes/MovementAssistantScript.h"

namespace qel::annexes {

const QString MovementAssistantScript::kGrid = QStringLiteral("grdMovimiento");

MovementAssistantScript::MovementAssistantScript(std::unique_ptr<MovementAssistantModel> model)
    : AssistantGridScript(std::move(model), kGrid, MovementAssistantKind::kLines) {}

std::unique_ptr<app::ScriptableWindow> MovementAssistantScript::open(const QString& name, store::Database& db,
                                                                     app::Prompter& prompter, app::FormOpener* opener,
                                                                     const app::FormRequest& request) {
    const MovementAssistantKind* kind = MovementAssistantKind::find(name);
    if (kind == nullptr) {
        return nullptr;
    }
    auto model = std::make_unique<MovementAssistantModel>(db, prompter, request.key.value_or(store::DeclarationKey{}),
                                                          *kind, request.casilla.value_or(kind->casillas.first()),
                                                          request.readOnly, opener);
    model->load();
    return std::make_unique<MovementAssistantScript>(std::move(model));
}

QStringList MovementAssistantScript::rowTexts(int row) const {
    return labelAndCells(MovementAssistantKind::lineLabels().at(row), row);
}

} // namespace qel::annexes
