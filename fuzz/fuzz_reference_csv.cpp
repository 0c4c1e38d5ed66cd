// The reference data files are compiled in, but a build may carry edited ones: any content
// must read without crashing, and every row read has the header's columns.
#include "store/DatabaseError.h"
#include "store/ReferenceCsv.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const qel::store::CsvTable table = qel::store::CsvTable::parse(QStringLiteral("fuzz.csv"), text);
        for (const auto& row : table.rows) {
            if (row.size() > table.header.size()) {
                std::abort();
            }
            if (!table.header.isEmpty()) {
                (void)table.value(row, table.header.first());
            }
        }
    } catch (const qel::store::DatabaseError&) {
        // a malformed file is refused with its message
    }
    return 0;
}
