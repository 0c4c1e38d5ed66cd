#pragma once

#include "store/DeclarationKey.h"

#include <QString>
#include <QStringList>

namespace qel::app {

// What a window asks of the form launcher: open the window registered under `name` for
// the declaration, with the action (1 add, 2 modify), an optional casilla, the key values
// of the selected row and a code (an import kind, a project type ...). The answer is the
// window's result text (a list window's or an assistant's total), empty for the others.
struct FormRequest {
    QString name;
    store::DeclarationKey key;
    int action = 0;
    int casilla = 0;
    QStringList keys;
    QString code;
    bool readOnly = false;
    void* parent = nullptr; // the calling window (a QWidget*) when there is one
};

// The form launcher as the presentation models see it: the windows are in qel_ui; the batch
// mode has its own opener that only reports the request.
class FormOpener {
public:
    virtual ~FormOpener() = default;
    virtual QString open(const FormRequest& request) = 0;
    // Whether a window of that name can be opened (registered, or known to come later).
    virtual bool knows(const QString& name) const = 0;
};

} // namespace qel::app
