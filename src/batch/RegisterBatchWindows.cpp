#include "annexes/AnnexCatalog.h"
#include "annexes/AnnexScriptWindow.h"
#include "annexes/AssistantScripts.h"
#include "annexes/CasillaListCatalog.h"
#include "annexes/CasillaScripts.h"
#include "annexes/MovementAssistantScript.h"
#include "app/HelpScript.h"
#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"
#include "batch/FormDialogWindows.h"
#include "batch/SentDeclarationWindows.h"
#include "batch/TrialBalanceBatchWindows.h"
#include "imports/ImportModel.h"
#include "printing/PrintScripts.h"
#include "printing/ReportPainter.h"

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
    // The annex detail windows of the annex catalogue.
    for (const annexes::AnnexDef& def : annexes::AnnexCatalog::instance().windows()) {
        windows.addWindow(def.window, [&def](BatchContext& c, const app::FormRequest& request) {
            const annexes::AnnexContext context{c.services.db, c.services.prompter, c.services.clock,
                                                &c.services.opener};
            return std::make_unique<annexes::AnnexScriptWindow>(def, context, request);
        });
    }
    // The list windows and month assistants behind the casillas.
    for (const QString& name : annexes::CasillaScripts::names()) {
        windows.addWindow(name, [name](BatchContext& c, const app::FormRequest& request) {
            return annexes::CasillaScripts::create(name, c.services.db, c.services.prompter, &c.services.opener,
                                                   request);
        });
    }
    // The credits window keeps either of its tables by the casilla it serves.
    windows.addWindow(QStringLiteral("frmDetalleCredReinversIng"), [](BatchContext& c,
                                                                      const app::FormRequest& request) {
        const annexes::AnnexContext context{c.services.db, c.services.prompter, c.services.clock, &c.services.opener};
        const annexes::AnnexDef& def =
            annexes::CasillaListCatalog::creditWindow(request.casilla.value_or(request.code.toInt()));
        return std::make_unique<annexes::AnnexScriptWindow>(def, context, request);
    });
    // The movement assistants of the fixed assets (casillas 317, 380-382; 328, 383).
    for (const annexes::MovementAssistantKind& kind : annexes::MovementAssistantKind::all()) {
        windows.addWindow(kind.window, [&kind](BatchContext& c, const app::FormRequest& request) {
            return annexes::MovementAssistantScript::open(kind.window, c.services.db, c.services.prompter,
                                                          &c.services.opener, request);
        });
    }
    registerPrintWindows(windows);
    registerImportWindows(windows);
    registerSentDeclarationWindows(windows);
    registerTrialBalanceWindows(windows);
    registerFormDialogWindows(windows);
    // The help of the menu, over the module's help file.
    windows.addMenu(QStringLiteral("mnuContenido"), [](BatchContext& c) -> std::unique_ptr<app::ScriptableWindow> {
        return std::make_unique<app::HelpScript>(QDir(c.moduleFolder).filePath(QStringLiteral("Pm588.html")));
    });
    // The casilla assistants.
    for (const QString& name : annexes::AssistantScripts::windowNames()) {
        windows.addWindow(name, [name](BatchContext& c, const app::FormRequest& r) {
            return annexes::AssistantScripts::open(name, c.services, r);
        });
    }
}

} // namespace qel::batch
