#pragma once

#include "app/KeyFilters.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <utility>

namespace qel::annexes {

// What a field of a detail window holds and how it is typed and shown.
enum class FieldKind {
    Text,       // free text through a key rule (names, document numbers, report numbers)
    Amount,     // whole units, digits only
    Percentage, // digits and one decimal point; at most two decimals
    Date,       // masked "__/__/____", stored as yyyy-mm-dd, empty when untouched
    Combo,      // a PARAM list (description followed by its code) or a fixed list
    DocType,    // document types of PARAM 044 whose flag at the annex's position is '1'
    Option,     // a yes/no option pair: index 1 "Si" stored "1", index 0 "No" stored "0"
    Check,      // a check box stored "1" / "0"
};

// One input field of a detail window: the control the window shows, the column it writes
// and the rules every annex applies the same way. Whatever a rule cannot say as data goes
// into the annex's own checks class.
struct AnnexField {
    QString control; // the window's control name (cboTipoSocio, txtNroDoc, ...)
    QString column;  // the working-table column it reads and writes
    QString label;   // the caption shown beside it
    FieldKind kind = FieldKind::Text;
    app::KeyRule keys = app::KeyRule::FreeText;
    int maxLength = 0;
    bool key = false; // one of the annex's own key columns: written only on a new row

    // Combos: the PARAM list and the slice of Funcion shown (description), or a fixed list
    // of (code, description) pairs.
    QString param;
    int paramStart = 1;
    int paramLength = 35;
    QList<std::pair<QString, QString>> items;
    // Document types: the flag position of this annex in PARAM 044.
    int docTypePosition = 0;

    // Rules checked in field order by the generic validation (empty message: no rule).
    QString required;    // the field must not be empty (a combo must have a choice)
    QString positive;    // amounts and percentages: must be above 0
    QString badDate;     // a typed date that is not a date
    QString afterToday;  // a date later than today
    QString afterPeriod; // a date later than 31 December of the period
    // Document numbers: the column of the document-type field it goes with; a RUC ("06")
    // must pass the RUC check ("El RUC no es Válido." unless badRuc says otherwise) and,
    // when ownRuc is set, must differ from the declarant's.
    QString docTypeColumn;
    QString badRuc;
    QString ownRuc;
};

// A table of rows that go with the row deleted on the form (the columns that match the
// grid's key columns, in order).
struct AnnexDependant {
    QString table;
    QStringList columns;
};

// One annex detail window and the rows it edits.
struct AnnexDef {
    QString window;         // frmDetalleSocios
    QString caption;        // Registro de Principales Socios
    QString table;          // the working table, TMPF535SOCIOS
    QStringList keyColumns; // the row's own key, after the declaration key
    QList<AnnexField> fields;
    // The column set from the code the form hands the window (operation kind, project kind);
    // it narrows the duplicate look-up and is written on a new row.
    QString codeColumn;
    // Columns every row of this window carries with a fixed value (SEMANA 0 of the providers).
    QList<std::pair<QString, QVariant>> fixedValues;
    // The correlative column a new row numbers with the highest value plus 1.
    QString correlative;
    QString duplicate; // refusal of a key already registered
    QString closeQuestion = QStringLiteral("¿El formulario ha sido modificado, desea guardar los cambios?");
    // The sub-windows this one opens by name, with the caption of the button that opens each
    // (the additions and deductions of a lot, the substituted vehicle, the participants).
    QList<std::pair<QString, QString>> opens;
    // A grid inside the window with its own buttons (the participants of a contract): the
    // command array of its catalogue grid entry. It lists the rows of the row being modified.
    QString childGrid;

    const AnnexField* field(const QString& nameOrColumn) const; // by control name or column, any case
};

// A column of an annex grid: the field it shows, its heading and, for a code column, the
// PARAM list (or the fixed list) whose description is shown instead of the code ("044"
// document types).
struct AnnexGridColumn {
    QString field;
    QString heading;
    QString param;
    // A code column without a PARAM list: its fixed (code, description) pairs, as the detail
    // window's combo lists them.
    QList<std::pair<QString, QString>> items = {};
};

// A grid of the declaration form with its command array (0 add, 1 modify, 2 delete, 3 import).
struct AnnexGridDef {
    QString array;     // the command array (cmdSocios ...)
    QString grid;      // the grid that shows the rows
    QString window;    // the detail window of add and modify
    QString table;     // the working table
    QString condition; // narrows the working table to the grid's rows (values bound)
    QVariantList conditionValues;
    QStringList keyFields;  // identify the selected row: handed to the window, used by the delete
    QString deleteQuestion; // the annex's own confirmation (No is the default)
    QString noRowsToDelete; // empty: the grid simply has no selected row
    QString noRowsToModify;
    QString noRowsTitle; // title of the empty-grid messages
    QList<std::pair<QString, QStringList>> dependants;
    QString switchOption; // the yes/no question of the form that enables the buttons ("" none)
    QString importKind;   // the kind handed to the import window ("" none)
    QString importWindow; // the window of button 3 ("" none)
    QString windowCode;   // the code handed to the detail window (operation kind, project kind)
    // Grids inside a detail window: the column that holds the key of the window's row, and
    // what the buttons say while that row is not saved yet.
    QString parentColumn;
    QString saveParentFirst;
};

// Rows of a working table narrowed by a condition (ANDed to the declaration key; its values
// are bound). An empty condition takes every row of the declaration.
struct AnnexRows {
    QString table;
    QString condition;
    QVariantList values;
};

// A yes/no question of the declaration form that opens the annex grids whose switchOption it
// is: "No" deletes their rows (after the question, when there are rows) and switches their
// buttons off. The grids, their tables and their arrays come from the grid entries; this
// holds what only the section knows.
struct AnnexSectionDef {
    QString option;
    QString question;             // asked before the rows go
    QList<int> buttons;           // the indexes of the grids' command arrays the answer switches
    QList<AnnexRows> alsoDeletes; // rows outside the grids that go with the section
    QList<int> boxes;             // casillas enabled with "Si", emptied and disabled with "No"
    QList<int> clearedBoxes;      // casillas emptied with "No"
};

// Every annex of the declaration form in one place: the detail windows with their fields and
// rules, and the grids with their buttons. The form's buttons, the detail windows, the grids,
// the batch mode and the tests read it.
//
// Adding an annex: append an AnnexDef (window, table, key columns, fields with their rules,
// duplicate message, correlative) and, when the form shows it, an AnnexGridDef in
// AnnexCatalogData.cpp. Rules that are not field rules go in a small class derived from
// AnnexChecks, registered under the window's name in AnnexChecks::forWindow. Nothing else
// changes: the generic model, window and grid serve it.
class AnnexCatalog {
public:
    static const AnnexCatalog& instance();

    const QList<AnnexDef>& windows() const { return m_windows; }
    const QList<AnnexGridDef>& grids() const { return m_grids; }
    const AnnexDef* window(const QString& name) const;          // any case
    const AnnexGridDef* grid(const QString& arrayOrGrid) const; // by array or grid name
    const QList<AnnexSectionDef>& sections() const { return m_sections; }
    const AnnexSectionDef* section(const QString& option) const;

    // The grids a section's question opens, in catalogue order.
    QList<const AnnexGridDef*> gridsOf(const QString& option) const;
    // The rows a section holds, the first grid's first: each grid's table narrowed by its
    // condition, or whole when several of the section's grids share it; then the grids'
    // dependants and what the section also deletes.
    QList<AnnexRows> sectionRows(const QString& option) const;

    static constexpr int kMaxPartners = 100;

private:
    AnnexCatalog();
    QList<AnnexDef> m_windows;
    QList<AnnexGridDef> m_grids;
    QList<AnnexSectionDef> m_sections;
};

// The catalogue's rows (AnnexCatalogData.cpp).
QList<AnnexDef> annexWindowData();
QList<AnnexGridDef> annexGridData();
QList<AnnexSectionDef> annexSectionData(); // AnnexSectionData.cpp

} // namespace qel::annexes
