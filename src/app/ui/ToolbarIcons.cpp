#include "app/ui/ToolbarIcons.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace qel::app::ui {

namespace {

using Command = MainCommands::Command;

const QColor kOutline(0x4a, 0x5a, 0x6e);

// A sheet of paper with a folded corner and a few lines of text (drawn on a 32 x 32 grid).
void drawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(6, 3);
    page.lineTo(19, 3);
    page.lineTo(25, 9);
    page.lineTo(25, 29);
    page.lineTo(6, 29);
    page.closeSubpath();
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(19, 3);
    fold.lineTo(19, 9);
    fold.lineTo(25, 9);
    p.setBrush(QColor(0xdd, 0xe3, 0xea));
    p.drawPath(fold);
    p.setPen(QPen(QColor(0x9a, 0xa8, 0xb8), 1.2));
    for (int y = 13; y <= 25; y += 4) {
        p.drawLine(QPointF(9, y), QPointF(y < 17 ? 22 : 17, y));
    }
}

void drawBadge(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawEllipse(QPointF(23, 23), 7.5, 7.5);
}

void paint(QPainter& p, Command command) {
    switch (command) {
    case Command::NewDeclaration:
        drawPage(p);
        drawBadge(p, QColor(0x2e, 0x9e, 0x47));
        p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(23, 19), QPointF(23, 27));
        p.drawLine(QPointF(19, 23), QPointF(27, 23));
        break;
    case Command::ModifyDeclaration: {
        drawPage(p);
        p.save();
        p.translate(21, 19);
        p.rotate(45);
        p.setPen(QPen(QColor(0x8a, 0x5a, 0x00), 1));
        p.setBrush(QColor(0xf2, 0xb6, 0x32));
        p.drawRect(QRectF(-3, -12, 6, 17));
        p.setBrush(QColor(0xe8, 0x8a, 0x8a));
        p.drawRect(QRectF(-3, -15, 6, 3));
        QPainterPath tip;
        tip.moveTo(-3, 5);
        tip.lineTo(3, 5);
        tip.lineTo(0, 11);
        tip.closeSubpath();
        p.setBrush(QColor(0xf5, 0xde, 0xb3));
        p.drawPath(tip);
        p.restore();
        break;
    }
    case Command::DeleteDeclaration:
        drawPage(p);
        drawBadge(p, QColor(0xd0, 0x32, 0x2b));
        p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(20, 20), QPointF(26, 26));
        p.drawLine(QPointF(26, 20), QPointF(20, 26));
        break;
    case Command::PrintDeclaration:
    case Command::PrintSentDeclaration:
        p.setPen(QPen(kOutline, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(QColor(0x5d, 0x6d, 0x7e));
        p.drawRoundedRect(QRectF(3, 11, 26, 13), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 19, 14, 10));
        p.setPen(QPen(QColor(0x9a, 0xa8, 0xb8), 1.2));
        p.drawLine(QPointF(11, 23), QPointF(21, 23));
        p.drawLine(QPointF(11, 26), QPointF(18, 26));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x5c, 0xe0, 0x6a));
        p.drawEllipse(QPointF(25, 15), 1.4, 1.4);
        break;
    case Command::Exit: {
        p.setPen(QPen(QColor(0x5b, 0x3a, 0x1a), 1.2));
        p.setBrush(QColor(0xe6, 0xe9, 0xee));
        p.drawRect(QRectF(5, 3, 14, 26));
        QPainterPath door;
        door.moveTo(5, 3);
        door.lineTo(14, 6);
        door.lineTo(14, 31);
        door.lineTo(5, 29);
        door.closeSubpath();
        p.setBrush(QColor(0xa0, 0x6a, 0x35));
        p.drawPath(door);
        p.setBrush(QColor(0xf2, 0xc9, 0x4c));
        p.drawEllipse(QPointF(12, 18), 1.2, 1.2);
        p.setPen(QPen(QColor(0x2e, 0x9e, 0x47), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(17, 16), QPointF(28, 16));
        p.drawLine(QPointF(24, 12), QPointF(28, 16));
        p.drawLine(QPointF(24, 20), QPointF(28, 16));
        break;
    }
    case Command::RegisterOrderNumber: {
        drawPage(p);
        drawBadge(p, QColor(0x2a, 0x6f, 0xdb));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(8);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(15.5, 15.5, 15, 15), Qt::AlignCenter, QStringLiteral("Nº"));
        break;
    }
    case Command::Help: {
        p.setPen(QPen(QColor(0x1c, 0x4f, 0xa8), 1.2));
        p.setBrush(QColor(0x2a, 0x6f, 0xdb));
        p.drawEllipse(QPointF(16, 16), 13, 13);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(20);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    default:
        break;
    }
}

QPixmap picture(Command command, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 32.0, size / 32.0);
    paint(p, command);
    return pixmap;
}

// Paints a picture at the size it is asked for, when it is first asked for: the main window
// builds every menu's icons before it is shown, but shows only the toolbar's, at one size.
class PaintedIconEngine : public QIconEngine {
public:
    explicit PaintedIconEngine(Command command) : m_command(command) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        QPixmap& normal = m_pictures[side];
        if (normal.isNull()) {
            normal = picture(m_command, side);
        }
        if (mode != QIcon::Disabled) {
            return normal;
        }
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(QIcon::Disabled, normal, &option);
    }

    QIconEngine* clone() const override { return new PaintedIconEngine(*this); }

private:
    Command m_command;
    QHash<int, QPixmap> m_pictures;
};

} // namespace

QIcon ToolbarIcons::icon(MainCommands::Command command) {
    return QIcon(new PaintedIconEngine(command));
}

} // namespace qel::app::ui

namespace qel::app::ui {

QPixmap ToolbarIcons::emblem(const QString& formulario, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 64.0, size / 64.0);
    const QRectF sheet(10, 4, 44, 56);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRoundedRect(sheet.translated(2, 2), 4, 4);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(0xf7, 0xf9, 0xfc));
    p.drawRoundedRect(sheet, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x24, 0x5b, 0x96));
    p.drawRoundedRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 14), 4, 4);
    p.drawRect(QRectF(sheet.left(), sheet.top() + 8, sheet.width(), 6));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(sheet.left(), sheet.top(), sheet.width(), 14), Qt::AlignCenter, formulario);
    for (int row = 0; row < 5; ++row) {
        const qreal y = sheet.top() + 20 + row * 7.5;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xc9, 0xd3, 0xdf));
        p.drawRect(QRectF(sheet.left() + 5, y + 1.5, 18, 2.5));
        p.setPen(QPen(QColor(0x8a, 0x9b, 0xb0), 0.8));
        p.setBrush(row == 4 ? QColor(0xff, 0xf1, 0xc9) : QColor(Qt::white));
        p.drawRect(QRectF(sheet.left() + 26, y, 13, 5.5));
    }
    return pixmap;
}

} // namespace qel::app::ui
