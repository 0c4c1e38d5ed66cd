#include "declaration/ui/FrmConsist.h"

#include "app/Clock.h"
#include "ui_FrmConsist.h"

#include <QDir>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace qel::declaration {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kPointSize = 9.0;
constexpr double kSmallestPointSize = 5.0;

} // namespace

FrmConsist::FrmConsist(const QString& reportPath, const app::Clock& clock, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmConsist>()), m_clock(clock),
      m_report(InconsistencyReport::fromFile(reportPath)) {
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

// Each item at its place in twips; a line wider than the paper is drawn smaller so that it
// stays whole.
void FrmConsist::paint(QPagedPaintDevice& device) const {
    QPainter painter(&device);
    const double dpiX = device.logicalDpiX();
    const double dpiY = device.logicalDpiY();
    const double right = device.width() - InconsistencyReport::kLeftTwips * dpiX / kTwipsPerInch;
    const QList<InconsistencyReport::Page> pages = m_report.pages(m_clock.now());
    for (int p = 0; p < pages.size(); ++p) {
        if (p > 0) {
            device.newPage();
        }
        for (const InconsistencyReport::Item& item : pages.at(p).items) {
            const double x = item.x * dpiX / kTwipsPerInch;
            const double y = item.y * dpiY / kTwipsPerInch;
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPointSizeF(kPointSize);
            const double wide = QFontMetricsF(font, &device).horizontalAdvance(item.text);
            if (wide > right - x && wide > 0) {
                font.setPointSizeF(std::max(kSmallestPointSize, kPointSize * (right - x) / wide));
            }
            painter.setFont(font);
            painter.drawText(QPointF(x, y + QFontMetricsF(font, &device).ascent()), item.text);
        }
    }
}

bool FrmConsist::saveAsPdf(const QString& path) const {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(600);
    writer.setTitle(QStringLiteral("Inconsistencias Detectadas"));
    paint(writer);
    return QFileInfo(path).size() > 0;
}

void FrmConsist::printReport() {
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Imprimir"));
    if (dialog.exec() == QDialog::Accepted) {
        paint(printer);
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
