#include "app/ui/BackgroundPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace qel::app::ui {

BackgroundPicture::BackgroundPicture(QString periodo, QString formulario, QWidget* parent)
    : QWidget(parent), m_periodo(std::move(periodo)), m_formulario(std::move(formulario)) {
    setObjectName(QStringLiteral("imgFondo"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BackgroundPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();

    QLinearGradient sky(area.topLeft(), area.bottomRight());
    sky.setColorAt(0.0, QColor(0x24, 0x5b, 0x96));
    sky.setColorAt(1.0, QColor(0x0c, 0x2a, 0x4d));
    p.fillRect(area, sky);

    // A soft diagonal band of light.
    QPainterPath band;
    band.moveTo(area.width() * 0.35, 0);
    band.lineTo(area.width() * 0.75, 0);
    band.lineTo(area.width() * 0.45, area.height());
    band.lineTo(area.width() * 0.05, area.height());
    band.closeSubpath();
    p.fillPath(band, QColor(255, 255, 255, 14));

    // The form number as a watermark in the lower right corner.
    QFont mark(QStringLiteral("DejaVu Sans"));
    mark.setBold(true);
    mark.setPixelSize(std::max(24, static_cast<int>(area.height() * 0.30)));
    p.setFont(mark);
    p.setPen(QColor(255, 255, 255, 22));
    p.drawText(area.adjusted(0, 0, -16, -4), Qt::AlignRight | Qt::AlignBottom, m_formulario);

    // A form sheet: a page with rows of numbered boxes.
    const qreal unit = std::clamp(std::min(area.width(), area.height()) / 360.0, 0.5, 2.5);
    const QSizeF sheetSize(120 * unit, 150 * unit);
    const QPointF sheetTop(area.center().x() - sheetSize.width() / 2, area.center().y() - sheetSize.height() * 0.85);
    const QRectF sheet(sheetTop, sheetSize);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(sheet.translated(5 * unit, 6 * unit), 6 * unit, 6 * unit);
    p.setBrush(QColor(0xf7, 0xf9, 0xfc));
    p.drawRoundedRect(sheet, 6 * unit, 6 * unit);
    p.setBrush(QColor(0x24, 0x5b, 0x96));
    p.drawRoundedRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 24 * unit), 6 * unit, 6 * unit);
    p.drawRect(QRectF(sheet.left(), sheet.top() + 14 * unit, sheet.width(), 10 * unit));
    QFont head(QStringLiteral("DejaVu Sans"));
    head.setBold(true);
    head.setPixelSize(std::max(8, static_cast<int>(12 * unit)));
    p.setFont(head);
    p.setPen(Qt::white);
    p.drawText(QRectF(sheet.left(), sheet.top(), sheet.width(), 24 * unit), Qt::AlignCenter, m_formulario);
    for (int row = 0; row < 7; ++row) {
        const qreal y = sheet.top() + (34 + row * 16) * unit;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xc9, 0xd3, 0xdf));
        p.drawRoundedRect(QRectF(sheet.left() + 10 * unit, y + 3 * unit, 52 * unit, 5 * unit), 2 * unit, 2 * unit);
        p.setPen(QPen(QColor(0x8a, 0x9b, 0xb0), std::max(1.0, unit * 0.8)));
        p.setBrush(row == 6 ? QColor(0xff, 0xf1, 0xc9) : QColor(Qt::white));
        p.drawRect(QRectF(sheet.left() + 70 * unit, y, 40 * unit, 11 * unit));
    }

    // The module's name under the sheet.
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setBold(true);
    title.setPixelSize(std::max(12, static_cast<int>(22 * unit)));
    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(std::max(10, static_cast<int>(14 * unit)));
    const QRectF titleBox(area.left(), sheet.bottom() + 14 * unit, area.width(), 30 * unit);
    const QRectF subtitleBox(area.left(), titleBox.bottom(), area.width(), 22 * unit);
    const QString titleText = QStringLiteral("Renta Anual ") + m_periodo;
    const QString subtitleText = QStringLiteral("3ra. Categoría e ITF");
    p.setPen(QColor(0, 0, 0, 90));
    p.setFont(title);
    p.drawText(titleBox.translated(1.5, 1.5), Qt::AlignCenter, titleText);
    p.setPen(Qt::white);
    p.drawText(titleBox, Qt::AlignCenter, titleText);
    p.setFont(subtitle);
    p.setPen(QColor(0xd6, 0xe4, 0xf5));
    p.drawText(subtitleBox, Qt::AlignCenter, subtitleText);
}

} // namespace qel::app::ui
