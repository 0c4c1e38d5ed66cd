#include "windows/ModuleWindows.h"

#include "annexes/AnnexDetailModel.h"
#include "annexes/AssistantCatalog.h"
#include "annexes/CasillaAssistantModel.h"
#include "annexes/CasillaListModel.h"
#include "annexes/LossBalanceModel.h"
#include "annexes/MonthAssistantModel.h"
#include "annexes/MovementAssistantModel.h"
#include "annexes/PriorBalanceModel.h"
#include "annexes/TrialBalanceDetail.h"
#include "app/FormOpener.h"
#include "app/HelpModel.h"
#include "base/Prompter.h"
#include "declaration/commands/ConsistencyReportModel.h"
#include "declaration/commands/ValidateCommand.h"
#include "declaration/model/UbigeoModel.h"
#include "imports/ImportModel.h"
#include "imports/TrialBalanceTransfer.h"
#include "management/DeclarationListModel.h"
#include "management/VersionRecovery.h"
#include "printing/PageRangeModel.h"
#include "printing/PreviewModel.h"
#include "printing/PrintTypeModel.h"
#include "store/Database.h"

#include <QDir>
#include <QFileInfo>

namespace qel::windows {

using app::FormRequest;
using app::PresentationModel;
using app::WindowServices;

const app::WindowRegistry& moduleWindows() {
    static const app::WindowRegistry registry = [] {
        app::WindowRegistry windows;
        registerWindowModels(windows);
        registerPrintImportAndHelpModels(windows);
        return windows;
    }();
    return registry;
}

void registerWindowModels(app::WindowRegistry& registry) {
    // The ubigeo picker of an Amazonía domicile: the zone comes as the code, the ubigeo
    // already chosen as the first key value.
    registry.add(declaration::UbigeoModel::kWindowName, [](const WindowServices& s, const FormRequest& r) {
        return std::make_unique<declaration::UbigeoModel>(s.db, s.prompter, r.code, r.keyValues.value(0));
    });
    // The inconsistency report of the validate command: the report file comes as the code, the
    // control of each line as the key values.
    registry.add(declaration::ValidateCommand::kReportWindow, [](const WindowServices& s, const FormRequest& r) {
        return std::make_unique<declaration::ConsistencyReportModel>(r.code, r.keyValues, s.clock, s.opener, s.files,
                                                                     s.writePdf);
    });
    // The recovery of a sent version: the version comes as the key values.
    registry.add(management::VersionRecovery::kWindowName, [](const WindowServices& s, const FormRequest& r) {
        return std::make_unique<management::VersionRecovery>(
            management::VersionRecovery::Context{s.db, s.prompter, s.periodo, s.formulario, s.sysUser},
            management::VersionRecovery::versionOf(r.keyValues));
    });
    // The lists of stored declarations (FrmContAbrir) and of sent versions (FrmContAbrirEnv):
    // the request's code says what button 0 does.
    for (const QString& name :
         {management::DeclarationListModel::kStoredWindow, management::DeclarationListModel::kSentWindow}) {
        registry.add(name, [name](const WindowServices& s, const FormRequest& r) {
            return std::make_unique<management::DeclarationListModel>(
                *management::DeclarationListModel::listNamed(name),
                management::DeclarationListModel::Context{s.db, s.prompter, s.status, s.periodo, s.formulario,
                                                          s.userKind, s.sysUser},
                r.code, s.openForm, &s.opener);
        });
    }
    // Casilla 127 (frmAnexo127) and the window by its own name, the owner of 202-204: its three
    // parts come as the key values.
    for (const QString& name : {QStringLiteral("frmAnexo127"), annexes::PriorBalanceModel::kWindowName}) {
        registry.add(name, [](const WindowServices& s, const FormRequest& r) {
            auto model = std::make_unique<annexes::PriorBalanceModel>(
                s.db, s.prompter, r.key.value_or(store::DeclarationKey{}), r.readOnly, r.keyValues);
            model->load();
            return model;
        });
    }
    // The list windows of the casillas, by the names the casillas open them by and by their own.
    for (const annexes::CasillaListDef& def : annexes::CasillaListCatalog::lists()) {
        for (const QString& name : {def.launcherName, def.window}) {
            if (name.isEmpty() || registry.contains(name)) {
                continue;
            }
            registry.add(name, [name](const WindowServices& s, const FormRequest& r) {
                const annexes::CasillaListDef* named = annexes::CasillaListCatalog::find(name);
                const int casilla = r.casilla.value_or(named->captions.isEmpty() ? 0 : named->captions.firstKey());
                const annexes::CasillaListDef& shown = *annexes::CasillaListCatalog::find(name, casilla);
                auto model = std::make_unique<annexes::CasillaListModel>(
                    shown, s.db, s.prompter, &s.opener, r.key.value_or(store::DeclarationKey{}), casilla, r.readOnly);
                model->setPrompt(annexes::CasillaListModel::promptFrom(r.code));
                return model;
            });
        }
    }
    // The annex detail windows of the annex catalogue.
    for (const annexes::AnnexDef& def : annexes::AnnexCatalog::instance().windows()) {
        registry.add(def.window, [&def](const WindowServices& s, const FormRequest& r) {
            return std::make_unique<annexes::AnnexDetailModel>(
                def, annexes::AnnexContext{s.db, s.prompter, s.clock, &s.opener}, r);
        });
    }
    // The credits window keeps either of its tables by the casilla it serves.
    registry.add(QStringLiteral("frmDetalleCredReinversIng"), [](const WindowServices& s, const FormRequest& r) {
        const annexes::AnnexDef& def = annexes::CasillaListCatalog::creditWindow(r.casilla.value_or(r.code.toInt()));
        return std::make_unique<annexes::AnnexDetailModel>(
            def, annexes::AnnexContext{s.db, s.prompter, s.clock, &s.opener}, r);
    });
    // The casilla assistants: the layout for the casilla the window is opened from.
    for (const annexes::AssistantDef& def : annexes::AssistantCatalog::instance().all()) {
        if (registry.contains(def.window)) {
            continue;
        }
        const QString window = def.window;
        registry.add(
            window, [window](const WindowServices& s, const FormRequest& r) -> std::unique_ptr<PresentationModel> {
                const int casilla = r.casilla.value_or(0);
                const annexes::AssistantDef* layout = annexes::AssistantCatalog::instance().find(window, casilla);
                if (layout == nullptr) {
                    return nullptr;
                }
                auto model = std::make_unique<annexes::CasillaAssistantModel>(
                    s.db, s.prompter, *layout, r.key.value_or(store::DeclarationKey{}),
                    casilla == 0 ? layout->openedFrom.value(0) : casilla, r.readOnly, r.keyValues);
                model->setOpener(&s.opener);
                return model;
            });
    }
    // The loss balance by year of origin.
    registry.add(annexes::LossBalanceModel::kWindowName, [](const WindowServices& s, const FormRequest& r) {
        return std::make_unique<annexes::LossBalanceModel>(s.db, s.prompter, r.key.value_or(store::DeclarationKey{}),
                                                           r.readOnly);
    });
    // The month assistants behind casillas 126, 128, 130 and 131.
    for (const int casilla : {126, 128, 130, 131}) {
        const QString name = QStringLiteral("frmAnexo%1").arg(casilla);
        registry.add(
            name, [name, casilla](const WindowServices& s, const FormRequest& r) -> std::unique_ptr<PresentationModel> {
                const annexes::MonthAssistantKind* kind =
                    annexes::MonthAssistantKind::find(name, r.casilla.value_or(casilla));
                if (kind == nullptr) {
                    return nullptr;
                }
                auto model = std::make_unique<annexes::MonthAssistantModel>(
                    s.db, s.prompter, r.key.value_or(store::DeclarationKey{}), *kind, r.readOnly, &s.opener);
                model->load();
                return model;
            });
    }
    // The movement assistants of the fixed assets, for the casilla they are opened from.
    for (const annexes::MovementAssistantKind& kind : annexes::MovementAssistantKind::all()) {
        registry.add(kind.window, [&kind](const WindowServices& s, const FormRequest& r) {
            auto model = std::make_unique<annexes::MovementAssistantModel>(
                s.db, s.prompter, r.key.value_or(store::DeclarationKey{}), kind,
                r.casilla.value_or(kind.casillas.first()), r.readOnly, &s.opener);
            model->load();
            return model;
        });
    }
}

namespace {

// The installation folder: the module's folder without the form code; beside the database
// when no module folder is known.
QString installationFolder(const WindowServices& s) {
    if (s.moduleFolder.isEmpty()) {
        return QFileInfo(s.db.path()).absolutePath() + QLatin1Char('/');
    }
    const QString module = QDir::fromNativeSeparators(s.moduleFolder);
    const QString folder =
        module.endsWith(s.formulario) ? module.left(module.size() - s.formulario.size()) : module + QLatin1Char('/');
    return folder.isEmpty() ? QFileInfo(s.db.path()).absolutePath() + QLatin1Char('/') : folder;
}

} // namespace

void registerPrintImportAndHelpModels(app::WindowRegistry& registry) {
    // The print of declarations (mnuImprimir) or of sent versions (mnuImprimirEnviada, the
    // sent code); the print opens the preview on the report written.
    registry.add(printing::PrintTypeModel::kWindowName, [](const WindowServices& s, const FormRequest& r) {
        app::FormOpener& opener = s.opener;
        auto model = std::make_unique<printing::PrintTypeModel>(
            printing::PrintTypeModel::Context{s.db, s.prompter, s.clock, s.sysUser, s.userKind, s.periodo, s.formulario,
                                              s.reportFolder, r.code == printing::PrintTypeModel::kSentCode},
            [&opener](const QString& path) {
                FormRequest preview;
                preview.name = printing::PreviewModel::kWindowName;
                preview.code = path;
                opener.open(preview);
            });
        model->load();
        return model;
    });
    // The preview of a report file: the file comes as the code. A file that cannot be read is
    // told and the window closes at once.
    registry.add(printing::PreviewModel::kWindowName, [](const WindowServices& s, const FormRequest& r) {
        return std::make_unique<printing::PreviewModel>(r.code, s.prompter, &s.opener, s.files, s.takePdf, s.writePdf);
    });
    // The pages to print of the preview: the report's page count comes as the first key value.
    registry.add(printing::PageRangeModel::kWindowName, [](const WindowServices& s, const FormRequest& r) {
        return std::make_unique<printing::PageRangeModel>(r.keyValues.value(0).toInt(), s.prompter);
    });
    // The help of the menu: the help file comes as the code, the module's own when none does.
    registry.add(app::HelpModel::kWindowName, [](const WindowServices& s, const FormRequest& r) {
        return std::make_unique<app::HelpModel>(r.code.isEmpty() ? app::HelpModel::helpFileIn(s.moduleFolder) : r.code);
    });
    // The imports of annex rows and assistant months; frmImportarGastoPresent serves the kind
    // its caller names as the code.
    for (const char* name : {"frmImportarSocios", "frmImportarCasEF", "frmImportarGastoPresent", "frmImportarU41"}) {
        registry.add(
            QString::fromLatin1(name),
            [](const WindowServices& s, const FormRequest& r) -> std::unique_ptr<PresentationModel> {
                const imports::ImportKind* kind = imports::ImportModel::kindFor(r);
                if (kind == nullptr || s.utility == nullptr) {
                    // A kind the import windows do not know is a fault of the caller.
                    s.prompter.message(
                        QStringLiteral("Error interno del módulo: la ventana \"%1\" no importa la clase \"%2\".")
                            .arg(r.name, r.code),
                        QStringLiteral("Error"), app::Icon::Critical);
                    return nullptr;
                }
                return std::make_unique<imports::ImportModel>(imports::ImportServices{s.db, s.prompter, s.clock,
                                                                                      s.opener, s.files, *s.utility,
                                                                                      s.sysUser, s.reportFolder},
                                                              *kind, r);
            });
    }
    // The trial balance page's windows: the plan comes as the code; the detail opens on the
    // account of the first key value.
    registry.add(annexes::TrialBalancePage::kDetailWindow, [](const WindowServices& s, const FormRequest& r) {
        auto detail = std::make_unique<annexes::TrialBalanceDetail>(
            annexes::TrialBalanceTable(s.db, r.key.value_or(store::DeclarationKey{}), r.code), s.prompter, s.periodo);
        detail->open(r.keyValues.value(0));
        return detail;
    });
    // The transfer writes its error report into the report folder (RPT of the installation when
    // none is set) and starts the folder choice at the installation.
    registry.add(annexes::TrialBalancePage::kTransferWindow, [](const WindowServices& s, const FormRequest& r) {
        const QString installation = installationFolder(s);
        return std::make_unique<imports::TrialBalanceTransfer>(imports::TrialBalanceTransfer::Setup{
            s.db, s.prompter, s.clock, r.key.value_or(store::DeclarationKey{}), r.code,
            s.reportFolder.isEmpty() ? installation + QStringLiteral("RPT") : s.reportFolder, installation, s.files});
    });
}

} // namespace qel::windows
