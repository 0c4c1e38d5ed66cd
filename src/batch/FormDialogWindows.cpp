#include "batch/FormDialogWindows.h"

#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"
#include "declaration/commands/ConsistencyReportScript.h"
#include "declaration/commands/ValidateCommand.h"
#include "declaration/model/UbigeoScript.h"
#include "printing/ReportPainter.h"

#include <memory>

namespace qel::batch {

void registerFormDialogWindows(BatchWindows& windows) {
    // The zone comes as the code, the ubigeo already chosen as the first key value.
    windows.addWindow(declaration::UbigeoScript::kWindowName, [](BatchContext& c, const app::FormRequest& r) {
        return std::make_unique<declaration::UbigeoScript>(c.services.db, c.services.prompter, r.code,
                                                           r.keyValues.value(0));
    });
    // The inconsistency report of the validate command: the report file comes as the code.
    windows.addWindow(declaration::ValidateCommand::kReportWindow, [](BatchContext& c, const app::FormRequest& r) {
        return std::make_unique<declaration::ConsistencyReportScript>(
            r.code, c.services.clock, c.services.opener, c.services.files, &printing::ReportPainter::writePdf);
    });
}

} // namespace qel::batch
