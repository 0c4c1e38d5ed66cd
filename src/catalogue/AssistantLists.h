#pragma once

#include "catalogue/AnnexCatalog.h"
#include "catalogue/CasillaListCatalog.h"

#include <QList>
#include <QString>

namespace qel::annexes {

// The list windows that detail a box of a casilla assistant or a subject of the form without
// a casilla of its own: the other additions and deductions of 103 and 105, the other income of
// 476, the investments abroad, the trusts and the expenses subject to withholding of
// non-domiciled providers, the fixed assets in the Amazonía behind casilla 223; and the detail
// windows behind them.
class AssistantLists {
public:
    // The casilla the Amazonía investments add up to: the box TxtActFijAmazonia.
    static constexpr int kAmazoniaFixedAssets = 223;
    static const QString kAmazoniaWindow; // "frmListDetInverAmazonia"

    static QList<CasillaListDef> lists();
    static QList<AnnexDef> details();
};

} // namespace qel::annexes
