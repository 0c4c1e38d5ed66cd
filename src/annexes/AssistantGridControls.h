#pragma once

#include "annexes/ScriptCells.h"
#include "app/PresentationModel.h"
#include "catalogue/AnnexControls.h"

#include <QList>

namespace qel::annexes {

// The controls of an assistant of fixed rows: its grid (a row per line, its cells by 1-based
// column or by the table column they write), the total txtTotal, cmdImportar when the
// assistant imports, CmdGrabar and cmdCerrar. The month and the movement assistants share
// them; `rows` is the model's grid as a script reads it, `current` the row a cell was last
// typed into.
template <class Model>
QList<app::DeclaredControl> assistantGridControls(Model& model, const QString& gridName, app::GridSource& rows,
                                                  int& current, bool imports) {
    const auto editable = [&model] { return model.readOnly() ? QStringLiteral("{}") : QStringLiteral("{0}"); };
    app::DeclaredControl grid(gridName, QStringLiteral("grid"));
    grid.grid = &rows;
    grid.state = [&rows] { return QString::number(rows.rowCount()); };
    grid.type = [gridName](const QString&) -> bool {
        throw app::ScriptError{QStringLiteral("%1 no es un cuadro de texto: use cell %1").arg(gridName)};
    };
    grid.cell = [&model, &rows, &current, gridName](int row, const QString& column, const QString& value) {
        const int index = scriptCellColumn(gridName, gridName, row, rows.rowCount(), column, model.columnIndex(column));
        current = row - 1;
        return model.setCellText(row - 1, index, value);
    };
    app::DeclaredControl total(controls::kTotal, QStringLiteral("label"));
    total.state = [&model] { return QLatin1Char('"') + model.totalText() + QLatin1Char('"'); };
    QList<app::DeclaredControl> controls = {grid, total};
    if (imports) {
        app::DeclaredControl import(controls::kImport, QStringLiteral("command"));
        import.click = [&model](int) { return model.importRows();
    };
    import.state = editable;
    controls.append(import);
}
app::DeclaredControl save(QStringLiteral("CmdGrabar"), QStringLiteral("command"));
save.click = [&model](int) { return model.save(); };
save.state = editable;
controls.append(save);
app::DeclaredControl leave(controls::kClose, QStringLiteral("command"));
leave.click = [&model](int) {
    model.close();
    return true;
};
leave.state = [] { return QStringLiteral("{0}"); };
controls.append(leave);
return controls;
} // namespace qel::annexes

} // namespace qel::annexes
