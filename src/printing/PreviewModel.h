#pragma once

#include "app/PresentationModel.h"
#include "printing/ReportPreview.h"

#include <QString>
#include <functional>

namespace qel::app {
class FileChooser;
class FormOpener;
} // namespace qel::app

namespace qel::printing {

// frmPreview without its widgets: one page of a report file at a time, the toolbar tlbPrevia
// (2 previous, 3 next, 4 print, 5 leave, 6 pages to print, 7 save as PDF) and the page counter
// lblPagina. The pages button opens frmImpxPag through the form opener and prints or saves the
// range it hands back. A report that cannot be read shows its message and the window closes
// at once.
class PreviewModel : public app::PresentationModel {
public:
    static const QString kWindowName; // "frmPreview"
    static const QString kNoPrinter;  // what a print says when there is no printer to choose
    using PdfTaker = std::function<QString()>;

    // `takePdf` gives the PDF the next print writes instead of a printer (empty for none);
    // `opener` and `files` may be null where the view asks itself.
    PreviewModel(const QString& path, app::Prompter& prompter, app::FormOpener* opener, app::FileChooser* files,
                 PdfTaker takePdf, ReportPreview::PdfWriter writePdf);

    ReportPreview& preview() { return m_preview; }
    app::Prompter& prompter() { return m_prompter; }
    // The name a PDF is offered under; the report file's name when none is given.
    QString pdfName() const;
    void setPdfName(const QString& name) { m_pdfName = name; }

    // The toolbar's commands.
    bool print();
    bool savePdf();
    void choosePages();
    void close() { m_closed = true; }

    // PresentationModel
    QString windowName() const override { return kWindowName; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }

private:
    ReportPreview m_preview;
    app::Prompter& m_prompter;
    app::FormOpener* m_opener;
    app::FileChooser* m_files;
    PdfTaker m_takePdf;
    ReportPreview::PdfWriter m_writePdf;
    QString m_pdfName;
    bool m_closed = false;
};

} // namespace qel::printing
