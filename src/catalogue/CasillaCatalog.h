#pragma once

#include "catalogue/CasillaStorage.h"

#include <QList>
#include <QString>
#include <optional>

namespace qel::declaration {

// How a casilla box looks and behaves when the form opens. Rules change enabled and locked
// states later (Habcasilla, Descasilla).
enum class BoxKind {
    Computed,     // button-face, locked: set only by the calculation rules
    Assistant,    // cyan: its value comes from a detail window opened from the box
    Entry,        // white: the user types it
    Switched,     // button-face, disabled until a section switch enables it
    TrialBalance, // button-face, disabled: totals of the trial balance
    Itf,          // scroll-bar colour: the financial-transactions tax page
    Hidden,       // a box kept off-screen (not shown to the user)
};

// How a value is shown, read and stored.
enum class ValueClass {
    Amount,       // "###,###,###,##0", stored as a whole number
    SignedAmount, // "###,###,###,##0;(###,###,###,##0)"
    Deduction,    // "(###,###,###,##0)": a deduction, loss or credit, subtracted as its absolute value
    Coefficient,  // four decimals (casilla 686)
    Percentage,   // "##0.#0" (casilla 610)
    Count,        // small counts "#0" (228, 238, 275-277)
    Text,         // identification data: shown and stored as typed
};

// Which keys a box accepts.
enum class KeyRule {
    Digits,                 // digits and backspace
    Option137,              // "1", "2" and backspace
    UpperCodeText,          // capitals; letters, digits, space, "-", "." and "/"
    UpperAlnum,             // capitals; letters, digits and space
    RepresentativeDocument, // capitals; letters and digits or digits only, by the representative's document type
};

struct CasillaDef {
    int number = 0;
    bool hasBox = false; // a member txtValor(number) of the form
    BoxKind kind = BoxKind::Entry;
    ValueClass value = ValueClass::Amount;
    KeyRule keys = KeyRule::Digits;
    int maxLength = 0;         // while typing; 0 for the default of the value class
    QString page;              // FormPages id of the page that shows the box
    QString section;           // caption of the frame around it; empty when none
    int row = 0;               // order within the section (layout and printed report)
    QString label;             // the line's label, as printed beside the box and in the report
    QString window;            // the detail window the box opens, or the window that owns a box-less casilla
    bool storedAsText = false; // DET keeps the text as entered instead of a whole number
    bool wide = false;         // editing mask "#############" instead of "###########0"
    int chart = 0;             // statement boxes: the chart of accounts (OptPlan 1 or 2) they belong to; 0 others
    bool printed = true;       // false for what only checks a typing (the e-mail's confirmation)
    CasillaStorage storage;    // where the load puts it and how the save writes it

    // Masks: while the box has the focus, and after it leaves.
    QString editMask() const;
    QString displayMask() const;
    bool lockedAtStart() const;
    bool enabledAtStart() const;
    int editingLength() const; // maxLength, or the default of the value class
    int displayLength() const; // 17, 19 for the widest boxes, the editing length for texts
};

// Every casilla the form shows or stores, with box-less (DET-only) ones: answers,
// identification data and totals kept by detail windows.
class CasillaCatalog {
public:
    static const CasillaCatalog& instance();

    const QList<CasillaDef>& all() const { return m_casillas; }
    const CasillaDef* find(int number) const;
    // The casilla boxes in the form's order (the order the save writes them in).
    QList<const CasillaDef*> boxes() const;
    QList<const CasillaDef*> onPage(const QString& pageId) const;
    bool hasBox(int number) const;
    // The storage of any casilla number 0-999, with or without an entry.
    const CasillaStorage& storage(int number) const;
    // The casillas of the financial-transactions tax, in number order.
    const QList<int>& itfCasillas() const { return m_itf; }

private:
    CasillaCatalog();
    QList<CasillaDef> m_casillas;
    QList<int> m_index;              // casilla number -> position in m_casillas, -1 when none (0..999)
    QList<CasillaStorage> m_storage; // by casilla number (0..999)
    QList<int> m_itf;
};

} // namespace qel::declaration
