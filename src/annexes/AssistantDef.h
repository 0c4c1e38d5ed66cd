#pragma once

#include "annexes/AssistantCheck.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace qel::annexes {

// One box of an assistant window.
struct AssistantField {
    int casilla = 0; // the box-less casilla it is kept as (TMPF584DET); 0 for a monthly row
    int month = 0;   // 1-12: a monthly row of the def's month table instead of a casilla; a year
                     // (2015) for the rows kept by year
    QString label;
    bool computed = false; // written by the window's totals; not typed
    bool count = false;    // a number of vehicles, not an amount
    QString group;         // the frame the box sits in
    int year = 0;          // loss compensations: the year the loss comes from
    bool stored = true;    // false for a total shown only in the window
    bool base = false;     // a monthly row's base (mto_base) instead of its amount (mto_monto)
    // A window that details the box (its button "cmdDetalle" + casilla): opened for
    // openedFor (the box's own casilla when 0); its result replaces a typed box's value, a
    // computed box is computed again.
    QString opens;
    int openedFor = 0;

    int id() const { return month > 0 ? (base ? 2000 : 1000) + month : casilla; }
    // The box as the window names it: "txtCasilla511", "txtMes01", "txtBase01", "txtAnio2015".
    QString boxName() const {
        if (month > 12) {
            return QStringLiteral("txtAnio") + QString::number(month);
        }
        if (month > 0) {
            return (base ? QStringLiteral("txtBase%1") : QStringLiteral("txtMes%1"))
                .arg(month, 2, 10, QLatin1Char('0'));
        }
        return QStringLiteral("txtCasilla") + QString::number(casilla);
    }
    // The button of a detailed box: "cmdDetalle" + casilla.
    QString detailButton() const { return QStringLiteral("cmdDetalle") + QString::number(casilla); }
};

// A computed field: target = sum(adds) - sum(subtracts). When negativeMessage is set a
// negative result keeps the window from saving with that message.
struct AssistantTotal {
    int target = 0;
    QList<int> adds;
    QList<int> subtracts;
    QString negativeMessage;
};

// Where the monthly rows of an assistant are kept: TMPF572DETBAS rows of one addition and
// detail casilla and one type, per_mes the month "01".."12" (or the year "2015" for rows by year).
struct MonthRows {
    QString casAdi;
    QString casDet;
    QString tipo;
};

// Arithmetic that is more than sums (limits read from the parameters, counts of rows):
// runs after the totals.
class AssistantCalculation {
public:
    virtual ~AssistantCalculation() = default;
    virtual void compute(AssistantValues& values, const AssistantContext& context) const = 0;
};

// A casilla assistant as data: its window name, caption, boxes, totals and checks, and which
// value goes back to the casilla it was opened for.
struct AssistantDef {
    QString window;        // as the casilla catalogue names it ("frmcostos")
    QList<int> openedFrom; // the casillas whose box opens this layout
    QString caption;       // "%1" stands for the casilla
    QList<AssistantField> fields;
    QList<AssistantTotal> totals; // in the order they are computed
    int resultId = 0;             // the field whose value goes back to the casilla
    bool everyFieldRequired = false;
    QString requiredMessage;
    QList<std::shared_ptr<const AssistantCheck>> checks;
    std::shared_ptr<const AssistantCalculation> calculation;
    // Boxes filled from the rows of their detail windows, read before the totals.
    std::shared_ptr<const AssistantCalculation> detailRows;
    MonthRows months; // when fields have months
    // Instead of TMPF572DETBAS, the monthly rows of one annex row: CASILLA the month "01".."12",
    // i_valor the amount, keyed by the columns of the row the window was opened for.
    QString rowTable;
    QStringList rowKeyColumns;
    int columns = 1; // the window lays the groups out in this many columns

    const AssistantField* field(int id) const;
};

} // namespace qel::annexes
