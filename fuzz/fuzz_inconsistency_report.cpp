// The inconsistency report file lies in the module's folder, where anyone may edit it: any
// content must read and lay out on pages without crashing, every line printed.
#include "declaration/rules/InconsistencyReport.h"
#include "printing/ReportWriter.h"

#include <QDateTime>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qel::declaration::InconsistencyReport report(qel::declaration::InconsistencyReport::parse(text));
    const qel::printing::ReportWriter printout = report.printout(QDateTime(QDate(2019, 3, 31), QTime(10, 0)));
    if (printout.pageCount() < 1 || printout.fileText().isEmpty()) {
        std::abort();
    }
    (void)report.text();
    return 0;
}
