#include "app/HelpModel.h"
#include "app/MainCommands.h"
#include "app/WindowRegistry.h"
#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"
#include "batch/ModelAdapter.h"
#include "management/DeclarationListModel.h"
#include "printing/PrintTypeModel.h"
#include "printing/ReportPainter.h"
#include "windows/ModuleWindows.h"

namespace qel::batch {

namespace {

// The model of a registered window, made with the script's services and driven through the
// generic adapter; null when its factory declined the request (its message given).
std::unique_ptr<app::ScriptableWindow> openModel(BatchContext& c, const app::FormRequest& request) {
    const declaration::FormContext& s = c.services;
    const app::WindowServices services{s.db, s.prompter, s.clock, s.opener, &s.utility, s.files, s.periodo,
                                       s.formulario, s.sysUser, s.userKind, c.reportFolder, c.moduleFolder,
                                       &printing::ReportPainter::writePdf, nullptr,
                                       // The script goes on with the form: it stays open.
                                       [&c](int mode, const QVariantList& arguments) {
                                           c.openForm(mode, arguments);
                                           return false;
                                       },
                                       [&c] { return c.takePdfPath(); }};
    std::unique_ptr<app::PresentationModel> model =
        qel::windows::moduleWindows().create(request.name, services, request);
    if (!model) {
        return nullptr;
    }
    return std::make_unique<ModelAdapter>(std::move(model));
}

// A command of the main window's menu that opens a registered window.
void addMenuWindow(BatchWindows& windows, const QString& menu, std::function<app::FormRequest(BatchContext&)> request) {
    windows.addMenu(menu, [request = std::move(request)](BatchContext& c) { return openModel(c, request(c)); });
}

app::FormRequest requestFor(const QString& name, const QString& code = {}) {
    app::FormRequest request;
    request.name = name;
    request.code = code;
    return request;
}

} // namespace

// Every window a script can drive: the window registry's, each model through the generic
// adapter, and the main window's menu commands that open them.
void registerBatchWindows(BatchWindows& windows) {
    for (const QString& name : qel::windows::moduleWindows().names()) {
        windows.addWindow(name, [](BatchContext& c, const app::FormRequest& request) { return openModel(c, request); });
    }
    // The lists of declarations, each in the mode its menu item opens it in, as the main window
    // opens them.
    using List = management::DeclarationListModel;
    const struct {
        const char* menu;
        QString window;
        QString code;
    } listMenus[] = {{app::menus::kModify, List::kStoredWindow, List::kModifyCode},
                     {app::menus::kDelete, List::kStoredWindow, List::kDeleteCode},
                     {app::menus::kRegisterOrder, List::kSentWindow, List::kModifyCode},
                     {app::menus::kDeleteSent, List::kSentWindow, List::kDeleteCode},
                     {app::menus::kRecover, List::kSentWindow, List::kRecoverCode}};
    for (const auto& menu : listMenus) {
        addMenuWindow(windows, QString::fromLatin1(menu.menu),
                      [window = menu.window, code = menu.code](BatchContext&) { return requestFor(window, code); });
    }

    // The print of registered declarations and of sent versions.
    addMenuWindow(windows, app::menus::kPrint,
                  [](BatchContext&) { return requestFor(printing::PrintTypeModel::kWindowName); });
    addMenuWindow(windows, app::menus::kPrintSent, [](BatchContext&) {
        return requestFor(printing::PrintTypeModel::kWindowName, printing::PrintTypeModel::kSentCode);
    });
    // The help of the menu, over the module's help file.
    addMenuWindow(windows, app::menus::kContents, [](BatchContext& c) {
        return requestFor(app::HelpModel::kWindowName, app::HelpModel::helpFileIn(c.moduleFolder));
    });
}

} // namespace qel::batch
