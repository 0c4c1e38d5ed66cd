#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"

namespace qel::batch {

// Every window a script can drive, registered here from the models its subsystem offers, so
// that no subsystem depends on the batch mode. Add one block per subsystem, e.g.
//   for (const QString& name : annexes::AnnexCatalog::windowNames())
//       windows.addWindow(name, [](BatchContext& c, const app::FormRequest& r) { ... });
void registerBatchWindows(BatchWindows& windows) {
    Q_UNUSED(windows)
}

} // namespace qel::batch
