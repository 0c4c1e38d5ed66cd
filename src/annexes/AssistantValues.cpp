#include "annexes/AssistantValues.h"

#include "base/NumberFormat.h"

namespace qel::annexes {

double AssistantValues::value(int id) const {
    return app::readWhole(m_values.value(id));
}

void AssistantValues::setValue(int id, double value) {
    m_values.insert(id, app::formatNumber(value, app::masks::kWhole));
}

} // namespace qel::annexes
