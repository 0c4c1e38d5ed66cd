#pragma once

#include <QString>

namespace qel::printing {

// One command of a report's page-description file.
struct PageCommand {
    enum class Kind {
        Font,         // <!font!>name<!/font!>
        PageCount,    // <!nHojas!>n<!/nHojas!>
        Orientation,  // <!Orientacion!>H|V<!/Orientacion!>
        Color,        // <!Color!>colour<!/Color!>
        BoldOn,       // <!bold!>
        BoldOff,      // <!/bold!>
        Text,         // pPos|column|row|text|bold|size|page|
        VerticalText, // pPosVerti|column|row|text|bold|size|page|
        Box,          // pCuadro|page|left|top|right|bottom|
        NewPage,      // pNuevaHoja
    };

    Kind kind = Kind::Text;
    QString text;      // the text of pPos/pPosVerti; the value of a tag
    double column = 0; // pPos: column; pCuadro: left (character grid)
    double row = 0;    // pPos: row; pCuadro: top (lines)
    double right = 0;  // pCuadro only
    double bottom = 0; // pCuadro only
    bool bold = false;
    int size = 8; // font size in points
    int page = 0; // page index, counted from 0

    bool operator==(const PageCommand&) const = default;

    static PageCommand tag(Kind kind, QString value = {});
    static PageCommand textAt(double column, double row, QString text, bool bold, int size, int page);
    static PageCommand box(int page, double left, double top, double right, double bottom);
};

} // namespace qel::printing
