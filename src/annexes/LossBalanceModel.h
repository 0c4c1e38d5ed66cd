#pragma once

#include "annexes/LossBalances.h"
#include "app/PresentationModel.h"
#include "store/DeclarationKey.h"

#include <QList>
#include <QString>

namespace qel::app {
class Prompter;
}

namespace qel::annexes {

// frmPerdidaEjercAnt without its window: the balance of tax losses of earlier years, one row
// per year of origin. Its total is the loss balance casilla 111 starts from. Its controls:
// txtAnio0-9, txtMonto0-9, lblTotal, "CmdGrabar" and "cmdCerrar".
class LossBalanceModel : public app::PresentationModel {
public:
    static const QString kWindowName; // "frmPerdidaEjercAnt"
    static constexpr int kRows = 10;
    static const QString kCaption; // "Pérdida tributaria compensable de Ejercicios anteriores"
    static const QString kBadYear; // "El año no es válido."

    LossBalanceModel(store::Database& db, app::Prompter& prompter, store::DeclarationKey key, bool readOnly = false);

    QString year(int row) const { return m_rows.at(row).year; }
    QString amount(int row) const { return m_rows.at(row).amount; }
    bool setYear(int row, const QString& year);
    bool setAmount(int row, const QString& amount);
    double total() const;
    bool readOnly() const { return m_readOnly; }
    int period() const { return m_key.periodo.toInt(); }

    // A row's year must be of an earlier year, from 1992 on, and appear once.
    bool yearValid(int row) const;
    bool save();
    void close() { m_closed = true; }

    // PresentationModel
    QString windowName() const override { return kWindowName; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }
    QString result() const override { return m_result; }

private:
    store::Database& m_db;
    app::Prompter& m_prompter;
    store::DeclarationKey m_key;
    bool m_readOnly;
    QList<LossBalances::Row> m_rows;
    bool m_closed = false;
    QString m_result;
};

} // namespace qel::annexes
