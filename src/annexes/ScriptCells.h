#pragma once

#include <QString>

namespace qel::annexes {

// The 0-based column a script's `cell GRID ROW COLUMN` addresses in an assistant's grid of
// `rows` rows, given the column index the model found for COLUMN (-1 when none). A wrong grid,
// row or column is a script error, with the same words for every assistant.
int scriptCellColumn(const QString& gridName, const QString& grid, int row, int rows, const QString& column,
                     int columnIndex);

} // namespace qel::annexes
