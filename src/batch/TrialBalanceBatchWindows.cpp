#include "batch/TrialBalanceBatchWindows.h"

#include "annexes/TrialBalanceDetail.h"
#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"
#include "imports/TrialBalanceTransfer.h"
#include "store/Database.h"

#include <QDir>
#include <QFileInfo>

namespace qel::batch {

namespace {

// The report folder of the installation: beside the module's folder, "RPT" (beside the
// database when no module folder is known).
QString reportFolderOf(const BatchContext& context) {
    if (context.moduleFolder.isEmpty()) {
        return QFileInfo(context.services.db.path()).absolutePath() + QStringLiteral("/RPT");
    }
    const QString module = QDir::fromNativeSeparators(context.moduleFolder);
    const QString formulario = context.services.formulario;
    const QString base =
        module.endsWith(formulario) ? module.left(module.size() - formulario.size()) : module + QLatin1Char('/');
    return base + QStringLiteral("RPT");
}

} // namespace

void registerTrialBalanceWindows(BatchWindows& windows) {
    windows.addWindow(QStringLiteral("frmDetalleBalance"), [](BatchContext& context, const app::FormRequest& request) {
        auto detail = std::make_unique<annexes::TrialBalanceDetail>(
            annexes::TrialBalanceTable(context.services.db, request.key.value_or(store::DeclarationKey{}),
                                       request.code),
            context.services.prompter, context.services.periodo);
        detail->open(request.keyValues.value(0));
        return std::unique_ptr<app::ScriptableWindow>(std::move(detail));
    });
    windows.addWindow(QStringLiteral("frmTransferencia"), [](BatchContext& context, const app::FormRequest& request) {
        imports::TrialBalanceTransfer::Setup setup{
            context.services.db,    context.services.prompter,
            context.services.clock, request.key.value_or(store::DeclarationKey{}),
            request.code,           reportFolderOf(context),
            context.moduleFolder,   context.services.files};
        return std::unique_ptr<app::ScriptableWindow>(std::make_unique<imports::TrialBalanceTransfer>(setup));
    });
}

} // namespace qel::batch
