#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// frmDetalleCredReinversIng: its captions follow the casilla it serves (the reinvestment
// credit 136, the other credits 125 and 129); its rules are the catalogue's field rules.
class CreditChecks : public AnnexChecks {
public:
    // The amount's caption for a casilla.
    static QString amountCaption(int casilla);
    // The window's title for a casilla: the catalogue's caption followed by the casilla.
    static QString windowCaption(const QString& caption, int casilla);

    void prepare(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
