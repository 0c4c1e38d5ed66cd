#pragma once

#include "catalogue/AnnexCatalog.h"

#include <QList>
#include <QMap>
#include <QString>

namespace qel::annexes {

// One list window opened from a casilla: the rows of an annex in the grid grdDetalleCasilla,
// their total, and the detail window of "&Nuevo" and "&Modificar".
struct CasillaListDef {
    QString window;              // frmListDetDonaciones
    QString launcherName;        // the name the casilla opens it by (frmAnexo227)
    QMap<int, QString> captions; // by casilla: the window serves several (136, 125, 129)
    QString detail;              // the detail window (frmDetalleDonaciones)
    QString table;               // the working table
    QString casillaColumn;       // the rows are the casilla's own (CASILLA = the casilla); "" all rows
    QString totalColumn;         // summed into the total; "" no total
    QStringList keyFields;       // the row's full key: handed to the detail window, used by the delete
    QList<AnnexGridColumn> columns;
    QString extraColumns;  // computed columns the grid shows besides the table's own
    QString reminderQuery; // distinct codes whose reminders "&Salir" shows ("" none)
    QString importWindow;  // the import window of "&Importar" ("" the list imports nothing)
    QString importKind;    // the kind handed to it

    QString captionFor(int casilla) const;
    // The grid definition the shared grid commands work with.
    AnnexGridDef grid(int casilla) const;
};

// The list windows of the casillas and the detail windows behind them.
class CasillaListCatalog {
public:
    static const QList<CasillaListDef>& lists();
    // By the list window's name or the name the casilla opens it by, any case.
    static const CasillaListDef* find(const QString& name);
    // The list a window name shows for a casilla: the credits window keeps the other additions
    // and deductions (TMPF542OTRAS) for any casilla but the credits 125, 129 and 136.
    static const CasillaListDef* find(const QString& name, int casilla);
    // The credits detail window for a casilla: its credits table, or the other additions and
    // deductions; both are "frmDetalleCredReinversIng".
    static const AnnexDef& creditWindow(int casilla);
    static bool isCreditCasilla(int casilla);
    // The detail windows' rows for the annex catalogue.
    static QList<AnnexDef> detailWindows();
};

} // namespace qel::annexes
