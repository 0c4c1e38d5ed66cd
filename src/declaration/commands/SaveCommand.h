#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

namespace qel::store {
class Database;
struct DeclarationKey;
} // namespace qel::store

namespace qel::declaration {

class CalculationRules;
class CasillaWriter;
class DeclarationFormModel;

// The form's "&Grabar" (cmdGrabar). On a sent version shown from the history it registers the
// order number that KOLVA gave it. Otherwise it refuses an incomplete identification, then
// stores the declaration the form shows: the header with its state (0 consistent, 9 not),
// every casilla and answer as a DET row, the assistant rows and every annex working table
// back to its permanent table. Everything the save writes is one transaction: an engine error
// rolls it all back, is shown, and the stored declaration stays as it was. The messages of the
// save are shown once the transaction has ended, never while it is open.
class SaveCommand {
public:
    enum class Outcome {
        Refused,               // an identification datum is missing or wrong; nothing written
        Failed,                // an engine error; nothing written
        Saved,                 // stored; model.formState says 1 (consistent) or 3
        OrderNumberRejected,   // history view: the numbers do not belong to the sent version
        OrderNumberRegistered, // history view: the order number is stored with the version
    };

    static const QString kSavedConsistent;
    static const QString kSavedInconsistent;
    static const QString kOrderNumberRejected;
    static const QString kOrderNumberRegistered;

    // Hooks cmdGrabar; lives as long as the model.
    SaveCommand(DeclarationFormModel& model, const CalculationRules& calculation);
    ~SaveCommand();

    Outcome run();

    // A rectifying declaration that rectifies the ITF and not the income tax.
    static bool rectifiesItfOnly(const DeclarationFormModel& model);
    // Casillas whose DET rows belong to the detail windows: the save leaves them in place.
    static bool keptByDetailWindow(int casilla);
    // Whether an annex table is in use: its section switch is not answered "No".
    static bool annexInUse(const DeclarationFormModel& model, const QString& table);
    // Sets the stored declaration's state to 9 with the header's new check code; throws
    // store::DatabaseError.
    static void markInconsistent(store::Database& db, const store::DeclarationKey& key);

private:
    struct Plan; // what the save decided before it writes

    Outcome registerOrderNumber();
    bool refuse();
    Plan prepare();
    void write(Plan& plan);
    void finish(const Plan& plan);

    // Steps of the write, in their order.
    void deleteSwitchedOffRows(Plan& plan);
    void writeHeader(const Plan& plan);
    void deleteCasillaRows(const Plan& plan);
    void deleteEmptiedItfRows(const Plan& plan);
    void writeBoxes(CasillaWriter& writer, const Plan& plan, QSet<int>& written);
    void writeAnswers(CasillaWriter& writer, QSet<int>& written);
    void writeDetailCasillas(CasillaWriter& writer, const Plan& plan, const QSet<int>& written);
    void copyAnnexes(const Plan& plan);
    void checkDetails(Plan& plan);
    void reloadDetailTables();

    DeclarationFormModel& m_model;
    const CalculationRules& m_calculation;
    // Kept from one save to the next: its statements and the '140' rows do not change.
    std::unique_ptr<CasillaWriter> m_casillaWriter;
};

} // namespace qel::declaration
