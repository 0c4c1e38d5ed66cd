#pragma once

#include "printing/PreviewModel.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QPrinter;
class QScrollArea;
class QToolButton;

namespace qel::printing {

class PagePicture;

// frmPreview ("Presentación Preliminar"): one page of a report file at a time, with the
// toolbar tlbPrevia (previous, next, print, leave, pages to print, save as PDF, zoom).
class frmPreview : public QDialog {
    Q_OBJECT

public:
    // Where a print goes: the printer the user chooses, unless the window was told otherwise.
    using PrintTarget = std::function<bool(const ReportDocument&, int first, int last)>;
    // The file a PDF goes to; empty when the user gives up.
    using PdfChooser = std::function<QString()>;
    // Lets the user choose the printer (and change the pages) of a print; false when the user
    // gives up. The print dialog unless the window was told otherwise.
    using PrinterChooser = std::function<bool(QPrinter&)>;

    frmPreview(const QString& reportPath, app::Prompter& prompter, QWidget* parent = nullptr);
    explicit frmPreview(std::unique_ptr<PreviewModel> model, QWidget* parent = nullptr);

    ReportPreview& model() { return m_preview; }
    bool isOpen() const { return m_preview.isOpen(); }

    void setPrintTarget(PrintTarget target) { m_printTarget = std::move(target); }
    void setPdfChooser(PdfChooser chooser) { m_pdfChooser = std::move(chooser); }
    void setPrinterChooser(PrinterChooser chooser) { m_printerChooser = std::move(chooser); }
    // The name a PDF is offered under (in the folder a PDF was last saved to); the report
    // file's name when none is given.
    void setPdfName(const QString& name) { m_model->setPdfName(name); }
    // The next print writes this PDF instead of going to the printer.
    void printNextToPdf(const QString& path) { m_nextPdf = path; }

    // The toolbar's commands.
    void previousPage();
    void nextPage();
    bool printReport();
    bool printRange(const PageRange& range);
    bool saveAsPdf(const std::optional<PageRange>& range = {});
    void choosePages(); // frmImpxPag
    void zoomIn();
    void zoomOut();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QToolButton* addButton(int index, const QString& text, const QString& tip);
    void showPage();
    bool printTo(const PrintTarget& target);
    bool printOnPrinter(const ReportDocument& document, int first, int last);

    std::unique_ptr<PreviewModel> m_model;
    ReportPreview& m_preview;
    app::Prompter& m_prompter;
    QScrollArea* m_frame = nullptr;
    PagePicture* m_picture = nullptr;
    QLabel* m_counter = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    PrintTarget m_printTarget;
    PdfChooser m_pdfChooser;
    PrinterChooser m_printerChooser;
    QString m_nextPdf;
};

} // namespace qel::printing
