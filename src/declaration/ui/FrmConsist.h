#pragma once

#include "app/ui/FormResult.h"
#include "declaration/InconsistencyReport.h"

#include <QDialog>
#include <memory>

class QPagedPaintDevice;

namespace Ui {
class FrmConsist;
}

namespace qel::app {
class Clock;
}

namespace qel::declaration {

// The inconsistency report window: the whole report file in a read-only box. "&Aceptar"
// marks the report as accepted ("A", the window's result) and closes; "&Imprimir" prints it
// on a printer, "Guardar como &PDF" into a PDF file.
class FrmConsist : public QDialog, public app::ui::FormResult {
    Q_OBJECT

public:
    FrmConsist(const QString& reportPath, const app::Clock& clock, QWidget* parent = nullptr);
    ~FrmConsist() override;

    QString resultText() const override { return m_accepted ? QStringLiteral("A") : QString(); }
    const InconsistencyReport& report() const { return m_report; }

    // Paints the printout on a printer or a PDF writer, page after page.
    void paint(QPagedPaintDevice& device) const;
    // Writes the printout into a PDF file; false when the file cannot be written.
    bool saveAsPdf(const QString& path) const;

private:
    void acceptReport();
    void printReport();
    void choosePdf();

    std::unique_ptr<Ui::FrmConsist> m_ui;
    const app::Clock& m_clock;
    InconsistencyReport m_report;
    bool m_accepted = false;
};

} // namespace qel::declaration
