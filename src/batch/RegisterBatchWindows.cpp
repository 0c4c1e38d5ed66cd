#include "annexes/AnnexCatalog.h"
#include "annexes/AnnexScriptWindow.h"
#include "annexes/CasillaListCatalog.h"
#include "annexes/CasillaScripts.h"
#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"

namespace qel::batch {

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
}

} // namespace qel::batch
