#pragma once

#include "annexes/TrialBalancePage.h"
#include "annexes/TrialBalanceTable.h"
#include "app/PresentationModel.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace qel::app {
class Prompter;
}

namespace qel::annexes {

// The detail window frmDetalleBalance without its window: one account of the trial balance,
// chosen in cboCuentas, with its eight entry boxes (txtSaldoIni, txtMovEjer,
// txtTransferCancela, txtniif; index 0 debit, 1 credit) and the eight boxes computed from them
// (txtSumaMayor, txtSaldo, txtCuentasBalance, txtResultados). "&Grabar" (cmdGrabar) writes the
// sixteen amounts into the account's row and closes; "&Salir" (cmdSalir) closes, after asking
// when something was typed.
class TrialBalanceDetail : public app::PresentationModel {
public:
    static const QString kCaption;
    static const QString kSaveQuestion;
    static const QStringList& entryBoxes();    // txtSaldoIni, txtMovEjer, txtTransferCancela, txtniif
    static const QStringList& computedBoxes(); // txtSumaMayor, txtSaldo, txtCuentasBalance, txtResultados

    struct Item {
        QString text; // the description followed by its code
        QString code;
    };

    TrialBalanceDetail(TrialBalanceTable table, app::Prompter& prompter, QString periodo);

    // Lists the accounts and shows `code`; false when the trial balance has no such row.
    bool open(const QString& code);

    const QList<Item>& accounts() const { return m_accounts; }
    QString currentCode() const { return m_code; }
    // Chooses another account (cboCuentas); typed amounts of the previous one are offered for
    // saving first.
    bool chooseAccount(const QString& code);
    TrialBalanceRow::AccountClass accountClass() const { return m_class; }
    QString classText() const; // "Cuenta de Balance" / "Cuenta de Resultados"
    // The caption of the closing-balance boxes: "Saldos al 31/12/" and the year.
    QString closingCaption() const;

    // A box's text: entries as typed (shown with "###########0" once left), computed boxes
    // with "###########0". Index 0 debit, 1 credit.
    QString boxText(const QString& box, int index) const;
    // Writes an entry box as typed; only digits are kept. The computed boxes follow.
    bool setBoxText(const QString& box, int index, const QString& text);
    // Leaving an entry box shows it with the mask.
    void leave(const QString& box, int index);
    // Whether typing has changed something since the account was shown or saved.
    bool isDirty() const { return m_dirty; }

    // "&Grabar": the sixteen amounts into the row, then the window closes.
    bool save();
    // "&Salir": asks about unsaved typing (Yes saves, No discards), then closes.
    void close();
    bool isClosed() const override { return m_closed; }

    // The sixteen amounts the boxes hold, in table order.
    TrialBalanceTable::Amounts amounts() const;

    // PresentationModel; the boxes are named as arrays, "txtSaldoIni(0)".
    QString windowName() const override { return TrialBalancePage::kDetailWindow; }
    QList<app::DeclaredControl> declaredControls() override;

private:
    int entryIndex(const QString& box, int index) const; // -1 when not an entry
    bool show(const QString& code);
    bool offerToSave();
    bool write();

    TrialBalanceTable m_table;
    app::Prompter& m_prompter;
    QString m_periodo;
    QList<Item> m_accounts;
    QString m_code;
    TrialBalanceRow::AccountClass m_class = TrialBalanceRow::AccountClass::Balance;
    QString m_entries[TrialBalanceRow::kEntryCount];
    bool m_dirty = false;
    bool m_closed = false;
};

} // namespace qel::annexes
