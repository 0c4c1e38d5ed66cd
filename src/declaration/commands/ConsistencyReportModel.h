#pragma once

#include "app/PresentationModel.h"
#include "declaration/rules/InconsistencyReport.h"
#include "printing/ReportDocument.h"
#include "printing/ReportPreview.h"

#include <QString>
#include <QStringList>

namespace qel::app {
class Clock;
class FileChooser;
class FormOpener;
} // namespace qel::app

namespace qel::declaration {

// FrmConsist without its widgets, the inconsistency report of the validate command: the
// report's lines (txtConsist, a grid to a script), cmdAceptar (the report accepted, "A" handed
// back), cmdImprimir (the printout written beside the report file and opened in frmPreview)
// and cmdPdf (the printout into the PDF file the user chooses).
class ConsistencyReportModel : public app::PresentationModel, private app::GridSource {
public:
    // lineControls: the control each line is about, in the order of the lines.
    ConsistencyReportModel(QString reportPath, QStringList lineControls, const app::Clock& clock,
                           app::FormOpener& opener, app::FileChooser* files,
                           printing::ReportPreview::PdfWriter writePdf);

    // The printout's page-description file beside the report file ("Mens.PRN"); empty when it
    // cannot be written.
    static QString writePrintout(const QString& reportPath, const InconsistencyReport& report, const QDateTime& now);
    // The printout as the preview, the printer and the PDF receive it.
    static printing::ReportDocument printout(const InconsistencyReport& report, const QDateTime& now);
    static const QString kPdfTitle; // "Inconsistencias Detectadas"

    const InconsistencyReport& report() const { return m_report; }
    const QStringList& lineControls() const { return m_lineControls; }
    printing::ReportDocument printout() const;

    // "&Aceptar": the report accepted; the window closes.
    void accept();
    // "&Imprimir": the printout in the preview (a printout that cannot be written is the
    // preview's missing file).
    void print();
    // "Guardar como &PDF": the printout into the file the user chooses; false when none was
    // chosen or it cannot be written.
    bool savePdf();
    bool saveAsPdf(const QString& path) const;

    // PresentationModel
    QString windowName() const override;
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }
    QString result() const override;

private:
    int rowCount() const override { return static_cast<int>(m_report.lines().size()); }
    QStringList rowTexts(int row) const override { return {m_report.lines().at(row)}; }
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = row; }

    QString m_reportPath;
    QStringList m_lineControls;
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
