#include "batch/SentDeclarationWindows.h"

#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"
#include "management/SentListScript.h"

namespace qel::batch {

namespace {

// The list in a mode, as the main window's command prepares it.
std::unique_ptr<app::ScriptableWindow> sentList(BatchContext& context, int listMode, bool recovering) {
    const declaration::FormContext& services = context.services;
    management::SentDeclarationList::Context list{
        services.db,       services.prompter, nullptr,  services.periodo, services.formulario,
        services.userKind, services.sysUser,  listMode, recovering};
    return std::make_unique<management::SentListScript>(list, context.openForm, services.opener);
}

} // namespace

void registerSentDeclarationWindows(BatchWindows& windows) {
    windows.addMenu(QStringLiteral("mnuRegistrar"), [](BatchContext& context) { return sentList(context, 1, false); });
    windows.addMenu(QStringLiteral("mnuEliminarEnviada"),
                    [](BatchContext& context) { return sentList(context, 3, false); });
    windows.addMenu(QStringLiteral("mnuRecuperar"), [](BatchContext& context) { return sentList(context, 1, true); });
    // Opened by name, the list serves the mode its code gives ("3" delete, else register).
    windows.addWindow(management::SentListScript::kWindowName,
                      [](BatchContext& context, const app::FormRequest& request) {
                          return sentList(context, request.code == QStringLiteral("3") ? 3 : 1, false);
                      });
}

} // namespace qel::batch
