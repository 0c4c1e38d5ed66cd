#pragma once

#include "store/DeclarationKey.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::printing {

// One printed annex or assistant: a title, column headings and the rows as they print.
struct AnnexSection {
    QString table; // base name in the table catalogue
    QString group; // the casilla or assistant type the rows belong to; empty when one section
    QString title;
    QStringList headings;
    QStringList spans;   // a heading over a run of columns that share it (the trial balance's pairs)
    QList<int> widths;   // characters per column
    QList<bool> numeric; // right-aligned columns
    QList<QStringList> rows;
    QString totalLabel; // "TOTAL ..." with the sums of the amount columns; empty for none
    QStringList totals;
    bool landscape = false;

    int lineWidth() const; // the columns and the blanks between them
    // One line of cells, each cut to its width (numbers right-aligned).
    QString formatRow(const QStringList& cells) const;
    // A row as it prints: a text longer than its column wraps onto further lines, never cut.
    QStringList formatLines(const QStringList& cells) const;
    // The column headings wrapped in their columns, under the spans when any.
    QStringList headingLines() const;

private:
    QList<QStringList> wrapCells(const QStringList& cells) const;
};

// The annex and assistant sections of a declaration that have rows, read from the permanent
// tables (or the history tables of one sent version). Every annex table of the table catalogue
// takes part, so a table that gains a window gains its printed section with it.
class AnnexSections {
public:
    static QList<AnnexSection> read(store::Database& db, const store::DeclarationKey& key,
                                    const std::optional<QString>& correl);
    // The widest column before it is cut.
    static constexpr int kMaxColumnWidth = 40;
    static constexpr int kPortraitWidth = 104;
    static constexpr int kLandscapeWidth = 150;
};

} // namespace qel::printing
