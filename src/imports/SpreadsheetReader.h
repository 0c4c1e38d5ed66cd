#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace qel::imports {

// A cell range of the first sheet, "A4:H65535": columns and rows from 0.
struct SheetRange {
    int firstColumn = 0;
    int lastColumn = 0;
    int firstRow = 0;
    int lastRow = 0;

    static std::optional<SheetRange> parse(const QString& text);
};

// The spreadsheets of the imports (.xls workbooks), read with FreeXL: the fixed range of the
// first sheet becomes the same "|"-terminated text lines the text files carry, without any
// file in between. Rows stop at the first empty one or at one labelled "TOTAL"; dates come out
// dd/mm/yyyy and whole numbers without decimals, as the text records write them.
class SpreadsheetReader {
public:
    static const QString kCannotOpen; // the message of a workbook that cannot be read
    static constexpr qint64 kMaxBytes = 64 * 1024 * 1024;
    // No field of a record is longer; a cell past it is refused, naming the cell.
    static constexpr int kMaxCellCharacters = 1000;
    // "La hoja de cálculo %1 no se pudo leer: la celda %2 tiene %3 caracteres; ..."
    static QString longCellText(const QString& path, const QString& cell, int characters);

    struct Result {
        QByteArray lines; // UTF-8, one record per line
        QString error;    // empty when the workbook was read
    };
    static Result read(const QString& path, const SheetRange& range);

private:
    // The reading itself, in the calling process.
    static Result readHere(const QString& path, const SheetRange& range);
};

} // namespace qel::imports
