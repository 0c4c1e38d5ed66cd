#pragma once

#include <QString>

namespace qel::declaration {

class DeclarationFormModel;
class SaveCommand;

// The form's "&Salir" (cmdSalir): the form state becomes 3; in modify mode a total of the
// income tax (casilla 113) that differs from the stored one marks the stored declaration
// inconsistent; unsaved changes are offered to the save; then the model asks its window (or
// the batch mode) to close the form.
class CancelCommand {
public:
    static const QString kSaveChanges;

    // Hooks cmdSalir; lives as long as the model.
    CancelCommand(DeclarationFormModel& model, SaveCommand& save);

    void run();

    // When set, the form closes without offering to save its changes.
    void setSaveQuestionSuppressed(bool suppressed) { m_suppressed = suppressed; }

private:
    void markChangedTotal();
    void checkDetails();

    DeclarationFormModel& m_model;
    SaveCommand& m_save;
    bool m_suppressed = false;
};

} // namespace qel::declaration
