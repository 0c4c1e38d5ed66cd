#pragma once

#include "app/ScriptableWindow.h"
#include "printing/PrintTypeModel.h"
#include "printing/ReportPreview.h"

#include <QString>
#include <functional>
#include <memory>

namespace qel::app {
class FileChooser;
class FormOpener;
} // namespace qel::app

namespace qel::printing {

// The print windows as a script drives them. FrmTipPrnR's print opens frmPreview through the
// form opener, and frmPreview's "pages" button opens frmImpxPag the same way, so each becomes
// the script's current window in turn.

// What a print of the preview does when the script queued no PDF: there is no printer to
// choose from without windows.
inline const QString kNoPrinterInBatch =
    QStringLiteral("No hay impresora en el modo por lotes: indique un archivo con \"pdf RUTA\".");

class PrintTypeScript : public app::ScriptableWindow, private app::GridSource {
public:
    PrintTypeScript(PrintTypeModel::Context context, app::FormOpener& opener);

    PrintTypeModel& model() { return m_model; }

    QString name() const override { return PrintTypeModel::kWindowName; }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    app::GridSource* grid(const QString& name) override;
    bool isClosed() const override { return m_closed; }

private:
    int rowCount() const override { return static_cast<int>(m_model.rows().size()); }
    QStringList rowTexts(int row) const override { return m_model.cells(row); }
    int currentRow() const override { return m_model.current(); }
    void setCurrentRow(int row) override { m_model.select(row); }

    PrintTypeModel m_model;
    bool m_closed = false;
};

class PreviewScript : public app::ScriptableWindow {
public:
    static const QString kWindowName;  // "frmPreview"
    static const QString kRangeWindow; // "frmImpxPag"

    // `takePdf` gives the PDF the script queued for the next print (empty for none); `writePdf`
    // writes it, and the PDF of the save button.
    PreviewScript(const QString& path, app::Prompter& prompter, app::FormOpener& opener, app::FileChooser* files,
                  std::function<QString()> takePdf, ReportPreview::PdfWriter writePdf);

    ReportPreview& model() { return m_preview; }

    QString name() const override { return kWindowName; }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    bool isClosed() const override { return m_closed; }

private:
    bool print();
    bool savePdf();
    void choosePages();

    ReportPreview m_preview;
    app::Prompter& m_prompter;
    app::FormOpener& m_opener;
    app::FileChooser* m_files;
    std::function<QString()> m_takePdf;
    ReportPreview::PdfWriter m_writePdf;
    bool m_closed = false;
};

// frmImpxPag: its result is "FIRST-LAST I" to print the range, "FIRST-LAST P" to save it as
// PDF, empty when cancelled.
class PageRangeScript : public app::ScriptableWindow {
public:
    PageRangeScript(int totalPages, app::Prompter& prompter);

    QString name() const override { return PreviewScript::kRangeWindow; }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    bool isClosed() const override { return m_closed; }
    QString result() const override { return m_result; }

private:
    int m_total;
    app::Prompter& m_prompter;
    QString m_from;
    QString m_to;
    QString m_result;
    bool m_closed = false;
};

} // namespace qel::printing
