#pragma once

namespace qel::declaration {

struct CasillaDef;

// Where the form holds a casilla's stored value between the load and the save.
enum class Storage {
    Box,         // shown in its box; else kept as read
    Control,     // the text, date or list choice of a named control of the form
    Answer,      // an option button's or check box's answer, kept as stored until it is applied
    DetailTable, // the in-memory casilla table of the detail windows (676-699)
    Kept,        // shown in no box: a detail window keeps it, or it stays in DET
};

// How a casilla number is stored in DET and who writes its row. Every number 0-999 has one.
struct CasillaStorage {
    Storage where = Storage::Box;
    bool text = false;      // DET keeps the text as entered instead of a whole number
    bool itf = false;       // a casilla of the financial-transactions tax
    bool windowRow = false; // a detail window writes its DET row; the save's delete leaves it in place
    bool working = false;   // kept in the working table of its detail window while the form is open
    int summary = 0;        // kept in memory and written by the save while this casilla is not empty; 0 none

    // The storage of a casilla number, with its catalogue entry when it has one; `heldByControl`
    // when a named text box, date box or list of the form holds its value.
    static CasillaStorage of(int number, const CasillaDef* def, bool heldByControl);
};

} // namespace qel::declaration
