#pragma once

#include "app/ui/FormResult.h"
#include "declaration/commands/InconsistencyReport.h"

#include <QDialog>
#include <memory>

class QPagedPaintDevice;

namespace qel::app {
class Prompter;
}

namespace Ui {
class FrmConsist;
}

namespace qel::app {
class Clock;
}

namespace qel::printing {
class ReportDocument;
}

namespace qel::declaration {

// The inconsistency report window: the whole report file in a read-only box. "&Aceptar"
// marks the report as accepted ("A", the window's result) and closes; "&Imprimir" writes the
// printout beside the report file ("Mens.PRN") and shows it in the preview, from which it
// prints; "Guardar como &PDF" writes the printout into a PDF file.
class FrmConsist : public QDialog, public app::ui::FormResult {
    Q_OBJECT

public:
    FrmConsist(const QString& reportPath, const app::Clock& clock, app::Prompter& prompter, QWidget* parent = nullptr);
    ~FrmConsist() override;

    QString resultText() const override { return m_accepted ? QStringLiteral("A") : QString(); }
    const InconsistencyReport& report() const { return m_report; }

    // The printout as the preview, the printer and the PDF receive it.
    printing::ReportDocument printout() const;
    // The printout's page-description file; empty when it cannot be written.
    QString writePrintout() const;
    // Writes the printout into a PDF file; false when the file cannot be written.
    bool saveAsPdf(const QString& path) const;

private:
    void acceptReport();
    void printReport();
    void choosePdf();

    std::unique_ptr<Ui::FrmConsist> m_ui;
    QString m_reportPath;
    const app::Clock& m_clock;
    app::Prompter& m_prompter;
    InconsistencyReport m_report;
    bool m_accepted = false;
};

} // namespace qel::declaration
