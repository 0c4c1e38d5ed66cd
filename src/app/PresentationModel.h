#pragma once

#include "app/ScriptableWindow.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

namespace qel::app {

// One control of a window as its presentation model declares it, once: the name the window
// and the scripts know it by, its kind (text, date, combo, option, check, command, grid,
// label) and what each operation does on it. An operation left empty is one the control does
// not take. Each operation answers false when the control refuses it (disabled, a key filter)
// and throws ScriptError when the argument cannot apply.
struct DeclaredControl {
    DeclaredControl(QString controlName, QString controlKind)
        : name(std::move(controlName)), kind(std::move(controlKind)) {}

    QString name;
    QString kind;
    QStringList aliases;                             // other names it answers to (an annex field: the column it writes)
    std::function<bool(int index)> click;            // a button, an option (its index), a check box
    std::function<bool(const QString& value)> type;  // a text or date box, replaced key by key
    std::function<bool(const QString& code)> choose; // the entry with that code of a list
    std::function<QString()> state;                  // the control on one line, as `state` prints it
    GridSource* grid = nullptr;                      // the rows of a grid or a tree
    std::function<bool(int row, const QString& column, const QString& value)> cell; // an editable grid
};

// A window's presentation model: its state, its commands and its messages (through the
// prompter), without widgets. The window's view binds widgets to it; the batch mode drives the
// same model through one generic adapter that reads the declared controls.
class PresentationModel {
public:
    virtual ~PresentationModel() = default;

    // The name the form launcher opens the window by, e.g. "frmUbigeo".
    virtual QString windowName() const = 0;
    // The window's controls; declared once, the operations may refer to the model itself.
    virtual QList<DeclaredControl> declaredControls() = 0;
    // Whether the window has closed itself (an accept, a cancel, a leave button).
    virtual bool isClosed() const = 0;
    // What the form launcher hands back once the window closed ("" when it gives nothing).
    virtual QString result() const { return {}; }
};

} // namespace qel::app
