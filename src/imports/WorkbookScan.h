#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace qel::imports {

// A look at an .xls workbook's own records, without the spreadsheet library: the first text
// cell of the first sheet that is longer than a limit. The library gives up on a workbook with
// such a cell without saying why; this names the cell ("D4") and its length.
struct LongCell {
    QString cell; // "D4"
    int characters = 0;
};

class WorkbookScan {
public:
    // The workbook's bytes (a compound file with its "Workbook" stream, BIFF8). Nothing when
    // no text cell passes `limit` characters or the bytes are not such a workbook.
    static std::optional<LongCell> firstLongCell(const QByteArray& file, int limit);
    // "A", "Z", "AA": the letters of a column counted from 0.
    static QString columnName(int column);
};

} // namespace qel::imports
