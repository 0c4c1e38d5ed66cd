#include "printing/ReportPreview.h"

#include "base/Prompter.h"

#include <QFileInfo>

namespace qel::printing {

const QString ReportPreview::kCaption = QStringLiteral("Presentación Preliminar");
const QString ReportPreview::kMissingFile = QStringLiteral("Archivo Físico del Reporte no Existe.");
const QString ReportPreview::kPrintErrorTitle = QStringLiteral("Error al Imprimir");
const QString ReportPreview::kPrinted = QStringLiteral("Reporte se imprimió satisfactoriamente.");
const QString ReportPreview::kPreviewMode = QStringLiteral("PresPrevia");
const QString ReportPreview::kPrintMode = QStringLiteral("IMPRIMIR");

ReportPreview::ReportPreview(QString path, app::Prompter& prompter, PdfWriter writePdf)
    : m_path(std::move(path)), m_prompter(prompter), m_writePdf(std::move(writePdf)), m_mode(kPreviewMode) {}

bool ReportPreview::reload() {
    m_document = ReportDocument::fromFile(m_path);
    if (!m_document.exists()) {
        m_prompter.message(kMissingFile, kPrintErrorTitle, app::Icon::Critical);
        return false;
    }
    if (!m_document.problem().isEmpty()) {
        m_prompter.message(m_document.problem(), kPrintErrorTitle, app::Icon::Critical);
        return false;
    }
    m_current = std::clamp(m_current, 0, pageCount() - 1);
    return true;
}

bool ReportPreview::open() {
    m_mode = kPreviewMode;
    m_current = 0;
    m_opened = reload();
    return m_opened;
}

void ReportPreview::previous() {
    if (canGoBack()) {
        --m_current;
    }
}

void ReportPreview::next() {
    if (canGoForward()) {
        ++m_current;
    }
}

QString ReportPreview::pageCounter() const {
    return QStringLiteral("Página %1 de %2").arg(pageCount() == 0 ? 0 : m_current + 1).arg(pageCount());
}

void ReportPreview::setZoom(double zoom) {
    m_zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
}

bool ReportPreview::print(const Painter& paint) {
    m_mode = kPrintMode;
    const bool read = reload();
    const bool printed = read && paint(m_document, firstToPrint(), lastToPrint());
    m_mode = kPreviewMode;
    if (printed) {
        m_prompter.message(kPrinted, kCaption, app::Icon::Information);
    }
    return printed;
}

bool ReportPreview::saveAsPdf(const QString& pdfPath) {
    if (!reload()) {
        return false;
    }
    if (!m_writePdf(pdfPath, m_document, firstToPrint(), lastToPrint(), QFileInfo(m_path).fileName())) {
        m_prompter.message(QStringLiteral("No se pudo escribir el archivo PDF:\n") + pdfPath, kPrintErrorTitle,
                           app::Icon::Critical);
        return false;
    }
    return true;
}

} // namespace qel::printing
