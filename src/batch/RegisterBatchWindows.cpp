#include "app/HelpScript.h"
#include "app/WindowRegistry.h"
#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"
#include "batch/ModelAdapter.h"
#include "batch/TrialBalanceBatchWindows.h"
#include "catalogue/AnnexCatalog.h"
#include "catalogue/CasillaListCatalog.h"
#include "imports/ImportModel.h"
#include "management/DeclarationListModel.h"
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

// A window of the window registry, its model made with the script's services and driven through
// the generic adapter; null when the model declined the request (its message given).
std::unique_ptr<app::ScriptableWindow> registeredWindow(BatchContext& c, const app::FormRequest& request) {
    const declaration::FormContext& s = c.services;
    const app::WindowServices services{s.db, s.prompter, s.clock, s.opener, &s.utility, s.files, s.periodo,
                                       s.formulario, s.sysUser, s.userKind, c.reportFolder, c.moduleFolder,
                                       &printing::ReportPainter::writePdf, nullptr,
                                       // The script goes on with the form: it stays open.
                                       [&c](int mode, const QVariantList& arguments) {
                                           c.openForm(mode, arguments);
                                           return false;
                                       }};
    std::unique_ptr<app::PresentationModel> model =
        qel::windows::moduleWindows().create(request.name, services, request);
    if (!model) {
        return nullptr;
    }
    return std::make_unique<ModelAdapter>(std::move(model));
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
            name, [](BatchContext& c, const app::FormRequest& request) { return registeredWindow(c, request); });
    }
    // The menu items that open the lists of declarations, each list in its mode, as the main
    // window opens them.
    struct ListMenu {
        QString menu;
        QString window;
        QString code;
    };
    using List = management::DeclarationListModel;
    const QList<ListMenu> listMenus = {{QStringLiteral("mnuModificar"), List::kStoredWindow, List::kModifyCode},
                                       {QStringLiteral("mnuEliminar"), List::kStoredWindow, List::kDeleteCode},
                                       {QStringLiteral("mnuRegistrar"), List::kSentWindow, List::kModifyCode},
                                       {QStringLiteral("mnuEliminarEnviada"), List::kSentWindow, List::kDeleteCode},
                                       {QStringLiteral("mnuRecuperar"), List::kSentWindow, List::kRecoverCode}};
    for (const ListMenu& menu : listMenus) {
        windows.addMenu(menu.menu, [menu](BatchContext& c) {
            app::FormRequest request;
            request.name = menu.window;
            request.code = menu.code;
            return registeredWindow(c, request);
        });
    }
    registerPrintWindows(windows);
    registerImportWindows(windows);
    registerTrialBalanceWindows(windows);
    // The help of the menu, over the module's help file.
    windows.addMenu(QStringLiteral("mnuContenido"), [](BatchContext& c) -> std::unique_ptr<app::ScriptableWindow> {
        return std::make_unique<app::HelpScript>(QDir(c.moduleFolder).filePath(QStringLiteral("Pm588.html")));
    });
}

} // namespace qel::batch
