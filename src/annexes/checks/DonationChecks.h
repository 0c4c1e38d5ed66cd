#pragma once

#include "annexes/AnnexChecks.h"

namespace qel::annexes {

// frmDetalleDonaciones: the fields in their order, the description that modality 7 ("OTROS")
// needs, the date within the declared year, and one donation per document and date.
class DonationChecks : public AnnexChecks {
public:
    static const QString kType;        // "Debe seleccionar el tipo de donación "
    static const QString kModality;    // "Debe seleccionar la modalidad de donación efectuada"
    static const QString kDescription; // "Debe especificar la donación"
    static const QString kDocType;
    static const QString kDocNumber; // "El número de documento es incorrecto"
    static const QString kName;
    static const QString kDate; // "La Fecha de Donación Registrada No es Válida"
    static const QString kAmount;
    static const QString kSameDocumentAndDate; // "Ya existe registrada una donación para ese número de RUC y Fecha"

    std::optional<Failure> validate(AnnexDetailModel& model) override;
    std::optional<Failure> crossRows(AnnexDetailModel& model) override;
};

} // namespace qel::annexes
