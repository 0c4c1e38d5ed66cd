#pragma once

#include "app/FormRequest.h"
#include "app/ScriptableWindow.h"
#include "declaration/model/DeclarationFormModel.h"

#include <QStringList>
#include <memory>

namespace qel::annexes {

// The windows of the casilla assistants a script can open: their names and the scriptable
// model of one, made with the form's services.
class AssistantScripts {
public:
    static QStringList windowNames();
    static std::unique_ptr<app::ScriptableWindow> open(const QString& name, declaration::FormContext& services,
                                                       const app::FormRequest& request);
};

} // namespace qel::annexes
