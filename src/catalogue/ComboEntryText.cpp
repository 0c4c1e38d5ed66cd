#include "catalogue/ComboEntryText.h"

namespace qel::declaration {

namespace {
constexpr int kDescriptionWidth = 70;
}

QString comboEntryShown(const QString& entry) {
    if (entry.size() <= kDescriptionWidth) {
        return entry;
    }
    return entry.left(kDescriptionWidth).trimmed();
}

} // namespace qel::declaration
