#pragma once

#include "printing/ReportDocument.h"

#include <QSizeF>

class QPagedPaintDevice;
class QPainter;

namespace qel::printing {

// The one routine that draws a report page, for the preview, the printer and the PDF alike.
// Coordinates of the file are a character grid of the report font at size 8: a column is one
// character wide, a row one line high, both counted from the sheet's top left corner, with a
// top margin of a few lines. The routine works in points (1/72 inch) and is told how many
// device units a point is.
class ReportPainter {
public:
    static constexpr double kColumnPoints = 4.8;        // 0.6 em of 8 points
    static constexpr double kPortraitLinePoints = 9.0;  // 83 lines and the margin fit on A4
    static constexpr double kLandscapeLinePoints = 8.4; // 64 lines and the margin on A4 across
    static constexpr double kTopMarginLines = 3.0;

    static QSizeF pageSizePoints(const ReportDocument::Page& page); // A4, upright or across
    static double linePoints(const ReportDocument::Page& page);

    // Paints a page with its top left corner at the painter's origin; `scale` is device
    // units per point (1 for a painter already in points).
    static void paint(QPainter& painter, const ReportDocument& document, int pageIndex, double scale);

    // Pages first..last (from 0) onto a printer or a PDF writer, one sheet each, each sheet
    // turned as its page asks. False when the device cannot be painted on.
    static bool paintPages(QPagedPaintDevice& device, const ReportDocument& document, int first, int last);
    // The whole report, or a range, into a PDF file; false when the file cannot be written.
    static bool writePdf(const QString& path, const ReportDocument& document, int first, int last,
                         const QString& title = {});
};

} // namespace qel::printing
