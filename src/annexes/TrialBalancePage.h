#pragma once

#include "annexes/TrialBalanceTable.h"
#include "app/ScriptableWindow.h"

#include <QString>
#include <QStringList>

namespace qel::declaration {
class DeclarationFormModel;
}

namespace qel::annexes {

// The page "Balance de Comprobación" of the declaration form: the chart chosen in OptPlan
// lists its accounts in grdBalanceAPP with the stored amounts of the same accounts; the detail
// window edits one account (cmdDetalleBalance), the transfer window loads a file
// (cmdImportar), CmdEliminar empties every amount and cmdArchivo writes the balance to a text
// file. After each, the grid, its totals row and the total boxes 240-243 are read again.
class TrialBalancePage : public app::GridSource {
public:
    static const QString kGrid;           // "grdBalanceAPP"
    static const QString kDetailWindow;   // "frmDetalleBalance"
    static const QString kTransferWindow; // "frmTransferencia"
    static const QString kImportQuestion;
    static const QString kDeleteQuestion;

    // Registers itself as the form's grid grdBalanceAPP for the batch mode.
    explicit TrialBalancePage(declaration::DeclarationFormModel& model);
    ~TrialBalancePage() override;
    TrialBalancePage(const TrialBalancePage&) = delete;
    TrialBalancePage& operator=(const TrialBalancePage&) = delete;

    // The chart the declaration uses now.
    TrialBalanceTable table() const;

    // OptPlan: the rows of the chosen chart, with the stored amounts of the same accounts.
    void choosePlan();
    void modificar();
    void importar();
    void eliminar();
    void exportar();

    // The export file's name and its lines.
    static QString exportFileName(const QString& ruc);
    QStringList exportLines() const;

    // grdBalanceAPP as the user sees it: the accounts by code, each with its description and
    // its sixteen amounts, then the totals row.
    int rowCount() const override;
    QStringList rowTexts(int row) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;

    // Re-reads the grid and writes the totals into 240-243.
    void refresh();

private:
    QString selectedCode() const;

    declaration::DeclarationFormModel& m_model;
};

} // namespace qel::annexes
