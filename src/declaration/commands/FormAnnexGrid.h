#pragma once

#include "annexes/AnnexGridModel.h"
#include "app/ScriptableWindow.h"

#include <QObject>
#include <QString>
#include <memory>

namespace qel::declaration {

class DeclarationFormModel;

// A grid of the declaration form: the rows of the grid's own statement as the form's window,
// the batch mode and the rules see them, read again when the form asks its grids to refresh;
// the selected row is the form's.
class FormAnnexGrid : public QObject, public app::GridSource {
    Q_OBJECT
public:
    FormAnnexGrid(DeclarationFormModel& form, const QString& grid);

    // The rows as the form's grid widget shows them, as last read.
    annexes::AnnexGridModel& model() const { return *m_rows; }
    // Reads the rows now. Throws store::DatabaseError.
    annexes::AnnexGridModel& reread();

    int rowCount() const override;
    QStringList rowTexts(int row) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;

private:
    annexes::AnnexGridModel& rows() const;

    DeclarationFormModel& m_form;
    QString m_grid;
    std::unique_ptr<annexes::AnnexGridModel> m_rows;
    mutable bool m_stale = true;
};

} // namespace qel::declaration
