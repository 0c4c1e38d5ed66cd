#include "app/HelpScript.h"
#include "app/WindowRegistry.h"
#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"
#include "batch/ModelAdapter.h"
#include "batch/SentDeclarationWindows.h"
#include "batch/TrialBalanceBatchWindows.h"
#include "catalogue/AnnexCatalog.h"
#include "catalogue/CasillaListCatalog.h"
#include "imports/ImportModel.h"
#include "printing/PrintScripts.h"
#include "printing/ReportPainter.h"
#include "windows/ModuleWindows.h"

#include <QDir>

namespace qel::batch {

namespace {

// FrmTipPrnR from the two print menus, and the preview and page-range windows it opens.
void registerPrintWindows(BatchWindows& windows) {
    const auto printType = [](BatchContext& c, bool sent) -> std::unique_ptr<app::ScriptableWindow> {
        const declaration::FormContext& s = c.services;
        return std::make_unique<printing::PrintTypeScript>(
            printing::PrintTypeModel::Context{s.db, s.prompter, s.clock, s.sysUser, s.userKind, s.periodo, s.formulario,
                                              c.reportFolder, sent},
            s.opener);
    };
    windows.addMenu(QStringLiteral("mnuImprimir"), [printType](BatchContext& c) { return printType(c, false); });
    windows.addMenu(QStringLiteral("mnuImprimirEnviada"), [printType](BatchContext& c) { return printType(c, true); });
    windows.addWindow(printing::PreviewScript::kWindowName, [](BatchContext& c, const app::FormRequest& r) {
        return std::make_unique<printing::PreviewScript>(
            r.code, c.services.prompter, c.services.opener, c.services.files, [&c] { return c.takePdfPath(); },
            &printing::ReportPainter::writePdf);
    });
    windows.addWindow(printing::PreviewScript::kRangeWindow, [](BatchContext& c, const app::FormRequest& r) {
        return std::make_unique<printing::PageRangeScript>(r.keyValues.value(0).toInt(), c.services.prompter);
    });
}

// The import windows; frmImportarGastoPresent serves the kind its caller names.
void registerImportWindows(BatchWindows& windows) {
    for (const char* name : {"frmImportarSocios", "frmImportarCasEF", "frmImportarGastoPresent", "frmImportarU41"}) {
        windows.addWindow(
            QString::fromLatin1(name),
            [](BatchContext& c, const app::FormRequest& r) -> std::unique_ptr<app::ScriptableWindow> {
                const imports::ImportKind* kind = imports::ImportModel::kindFor(r);
                if (kind == nullptr) {
                    throw app::ScriptError{QStringLiteral("%1 no importa la clase %2").arg(r.name, r.code)};
                }
                const declaration::FormContext& s = c.services;
                return std::make_unique<imports::ImportModel>(imports::ImportServices{s.db, s.prompter, s.clock,
                                                                                      s.opener, s.files, s.utility,
                                                                                      s.sysUser, c.reportFolder},
                                                              *kind, r);
            });
    }
}

} // namespace

// Every window a script can drive, registered here from the models its subsystem offers, so
// that no subsystem depends on the batch mode. Add one block per subsystem, e.g.
//   for (const QString& name : annexes::AnnexCatalog::windowNames())
//       windows.addWindow(name, [](BatchContext& c, const app::FormRequest& r) { ... });
void registerBatchWindows(BatchWindows& windows) {
    // The windows of the window registry, each model driven through the generic adapter.
    for (const QString& name : qel::windows::moduleWindows().names()) {
        windows.addWindow(
            name, [name](BatchContext& c, const app::FormRequest& request) -> std::unique_ptr<app::ScriptableWindow> {
                const declaration::FormContext& s = c.services;
                const app::WindowServices services{s.db,
                                                   s.prompter,
                                                   s.clock,
                                                   s.opener,
                                                   &s.utility,
                                                   s.files,
                                                   s.periodo,
                                                   s.formulario,
                                                   s.sysUser,
                                                   s.userKind,
                                                   c.reportFolder,
                                                   c.moduleFolder,
                                                   &printing::ReportPainter::writePdf};
                std::unique_ptr<app::PresentationModel> model =
                    qel::windows::moduleWindows().create(name, services, request);
                if (!model) {
                    return nullptr;
                }
                return std::make_unique<ModelAdapter>(std::move(model));
            });
    }
    registerPrintWindows(windows);
    registerImportWindows(windows);
    registerSentDeclarationWindows(windows);
    registerTrialBalanceWindows(windows);
    // The help of the menu, over the module's help file.
    windows.addMenu(QStringLiteral("mnuContenido"), [](BatchContext& c) -> std::unique_ptr<app::ScriptableWindow> {
        return std::make_unique<app::HelpScript>(QDir(c.moduleFolder).filePath(QStringLiteral("Pm588.html")));
    });
}

} // namespace qel::batch
