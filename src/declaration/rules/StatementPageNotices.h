#pragma once

#include <QString>

namespace qel::declaration {

class DeclarationFormModel;

// The notices of the financial statement pages: what the statements must hold, when the user
// comes to them; and, for a taxpayer whose stability agreement has him keep his accounts in
// soles adjusted for inflation, the reminder of what may be adjusted, on each statement amount
// he changes (No puts back what the box held).
class StatementPageNotices {
public:
    static const QString kStatements;
    static const QString kAdjustedForInflation;
    static const QString kOnlyNonMonetary;

    explicit StatementPageNotices(DeclarationFormModel& model);

private:
    void pageSelected(const QString& pageId);
    void casillaEntered(int casilla);
    void casillaLeft(int casilla);
    bool adjustsForInflation() const;

    DeclarationFormModel& m_model;
    QString m_mainPage;
    int m_entered = 0;
    QString m_before;
};

} // namespace qel::declaration
