#pragma once

#include <QString>

namespace qel::declaration {

class DeclarationFormModel;

// The buttons of the form that open the list window of a subject without a casilla of its own
// (the investments abroad, the trusts, the expenses subject to withholding of non-domiciled
// providers). The lists keep their rows in their working tables; the form only opens them.
class SubjectButtons {
public:
    explicit SubjectButtons(DeclarationFormModel& model);

private:
    void open(const QString& window);

    DeclarationFormModel& m_model;
};

} // namespace qel::declaration
