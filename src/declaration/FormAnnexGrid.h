#pragma once

#include "annexes/AnnexGridModel.h"
#include "app/ScriptableWindow.h"

#include <QObject>
#include <QString>
#include <memory>

namespace qel::declaration {

class DeclarationFormModel;

// An annex grid of the declaration form as the batch mode and the rules see it without the
// window: the rows of the grid's own statement, shown as the window shows them, read again
// when the form asks its grids to refresh; the selected row is the form's.
class FormAnnexGrid : public QObject, public app::GridSource {
    Q_OBJECT
public:
    FormAnnexGrid(DeclarationFormModel& form, const QString& grid);

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
