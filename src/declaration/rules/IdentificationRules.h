#pragma once

#include <QString>

namespace qel::declaration {

class DeclarationFormModel;

// The identification data of the declaration form: the legal representative's and the
// accountant's document types, and the ubigeo of an Amazonía domicile picked by zone. The key
// filters of the identification fields are the model's own.
class IdentificationRules {
public:
    explicit IdentificationRules(DeclarationFormModel& model);

    static const QString kNoAccountant;
    static const QString kChooseZone;

    // The accountant's document type chosen in cboContador (its first two characters).
    void accountantChosen();
    void deshabilitacontador();
    void habilitacontador();
    // The legal representative's document type: its number starts again.
    void representativeChosen();
    // CmdZona1: the ubigeo picker of the chosen zone; the code chosen goes into TxtUbigeo.
    void pickUbigeo();
    // cmdInverAmazonia: the detail of the fixed assets in the Amazonía; a total of its lines
    // becomes TxtActFijAmazonia (casilla 223). Without lines the amount typed stays.
    void detailAmazoniaInvestments();
    // The accountant's boxes as the stored answer says, while a declaration loads.
    void applyLoadedAnswers();

private:
    QString accountantCode() const;
    void accountantBoxes(const QString& code, bool clear);

    DeclarationFormModel& m_model;
};

} // namespace qel::declaration
