#pragma once

#include "catalogue/AnnexCatalog.h"
#include "catalogue/CasillaListCatalog.h"

#include <QList>

namespace qel::annexes {

// The list windows that detail a box of a casilla assistant or a subject of the form without
// a casilla of its own: the other additions and deductions of 103 and 105, the other income of
// 476, the investments abroad, the trusts and the expenses subject to withholding of
// non-domiciled providers; and the detail windows behind them.
class AssistantLists {
public:
    static QList<CasillaListDef> lists();
    static QList<AnnexDef> details();
};

} // namespace qel::annexes
