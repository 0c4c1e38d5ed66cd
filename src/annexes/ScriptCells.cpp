#include "annexes/ScriptCells.h"

#include "app/ScriptableWindow.h"

namespace qel::annexes {

int scriptCellColumn(const QString& gridName, const QString& grid, int row, int rows, const QString& column,
                     int columnIndex) {
    if (gridName.compare(grid, Qt::CaseInsensitive) != 0) {
        throw app::ScriptError{QStringLiteral("no existe la cuadrícula %1").arg(gridName)};
    }
    if (row < 1 || row > rows) {
        throw app::ScriptError{QStringLiteral("%1 no tiene la fila %2").arg(gridName).arg(row)};
    }
    if (columnIndex < 0) {
        throw app::ScriptError{QStringLiteral("%1 no tiene la columna %2").arg(gridName, column)};
    }
    return columnIndex;
}

} // namespace qel::annexes
