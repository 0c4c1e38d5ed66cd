#pragma once

#include <QString>

namespace qel::declaration {

// Where each consistency rule sends the user: the box or question the rule is about, as a
// casilla number ("279"), a control name ("OptMineria") or, for a rule about a whole page,
// the page ("eeff.activo"). Rules built from a question name theirs where they are built.
class RuleControls {
public:
    // The control of the rule of that name; "" when the table does not name one.
    static QString of(const QString& ruleName);
};

} // namespace qel::declaration
