#include "printing/ReportPainter.h"

#include <QColor>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace qel::printing {

namespace {

QPageLayout layoutOf(const ReportDocument::Page& page) {
    return QPageLayout(QPageSize(QPageSize::A4), page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

QColor colorOf(const QString& name) {
    const QColor color = QColor::fromString(name);
    return name.isEmpty() || !color.isValid() ? QColor(Qt::black) : color;
}

} // namespace

QSizeF ReportPainter::pageSizePoints(const ReportDocument::Page& page) {
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
    return page.landscape ? a4.transposed() : a4;
}

double ReportPainter::linePoints(const ReportDocument::Page& page) {
    return page.landscape ? kLandscapeLinePoints : kPortraitLinePoints;
}

void ReportPainter::paint(QPainter& painter, const ReportDocument& document, int pageIndex, double scale) {
    if (pageIndex < 0 || pageIndex >= document.pageCount()) {
        return;
    }
    const ReportDocument::Page& page = document.page(pageIndex);
    const double line = linePoints(page);
    const auto x = [](double column) { return column * kColumnPoints; };
    const auto y = [line](double row) { return (row + kTopMarginLines) * line; };

    painter.save();
    painter.scale(scale, scale);
    painter.fillRect(QRectF(QPointF(0, 0), pageSizePoints(page)), Qt::white);
    QPen pen(Qt::black);
    pen.setWidthF(0.6);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const ReportDocument::Box& box : page.boxes) {
        painter.drawRect(QRectF(QPointF(x(box.left), y(box.top)), QPointF(x(box.right), y(box.bottom))));
    }
    QFont font(document.fontName());
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    for (const ReportDocument::Text& text : page.texts) {
        font.setPixelSize(qBound(1, text.size, 200));
        font.setBold(text.bold);
        painter.setFont(font);
        painter.setPen(colorOf(text.color));
        // The text sits on its row: the baseline four fifths of a line down.
        const QPointF at(x(text.column), y(text.row) + 0.8 * line);
        if (text.vertical) {
            painter.save();
            painter.translate(at);
            painter.rotate(-90);
            painter.drawText(QPointF(0, 0), text.text);
            painter.restore();
        } else {
            painter.drawText(at, text.text);
        }
    }
    painter.restore();
}

bool ReportPainter::paintPages(QPagedPaintDevice& device, const ReportDocument& document, int first, int last) {
    first = qMax(first, 0);
    last = qMin(last, document.pageCount() - 1);
    if (first > last) {
        return false;
    }
    device.setPageLayout(layoutOf(document.page(first)));
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const double scale = device.logicalDpiX() / 72.0;
    for (int index = first; index <= last; ++index) {
        if (index > first) {
            device.setPageLayout(layoutOf(document.page(index)));
            device.newPage();
        }
        paint(painter, document, index, scale);
    }
    return painter.end();
}

bool ReportPainter::writePdf(const QString& path, const ReportDocument& document, int first, int last,
                             const QString& title) {
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("pm0588"));
    return paintPages(writer, document, first, last);
}

} // namespace qel::printing
