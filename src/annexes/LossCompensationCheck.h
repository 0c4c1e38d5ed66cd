#pragma once

#include "annexes/AssistantCheck.h"

namespace qel::annexes {

// The compensation of the losses of a year may not exceed the balance of losses of that
// year (frmPerdidaEjercAnt).
class LossCompensationCheck : public AssistantCheck {
public:
    QString problem(const AssistantValues& values, const AssistantContext& context) const override;
};

} // namespace qel::annexes
