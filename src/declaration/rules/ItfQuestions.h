#pragma once

#include <QString>

namespace qel::declaration {

class DeclarationFormModel;

// The questions of the identification page that say whether the declaration carries the ITF.
class ItfQuestions {
public:
    static const QString kBalanceUnanswered;

    // The 15% question answered "Si" gives the year an ITF to regularise; the ITF's own box
    // (ChkITF, the tax the declaration covers) must then say so, or the ITF column would be
    // stored for a declaration that does not declare it.
    static bool balanceUnanswered(const DeclarationFormModel& model);
};

} // namespace qel::declaration
