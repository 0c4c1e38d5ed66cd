#pragma once

#include <QString>
#include <QStringList>

namespace qel::annexes {

// One month-by-month assistant over TMPACTA: the window it is, the casilla it fills, the
// assistant type its rows carry and how its grid reads.
struct MonthAssistantKind {
    QString window;         // "FrmAnexo128"
    int casilla = 0;        // the casilla the total goes back into
    QString type;           // TIPO_ASIST of its rows
    QStringList columns;    // the TMPACTA amount columns, in grid order
    QStringList captions;   // one heading per amount column
    QString monthCaption;   // heading of the month column
    QString frameCaption;   // what the grid holds
    QString totalCaption;   // label of the grand total
    bool rowTotals = false; // a total per month (the payments assistant)
    QString importKind;     // the import kind of cmdImportar; empty: no import

    // The assistant a window name opens for a casilla (FrmAnexo126 also serves 131);
    // null when the name is not a month assistant.
    static const MonthAssistantKind* find(const QString& window, int casilla);
    static const QList<MonthAssistantKind>& all();
};

} // namespace qel::annexes
