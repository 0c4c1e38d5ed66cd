// The inconsistency report file lies in the module's folder, where anyone may edit it: any
// content must read and lay out on pages without crashing, every line printed exactly once.
#include "declaration/InconsistencyReport.h"

#include <QDateTime>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qel::declaration::InconsistencyReport report(qel::declaration::InconsistencyReport::parse(text));
    const auto pages = report.pages(QDateTime(QDate(2019, 3, 31), QTime(10, 0)));
    qsizetype printed = 0;
    for (const auto& page : pages) {
        printed += page.items.size() - 4; // the date, the time and the two titles
    }
    if (printed != report.lines().size() + 1) { // and the count after the last line
        std::abort();
    }
    (void)report.text();
    return 0;
}
