#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace qel::app {

// A line of a script that names something the window does not have (an unknown control, a
// row out of range, a bad argument). The batch mode stops at it with its text.
struct ScriptError {
    QString text;
};

// A grid as the user sees it: rows of display texts and the current row.
class GridSource {
public:
    virtual ~GridSource() = default;
    virtual int rowCount() const = 0;
    // The texts of row `row` (0-based) as the grid shows them, one per column.
    virtual QStringList rowTexts(int row) const = 0;
    // -1 when no row is selected.
    virtual int currentRow() const = 0;
    virtual void setCurrentRow(int row) = 0;
};

// One control of a window as a script can address it. `kind` is one of text, date, combo,
// option, check, command, grid, label, casilla.
struct ControlInfo {
    QString name;
    QString kind;
};

// A window's presentation model as a script drives it: the same operations a user does with
// the mouse and the keyboard, by control name. Each operation returns false when the control
// refuses it (disabled, locked, a key filter) and throws ScriptError when the control does not
// exist or the argument cannot apply to it. A model that opens a window of its own does so
// through the form launcher, so the script drives that one next.
class ScriptableWindow {
public:
    virtual ~ScriptableWindow() = default;

    // The name the form launcher knows the window by, e.g. "frmDetalleSocios".
    virtual QString name() const = 0;
    virtual QList<ControlInfo> controls() const = 0;

    // Types `value` into a text or date box, replacing what it held, key by key.
    virtual bool text(const QString& control, const QString& value) = 0;
    // Chooses the entry with `code` in a list.
    virtual bool choose(const QString& control, const QString& code) = 0;
    // Clicks a button, an option (with its index) or a check box; index -1 for a single control.
    virtual bool click(const QString& control, int index) = 0;
    // The control's state on one line, as the script's `state` command prints it after "NAME = ".
    virtual QString state(const QString& control) const = 0;

    // The window's grid of that name, or null when it has none.
    virtual GridSource* grid(const QString& name) {
        Q_UNUSED(name)
        return nullptr;
    }
    // Types into a cell of an editable grid: row 1-based as shown, column 1-based or by the
    // name of the table column the cell writes.
    virtual bool cell(const QString& grid, int row, const QString& column, const QString& value) {
        Q_UNUSED(row)
        Q_UNUSED(column)
        Q_UNUSED(value)
        throw ScriptError{QStringLiteral("la cuadrícula %1 no se puede editar").arg(grid)};
    }

    // Whether the window has closed itself (its leave button, a save that closes it).
    virtual bool isClosed() const = 0;
    // What the form launcher hands back to the caller once the window closed: the casilla value
    // of a list window or an assistant, empty for a detail window.
    virtual QString result() const { return {}; }
};

} // namespace qel::app
