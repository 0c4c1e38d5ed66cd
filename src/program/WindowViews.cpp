#include "program/WindowViews.h"

#include "annexes/AnnexDetailModel.h"
#include "annexes/CasillaAssistantModel.h"
#include "annexes/CasillaListModel.h"
#include "annexes/LossBalanceModel.h"
#include "annexes/MonthAssistantModel.h"
#include "annexes/MovementAssistantModel.h"
#include "annexes/PriorBalanceModel.h"
#include "annexes/TrialBalanceDetail.h"
#include "annexes/ui/AnnexDetailWindow.h"
#include "annexes/ui/CasillaAssistantWindow.h"
#include "annexes/ui/CasillaListWindow.h"
#include "annexes/ui/MonthAssistantWindow.h"
#include "annexes/ui/MovementAssistantWindow.h"
#include "annexes/ui/PriorBalanceWindow.h"
#include "annexes/ui/frmDetalleBalance.h"
#include "annexes/ui/frmPerdidaEjercAnt.h"
#include "app/Clock.h"
#include "app/HelpModel.h"
#include "app/HelpTopics.h"
#include "app/ProcessState.h"
#include "app/WindowRegistry.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/HelpKey.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/LauncherFormOpener.h"
#include "declaration/ui/FrmConsist.h"
#include "declaration/ui/frmUbigeo.h"
#include "imports/ImportModel.h"
#include "imports/TrialBalanceTransfer.h"
#include "imports/ui/ImportWindow.h"
#include "imports/ui/frmTransferencia.h"
#include "management/DeclarationListModel.h"
#include "management/ui/DeclarationListWindow.h"
#include "management/ui/FrmRecuperar.h"
#include "printing/PageRangeModel.h"
#include "printing/PreviewModel.h"
#include "printing/PrintTypeModel.h"
#include "printing/ReportPainter.h"
#include "printing/ui/FrmTipPrnR.h"
#include "printing/ui/frmImpxPag.h"
#include "printing/ui/frmPreview.h"
#include "windows/ModuleWindows.h"

#include <QApplication>

namespace qel::app::ui {

const WindowViews& WindowViews::module() {
    static const WindowViews views = [] {
        WindowViews all;
        registerWindowViews(all);
        return all;
    }();
    return views;
}

std::unique_ptr<QDialog> WindowViews::create(std::unique_ptr<PresentationModel> model) const {
    if (!model) {
        return nullptr;
    }
    const PresentationModel& made = *model;
    const auto factory = m_views.constFind(std::type_index(typeid(made)));
    if (factory == m_views.constEnd()) {
        qCritical("WindowViews: the model of \"%s\" has no view", qUtf8Printable(model->windowName()));
        return nullptr;
    }
    return (*factory)(std::move(model));
}

void registerWindowViews(WindowViews& views) {
    views.add<declaration::UbigeoModel, declaration::frmUbigeo>();
    views.add<declaration::ConsistencyReportModel, declaration::FrmConsist>();
    views.add<management::VersionRecovery, management::ui::FrmRecuperar>();
    views.add<management::DeclarationListModel, management::ui::DeclarationListWindow>();
    views.add<annexes::PriorBalanceModel, annexes::PriorBalanceWindow>();
    views.add<annexes::CasillaListModel, annexes::CasillaListWindow>();
    views.add<annexes::AnnexDetailModel, annexes::ui::AnnexDetailWindow>();
    views.add<annexes::CasillaAssistantModel, annexes::CasillaAssistantWindow>();
    views.add<annexes::LossBalanceModel, annexes::frmPerdidaEjercAnt>();
    views.add<annexes::MonthAssistantModel, annexes::MonthAssistantWindow>();
    views.add<annexes::MovementAssistantModel, annexes::MovementAssistantWindow>();

    views.add<printing::PrintTypeModel, printing::FrmTipPrnR>();
    views.add<printing::PreviewModel, printing::frmPreview>();
    views.add<printing::PageRangeModel, printing::frmImpxPag>();
    views.add<imports::ImportModel, imports::ui::ImportWindow>();
    views.add<imports::TrialBalanceTransfer, imports::frmTransferencia>();
    views.add<annexes::TrialBalanceDetail, annexes::frmDetalleBalance>();
    // The help opens beside the other windows, one at a time, at its contents.
    views.add<HelpModel>([](std::unique_ptr<PresentationModel> model) {
        const auto& help = static_cast<const HelpModel&>(*model);
        HelpWindow::showTopic(help.helpFile(), HelpTopics::kContents, HelpKey::casillaListAt(nullptr));
        return std::unique_ptr<QDialog>();
    });
}

void registerModelWindows(FormLauncher& forms, ProcessState& state, Prompter& prompter) {
    auto opener = std::make_shared<LauncherFormOpener>(forms);
    for (const QString& name : qel::windows::moduleWindows().names()) {
        forms.registerForm(name, [&state, &prompter, opener, name](const FormRequest& request) {
            static const SystemClock systemClock;
            const WindowServices services{state.database(),
                                          prompter,
                                          state.clock != nullptr ? *state.clock : systemClock,
                                          *opener,
                                          state.utility,
                                          state.files,
                                          state.periodo,
                                          state.formulario,
                                          state.sysUser,
                                          UserKind(state.database(), state.sysUser),
                                          state.reportFolder,
                                          state.moduleFolder(),
                                          &printing::ReportPainter::writePdf,
                                          state.status,
                                          [&state, opener](int mode, const QVariantList& arguments) {
                                              // The form is modal over the window that asks for it:
                                              // it has closed when open() returns.
                                              FormRequest form = management::DeclarationListModel::formRequest(
                                                  mode, arguments, state.periodo, state.formulario);
                                              form.parent = QApplication::activeModalWidget();
                                              opener->open(form);
                                              return true;
                                          },
                                          {}};
            std::unique_ptr<PresentationModel> model = qel::windows::moduleWindows().create(name, services, request);
            // A model that closed while opening (a report file that cannot be read) said why;
            // no window is shown.
            if (model && model->isClosed()) {
                return std::unique_ptr<QDialog>();
            }
            return WindowViews::module().create(std::move(model));
        });
    }
}

} // namespace qel::app::ui
