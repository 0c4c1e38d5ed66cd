#include "declaration/CasillaData.h"

namespace qel::declaration {

QList<CasillaDef> casillaData() {
    return {};
}

} // namespace qel::declaration
