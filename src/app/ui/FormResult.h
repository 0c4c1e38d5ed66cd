#pragma once

#include <QString>

namespace qel::app::ui {

// A window opened by the form launcher that hands a text back to its caller when it closes
// (a total for a casilla, a chosen code ...). Windows without a result need not implement it.
class FormResult {
public:
    virtual ~FormResult() = default;
    virtual QString resultText() const = 0;
};

} // namespace qel::app::ui
