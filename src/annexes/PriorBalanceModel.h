#pragma once

#include "app/PresentationModel.h"
#include "store/DeclarationKey.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace qel::store {
class Database;
}

namespace qel::app {
class Prompter;
}

namespace qel::annexes {

// The balance in favour not applied from the previous year (casilla 127) and its three
// parts: the balance of the previous year's return (202), what was applied against this
// year's payments on account (203) and what was refunded or offset (204). Casilla 127 is
// what is left: 202 - 203 - 204. The parts are DET-only casillas that the form keeps, so they
// travel in and out of the window with the request and its result.
//
// Its controls: the boxes txtValor_202 to txtValor_204 (digits only, as typed), the result
// txtValor_127, cmdAccion 0 ("&Grabar") and 1 ("&Salir").
class PriorBalanceModel : public app::PresentationModel {
public:
    static const QString kWindowName;    // "frmSaldoFavorEjercAnt"; casilla 127 opens it as "frmAnexo127"
    static const QString kCaption;       // "Detalle Casilla 127 - Saldo a favor no  aplicado ..."
    static const QString kPartsExceed;   // "La casilla 202 no puede ser menor a la suma de ..."
    static const QString kModified;      // "¿El formulario ha sido modificado, desea guardar los cambios?"
    static constexpr int kBalance = 202; // the previous year's balance in favour
    static constexpr int kApplied = 203;
    static constexpr int kRefunded = 204;
    // The casilla of the previous year's return that holds its balance in favour.
    static constexpr int kPreviousBalance = 138;

    // values: the texts of 202, 203 and 204 as the form keeps them.
    PriorBalanceModel(store::Database& db, app::Prompter& prompter, store::DeclarationKey key, bool readOnly,
                      const QStringList& values);

    // With no part entered yet, 202 is proposed from the return of the year before as it was
    // last sent, when there is one.
    void load();

    static QList<int> casillas() { return {kBalance, kApplied, kRefunded}; }
    QString text(int casilla) const; // display mask, "" when empty
    bool setText(int casilla, const QString& text);
    double unapplied() const; // 202 - 203 - 204
    QString unappliedText() const;
    bool readOnly() const { return m_readOnly; }
    bool modified() const { return m_modified; }

    // "&Grabar": the rule, then closed with the result.
    bool save();
    // "&Salir": asks to save a modified window first; false while it stays open.
    bool leave();

    // PresentationModel
    QString windowName() const override { return kWindowName; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }
    QString result() const override { return m_result; }

    // The result carries casilla 127 and its three parts: "127=...;202=...;203=...;204=...".
    static QString encode(const QMap<int, QString>& values);
    static QMap<int, QString> decode(const QString& result);

private:
    double amount(int casilla) const;
    QString previousYearBalance() const;

    store::Database& m_db;
    app::Prompter& m_prompter;
    store::DeclarationKey m_key;
    bool m_readOnly;
    QMap<int, QString> m_values; // the bare amounts ("#########0"), "" when empty
    bool m_modified = false;
    bool m_closed = false;
    QString m_result;
};

} // namespace qel::annexes
