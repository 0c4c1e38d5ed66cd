#pragma once

#include "catalogue/CasillaCatalog.h"

namespace qel::declaration {

// The casillas of form 0588 in the form's order (CasillaData.cpp).
QList<CasillaDef> casillaData();

} // namespace qel::declaration
