#include "launcher/ui/LauncherIcons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace qel::launcher {

namespace {

// Every icon is drawn on a 64 x 64 canvas and offered at the sizes the widgets ask for.
QIcon painted(const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 64.0, size / 64.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QColor blue() {
    return QColor(0x1f, 0x4e, 0x79);
}

void plusBadge(QPainter& p, const QColor& colour) {
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(colour);
    p.drawEllipse(QPointF(48, 48), 13, 13);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(48, 41), QPointF(48, 55));
    p.drawLine(QPointF(41, 48), QPointF(55, 48));
}

} // namespace

QIcon LauncherIcons::application() {
    return painted([](QPainter& p) {
        QLinearGradient fill(0, 0, 0, 64);
        fill.setColorAt(0, QColor(0x2d, 0x6a, 0xa3));
        fill.setColorAt(1, blue());
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
        p.setBrush(QColor(0xf0, 0xb4, 0x29));
        p.drawRect(QRectF(10, 46, 44, 5));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(22);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(2, 10, 60, 34), Qt::AlignCenter, QStringLiteral("QEL"));
    });
}

QIcon LauncherIcons::newTaxpayer() {
    return painted([](QPainter& p) {
        // An office building with its windows.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x5b, 0x7d, 0x9c));
        p.drawRect(QRectF(8, 14, 30, 44));
        p.setBrush(QColor(0x3f, 0x5f, 0x7d));
        p.drawRect(QRectF(6, 10, 34, 6));
        p.setBrush(QColor(0xdd, 0xea, 0xf5));
        for (int row = 0; row < 4; ++row) {
            for (int col = 0; col < 3; ++col) {
                p.drawRect(QRectF(12 + col * 9, 20 + row * 9, 5, 5));
            }
        }
        plusBadge(p, QColor(0x2e, 0x9e, 0x4f));
    });
}

QIcon LauncherIcons::modify() {
    return painted([](QPainter& p) {
        // A sheet of paper and a pencil across it.
        p.setPen(QPen(QColor(0x8a, 0x99, 0xa8), 2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 6, 36, 50));
        p.setPen(QPen(QColor(0xb7, 0xc4, 0xd1), 2));
        for (int y = 16; y <= 44; y += 7) {
            p.drawLine(QPointF(14, y), QPointF(38, y));
        }
        p.save();
        p.translate(44, 36);
        p.rotate(45);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf0, 0xb4, 0x29));
        p.drawRect(QRectF(-5, -24, 10, 34));
        p.setBrush(QColor(0xe5, 0x73, 0x73));
        p.drawRect(QRectF(-5, -30, 10, 6));
        QPainterPath tip;
        tip.moveTo(-5, 10);
        tip.lineTo(5, 10);
        tip.lineTo(0, 20);
        tip.closeSubpath();
        p.setBrush(QColor(0xf3, 0xdc, 0xb0));
        p.drawPath(tip);
        p.setBrush(QColor(0x33, 0x33, 0x33));
        p.drawEllipse(QPointF(0, 18), 1.8, 1.8);
        p.restore();
    });
}

QIcon LauncherIcons::startModule() {
    return painted([](QPainter& p) {
        QLinearGradient fill(0, 4, 0, 60);
        fill.setColorAt(0, QColor(0x4c, 0xb8, 0x6a));
        fill.setColorAt(1, QColor(0x23, 0x86, 0x3f));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawEllipse(QRectF(4, 4, 56, 56));
        QPainterPath play;
        play.moveTo(25, 18);
        play.lineTo(46, 32);
        play.lineTo(25, 46);
        play.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(play);
    });
}

QIcon LauncherIcons::send() {
    return painted([](QPainter& p) {
        // A paper plane leaving a dotted trail.
        QPainterPath wing;
        wing.moveTo(6, 30);
        wing.lineTo(58, 8);
        wing.lineTo(42, 54);
        wing.lineTo(30, 38);
        wing.closeSubpath();
        p.setPen(QPen(blue(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0xdd, 0xea, 0xf5));
        p.drawPath(wing);
        QPainterPath fold;
        fold.moveTo(58, 8);
        fold.lineTo(30, 38);
        fold.lineTo(28, 52);
        fold.lineTo(36, 44);
        p.setBrush(QColor(0x2d, 0x6a, 0xa3));
        p.drawPath(fold);
        p.setPen(QPen(QColor(0x8a, 0x99, 0xa8), 2, Qt::DotLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 58), QPointF(20, 46));
    });
}

QIcon LauncherIcons::exit() {
    return painted([](QPainter& p) {
        // An open door and an arrow leaving through it.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8d, 0x5a, 0x3b));
        p.drawRect(QRectF(10, 6, 30, 52));
        p.setBrush(QColor(0x3b, 0x2a, 0x20));
        p.drawRect(QRectF(14, 10, 22, 44));
        QPainterPath leaf;
        leaf.moveTo(14, 10);
        leaf.lineTo(30, 16);
        leaf.lineTo(30, 60);
        leaf.lineTo(14, 54);
        leaf.closeSubpath();
        p.setBrush(QColor(0xb0, 0x77, 0x4f));
        p.drawPath(leaf);
        p.setBrush(QColor(0xf0, 0xb4, 0x29));
        p.drawEllipse(QPointF(26, 36), 2, 2);
        p.setPen(QPen(QColor(0xd6, 0x45, 0x45), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(38, 32), QPointF(58, 32));
        p.drawLine(QPointF(50, 24), QPointF(58, 32));
        p.drawLine(QPointF(50, 40), QPointF(58, 32));
    });
}

QIcon LauncherIcons::user() {
    return painted([](QPainter& p) {
        // Light, for the dark band of the main window.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xdd, 0xea, 0xf5));
        p.drawEllipse(QPointF(32, 22), 13, 13);
        QPainterPath body;
        body.moveTo(8, 60);
        body.cubicTo(8, 36, 56, 36, 56, 60);
        body.closeSubpath();
        p.drawPath(body);
    });
}

QIcon LauncherIcons::folder() {
    return painted([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd9, 0x9a, 0x1e));
        p.drawRoundedRect(QRectF(4, 12, 24, 12), 3, 3);
        p.drawRoundedRect(QRectF(4, 18, 56, 38), 4, 4);
        p.setBrush(QColor(0xf0, 0xb4, 0x29));
        p.drawRoundedRect(QRectF(4, 24, 56, 32), 4, 4);
    });
}

} // namespace qel::launcher
