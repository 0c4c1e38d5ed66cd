#include "declaration/ui/FrmConsist.h"

#include "app/Clock.h"
#include "declaration/commands/ConsistencyReportScript.h"
#include "printing/PageDescription.h"
#include "printing/ReportDocument.h"
#include "printing/ReportPainter.h"
#include "printing/ui/frmPreview.h"
#include "ui_FrmConsist.h"

#include <QDir>
#include <QFileDialog>

namespace qel::declaration {

FrmConsist::FrmConsist(const QString& reportPath, const app::Clock& clock, app::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmConsist>()), m_reportPath(reportPath), m_clock(clock),
      m_prompter(prompter), m_report(InconsistencyReport::fromFile(reportPath)) {
    m_ui->setupUi(this);
    m_ui->txtConsist->setPlainText(m_report.text());
    connect(m_ui->cmdAceptar, &QPushButton::clicked, this, &FrmConsist::acceptReport);
    connect(m_ui->cmdImprimir, &QPushButton::clicked, this, &FrmConsist::printReport);
    connect(m_ui->cmdPdf, &QPushButton::clicked, this, &FrmConsist::choosePdf);
}

FrmConsist::~FrmConsist() = default;

void FrmConsist::acceptReport() {
    m_accepted = true;
    accept();
}

printing::ReportDocument FrmConsist::printout() const {
    return ConsistencyReportScript::printout(m_report, m_clock.now());
}

QString FrmConsist::writePrintout() const {
    return ConsistencyReportScript::writePrintout(m_reportPath, m_report, m_clock.now());
}

bool FrmConsist::saveAsPdf(const QString& path) const {
    const printing::ReportDocument document = printout();
    return printing::ReportPainter::writePdf(path, document, 0, document.pageCount() - 1,
                                             ConsistencyReportScript::kPdfTitle);
}

void FrmConsist::printReport() {
    // A printout that cannot be written is the preview's missing file.
    printing::frmPreview preview(writePrintout(), m_prompter, this);
    if (preview.isOpen()) {
        preview.exec();
    }
}

void FrmConsist::choosePdf() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar como PDF"),
                                                      QDir::home().filePath(QStringLiteral("Inconsistencias.pdf")),
                                                      QStringLiteral("Documentos PDF (*.pdf)"));
    if (!path.isEmpty()) {
        saveAsPdf(path);
    }
}

} // namespace qel::declaration
