#pragma once

#include <QString>
#include <optional>

namespace qel::printing {

// The page range of frmImpxPag: the start and end pages, from 1.
struct PageRange {
    static const QString kTitle; // the window's caption, over its messages

    int first = 0;
    int last = 0;
};

// The first check of frmImpxPag that fails, in the order the window makes them, or the range
// (the end page brought down to the last page of the report).
struct PageRangeCheck {
    std::optional<PageRange> range;
    QString message;

    static PageRangeCheck check(const QString& from, const QString& to, int totalPages);
};

} // namespace qel::printing
