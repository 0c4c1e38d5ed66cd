#pragma once

#include <QString>

namespace qel::declaration {

// The place of a box or question on the form: the innermost page that shows it and what
// takes the focus there (a casilla number or a control name; empty for a whole page).
struct FieldLocation {
    QString pageId;
    QString focusTarget;
    bool isValid() const { return !pageId.isEmpty(); }
};

// Finds a control of the form by the name the rules give it: a casilla number ("279" or
// "txtValor(279)"), a named control ("OptMineria", "OptZona(1)") or a page id.
class FieldLocator {
public:
    static FieldLocation locate(const QString& control);
};

} // namespace qel::declaration
