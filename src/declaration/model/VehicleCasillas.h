#pragma once

namespace qel::declaration {

class DeclarationFormModel;

// The vehicle casillas of the form, from the vehicles detailed (TMPF584VEHIC) and the
// vehicle assistant's working casillas (710, 711): run after any vehicle window closes.
class VehicleCasillas {
public:
    static const char* const kTooLarge; // "La adición por exceso de gastos demasiado grande"

    explicit VehicleCasillas(DeclarationFormModel& model) : m_model(model) {}

    // 701 the vehicles that deduct expenses; 702 the share of their expenses that is
    // deductible, the vehicles allowed (710) over those that deduct, at most 100%; 877 the
    // vehicles assigned (711); 703 the deductible expenses; 704 the addition: the expenses of the
    // vehicles that do not deduct, of the substituted vehicles and the non-deductible part of
    // the others.
    void CalculaCasVeh();

    // The deductible share in percent for a number of vehicles that deduct and the number allowed.
    static double deductiblePercent(int deducting, double allowed);

private:
    double sum(const char* columns, const char* condition) const;

    DeclarationFormModel& m_model;
};

} // namespace qel::declaration
