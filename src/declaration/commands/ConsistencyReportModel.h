#pragma once

#include "app/ScriptableWindow.h"
#include "declaration/commands/InconsistencyReport.h"
#include "printing/ReportDocument.h"
#include "printing/ReportPreview.h"

#include <QString>

namespace qel::app {
class Clock;
class FileChooser;
class FormOpener;
} // namespace qel::app

namespace qel::declaration {

// FrmConsist, the inconsistency report of the validate command, as a script drives it: the
// report's lines as the grid txtConsist, cmdAceptar (the report accepted, "A" handed back),
// cmdImprimir (the printout written beside the report file and opened in the preview) and
// cmdPdf (the printout into the PDF file the script queued).
class ConsistencyReportScript : public app::ScriptableWindow, private app::GridSource {
public:
    ConsistencyReportScript(QString reportPath, const app::Clock& clock, app::FormOpener& opener,
                            app::FileChooser* files, printing::ReportPreview::PdfWriter writePdf);

    // The printout's page-description file beside the report file ("Mens.PRN"); empty when it
    // cannot be written.
    static QString writePrintout(const QString& reportPath, const InconsistencyReport& report, const QDateTime& now);
    // The printout as the preview, the printer and the PDF receive it.
    static printing::ReportDocument printout(const InconsistencyReport& report, const QDateTime& now);
    static const QString kPdfTitle; // "Inconsistencias Detectadas"

    QString name() const override;
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    app::GridSource* grid(const QString& name) override;
    bool isClosed() const override { return m_closed; }
    QString result() const override;

private:
    int rowCount() const override { return static_cast<int>(m_report.lines().size()); }
    QStringList rowTexts(int row) const override { return {m_report.lines().at(row)}; }
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = row; }

    void print();
    bool savePdf();

    QString m_reportPath;
    const app::Clock& m_clock;
    app::FormOpener& m_opener;
    app::FileChooser* m_files;
    printing::ReportPreview::PdfWriter m_writePdf;
    InconsistencyReport m_report;
    int m_current = -1;
    bool m_accepted = false;
    bool m_closed = false;
};

} // namespace qel::declaration
