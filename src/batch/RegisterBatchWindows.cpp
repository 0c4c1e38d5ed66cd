#include "annexes/CasillaScripts.h"
#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"

namespace qel::batch {

// Every window a script can drive, registered here from the models its subsystem offers, so
// that no subsystem depends on the batch mode. Add one block per subsystem, e.g.
//   for (const QString& name : annexes::AnnexCatalog::windowNames())
//       windows.addWindow(name, [](BatchContext& c, const app::FormRequest& r) { ... });
void registerBatchWindows(BatchWindows& windows) {
    // The list windows and month assistants behind the casillas.
    for (const QString& name : annexes::CasillaScripts::names()) {
        windows.addWindow(name, [name](BatchContext& c, const app::FormRequest& request) {
            return annexes::CasillaScripts::create(name, c.services.db, c.services.prompter, &c.services.opener,
                                                   request);
        });
    }
}

} // namespace qel::batch
