#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace qel::declaration {
struct CasillaDef;
}

namespace qel::printing {

// Where the declaration's form pages put things, on the character grid of the report font
// (columns 10 to 114, rows 0 to 82 of an upright sheet). The pages and the form pages they
// gather are the one table below; every casilla of the catalogue lands on the report page of
// its form page, in the catalogue's order, two casillas to a row inside the box of its section.
class DeclarationLayout {
public:
    static constexpr int kLeft = 10;
    static constexpr int kRight = 114;
    static constexpr int kValueWidth = 17; // an amount, right-aligned

    // Where the parts of a casilla's line start: its label (wrapped to its width, never cut),
    // its number and its value, which ends two columns inside the box. Pages of amounts take two
    // casillas to a row; the identification page one.
    struct Cell {
        int label;
        int labelWidth;
        int number;
        int value;
        int textWidth; // a text value, left-aligned from the number's end, wrapped
    };
    static constexpr Cell kLeftCell = {12, 27, 40, 44, 17};
    static constexpr Cell kRightCell = {63, 27, 91, 95, 17};
    static constexpr Cell kWideCell = {12, 57, 70, 95, 38};

    // A heading of the form printed before the sections of a form page (unboxed, bold), or, with
    // a casilla, one that opens a new box at that casilla inside its section.
    struct SubHeading {
        QString formPage; // FormPages id; empty when `casilla` places it
        int casilla = 0;
        QString text;
    };
    static const QList<SubHeading>& subHeadings();
    static constexpr int kHeaderRows = 7; // the boxed form header
    static constexpr int kTitleRow = 8;   // the page's numbered title
    static constexpr int kFirstSectionRow = 10;
    static constexpr int kLastRow = 82;

    struct ReportPage {
        QString title;         // "1.-  ESTADOS FINANCIEROS"
        QStringList formPages; // FormPages ids (a prefix takes its nested pages too)
        int columns = 2;       // casillas to a row
    };
    // The six form pages in print order; a form page no entry names goes to the last.
    static const QList<ReportPage>& pages();
    // The report page (from 0) of a form page id.
    static int pageOf(const QString& formPageId);

    // The casillas of one report page in the catalogue's order; `chart` (1 or 2) keeps the
    // financial statement lines of the chart of accounts in use (0 keeps both).
    static QList<const declaration::CasillaDef*> casillasOf(int reportPage, int chart);
};

} // namespace qel::printing
