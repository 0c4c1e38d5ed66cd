#include "declaration/FormControls.h"

namespace qel::declaration {

QList<ControlDef> formControlData() {
    return {};
}

} // namespace qel::declaration
