#include "windows/ModuleWindows.h"

#include "annexes/AnnexDetailModel.h"
#include "annexes/AssistantCatalog.h"
#include "annexes/CasillaAssistantModel.h"
#include "annexes/CasillaListModel.h"
#include "annexes/LossBalanceModel.h"
#include "annexes/MonthAssistantModel.h"
#include "annexes/MovementAssistantModel.h"
#include "annexes/PriorBalanceModel.h"
#include "base/Prompter.h"
#include "declaration/commands/ConsistencyReportModel.h"
#include "declaration/commands/ValidateCommand.h"
#include "declaration/model/UbigeoModel.h"
#include "management/DeclarationListModel.h"
#include "management/VersionRecovery.h"

namespace qel::windows {

using app::FormRequest;
using app::PresentationModel;
using app::WindowServices;

const QString kNotYetAvailable = QStringLiteral("Esta opción estará disponible en una próxima versión del módulo.");

const QStringList& announcedWindows() {
    // The list of Amazonía investments names no casilla, table or detail window to list.
    static const QStringList names = {QStringLiteral("frmListDetInverAmazonia")};
    return names;
}

const app::WindowRegistry& moduleWindows() {
    static const app::WindowRegistry registry = [] {
        app::WindowRegistry windows;
        registerWindowModels(windows);
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
            management::VersionRecovery::Context{s.db, s.prompter, s.periodo, s.formulario},
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
    // The windows announced for a later version: the notice, and no window.
    for (const QString& name : announcedWindows()) {
        registry.add(name, [](const WindowServices& s, const FormRequest&) -> std::unique_ptr<PresentationModel> {
            s.prompter.message(kNotYetAvailable, QStringLiteral("Declaración Pago Anual Impuesto a la Renta"),
                               app::Icon::Information);
            return nullptr;
        });
    }
}

} // namespace qel::windows
