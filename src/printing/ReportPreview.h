#pragma once

#include "printing/PageRange.h"
#include "printing/ReportDocument.h"

#include <QString>
#include <functional>
#include <optional>

namespace qel::app {
class Prompter;
}

namespace qel::printing {

// The state of frmPreview ("Presentación Preliminar"): the report file, the page shown, the
// zoom and the chosen range, and what printing and saving as PDF do. The window only paints
// the current page with ReportPainter and forwards its buttons here.
class ReportPreview {
public:
    static const QString kCaption;         // "Presentación Preliminar"
    static const QString kMissingFile;     // "Archivo Físico del Reporte no Existe."
    static const QString kPrintErrorTitle; // "Error al Imprimir"
    static const QString kPrinted;         // "Reporte se imprimió satisfactoriamente."
    static const QString kPreviewMode;     // "PresPrevia"
    static const QString kPrintMode;       // "IMPRIMIR"
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 4.0;

    // Writes pages first..last (from 0) of a report into a PDF file under a title; false when the
    // file cannot be written. The painting lives with the windows, so whoever opens a preview hands
    // in the painter's writer.
    using PdfWriter =
        std::function<bool(const QString& path, const ReportDocument&, int first, int last, const QString& title)>;

    ReportPreview(QString path, app::Prompter& prompter, PdfWriter writePdf);

    // Reads the file; false (with the message) when it is missing.
    bool open();
    bool isOpen() const { return m_document.exists() && m_opened; }
    const QString& path() const { return m_path; }
    const ReportDocument& document() const { return m_document; }
    const QString& mode() const { return m_mode; }

    int currentPage() const { return m_current; } // from 0
    int pageCount() const { return m_document.exists() ? m_document.pageCount() : 0; }
    bool canGoBack() const { return m_current > 0; }
    bool canGoForward() const { return m_current + 1 < pageCount(); }
    void previous();
    void next();
    // "Página 2 de 5"
    QString pageCounter() const;

    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    void zoomIn() { setZoom(m_zoom * 1.25); }
    void zoomOut() { setZoom(m_zoom / 1.25); }

    // The pages a print or a PDF takes: the chosen range, or every page.
    void setRange(const PageRange& range) { m_range = range; }
    void clearRange() { m_range.reset(); }
    const std::optional<PageRange>& range() const { return m_range; }
    int firstToPrint() const { return m_range ? m_range->first - 1 : 0; }
    int lastToPrint() const { return m_range ? m_range->last - 1 : pageCount() - 1; }

    // Replays the file on a device: the file is read again, so a report removed meanwhile
    // gives the missing-file message. `paint` gets the report and the pages (from 0) and says
    // whether the device took them; success shows the printed message.
    using Painter = std::function<bool(const ReportDocument&, int first, int last)>;
    bool print(const Painter& paint);
    // The chosen pages (or every page) into a PDF file; the range stays as it was.
    bool saveAsPdf(const QString& pdfPath);

private:
    bool reload();

    QString m_path;
    app::Prompter& m_prompter;
    PdfWriter m_writePdf;
    ReportDocument m_document;
    QString m_mode;
    int m_current = 0;
    double m_zoom = 1.0;
    bool m_opened = false;
    std::optional<PageRange> m_range;
};

} // namespace qel::printing
