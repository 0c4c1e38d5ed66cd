#pragma once

#include "annexes/AssistantCheck.h"
#include "annexes/AssistantDef.h"

namespace qel::annexes {

// The vehicles owned and those assigned to management must be more than none, the assigned
// ones no more than those owned, and neither fewer than the vehicles detailed (TMPF584VEHIC).
class VehicleCountCheck : public AssistantCheck {
public:
    QString problem(const AssistantValues& values, const AssistantContext& context) const override;
    static int detailed(const AssistantContext& context);
};

// The vehicles owned (705) must be more than none and no fewer than the vehicles detailed.
class OwnedVehiclesCheck : public AssistantCheck {
public:
    QString problem(const AssistantValues& values, const AssistantContext& context) const override;
};

// The net income of the previous year (706) as its detail windows last stored it.
class StoredNetIncome : public AssistantCalculation {
public:
    void compute(AssistantValues& values, const AssistantContext& context) const override;
};

// How many vehicles A2, A3 and A4 may deduct expenses, by the net income of the previous year
// (706) in UIT of that year: one per 3,600 UIT begun, at most 20 (710); 711 repeats the
// vehicles assigned (707), which casilla 877 shows.
class VehicleLimit : public AssistantCalculation {
public:
    void compute(AssistantValues& values, const AssistantContext& context) const override;
    static int maximumVehicles(double netIncome, double uit);
};

} // namespace qel::annexes
