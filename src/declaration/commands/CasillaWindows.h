#pragma once

#include <QString>
#include <QStringList>

namespace qel::declaration {

class DeclarationFormModel;

// The detail windows behind the assistant casillas: a click on the box (or Enter in it)
// opens the casilla's window by name, and the text it hands back becomes the casilla's value,
// shown with its display mask; the change then runs the calculation again.
class CasillaWindows {
public:
    explicit CasillaWindows(DeclarationFormModel& model);

    static const QString kVehicleQuestionFirst;
    static const QString kNetIncomeFirst;

    // Whether a click on the casilla opens a window.
    static bool opensWindow(int casilla);
    // Opens the casilla's window; false when the casilla has none (or its box is disabled).
    bool open(int casilla);

    // The prompt of the counterpart detail of a statement casilla.
    static QString detailPrompt(const QString& accountName);

private:
    bool openVehicles(int casilla);
    void openPriorBalance(int casilla);
    QString request(const QString& window, int casilla, const QString& code = {}, const QStringList& keyValues = {});
    bool openLossBalance();
    void writeBack(int casilla, const QString& text);
    bool netIncomeDetermined() const;

    DeclarationFormModel& m_model;
};

} // namespace qel::declaration
