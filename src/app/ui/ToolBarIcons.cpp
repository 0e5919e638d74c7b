#include "app/ui/ToolBarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <numbers>

namespace ToolBarIcons {

namespace {

// Every picture is drawn on a 24 by 24 grid and rendered at these sizes.
constexpr int kGrid = 24;
constexpr int kSizes[] = { 16, 24, 32, 48 };

const QColor kInk(40, 70, 120);
const QColor kGreen(40, 140, 60);
const QColor kRed(200, 50, 40);
const QColor kPaper(250, 250, 245);

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QIcon icon;
    for (const int size : kSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(static_cast<double>(size) / kGrid, static_cast<double>(size) / kGrid);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen pen(const QColor& color, double width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A thick arrow pointing left, or right when mirrored.
void arrow(QPainter& painter, bool right)
{
    if (right) {
        painter.translate(kGrid, 0);
        painter.scale(-1, 1);
    }
    QPainterPath path;
    path.moveTo(3, 12);
    path.lineTo(11, 4);
    path.lineTo(11, 8.5);
    path.lineTo(21, 8.5);
    path.lineTo(21, 15.5);
    path.lineTo(11, 15.5);
    path.lineTo(11, 20);
    path.closeSubpath();
    painter.setPen(pen(kGreen.darker(130), 1.2));
    painter.setBrush(kGreen);
    painter.drawPath(path);
}

} // namespace

QIcon back()
{
    return drawn([](QPainter& painter) { arrow(painter, false); });
}

QIcon forward()
{
    return drawn([](QPainter& painter) { arrow(painter, true); });
}

QIcon refresh()
{
    return drawn([](QPainter& painter) {
        painter.setPen(pen(kInk, 2.6));
        painter.drawArc(QRectF(4.5, 4.5, 15, 15), 60 * 16, 280 * 16);
        QPainterPath head;
        head.moveTo(12.5, 1.5);
        head.lineTo(18.5, 5.5);
        head.lineTo(12.5, 9.5);
        head.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(kInk);
        painter.drawPath(head);
    });
}

QIcon stop()
{
    return drawn([](QPainter& painter) {
        QPolygonF octagon;
        for (int corner = 0; corner < 8; ++corner) {
            const double angle = (corner * 45.0 + 22.5) * std::numbers::pi / 180.0;
            octagon << QPointF(12 + 9.5 * std::cos(angle), 12 + 9.5 * std::sin(angle));
        }
        painter.setPen(pen(kRed.darker(140), 1));
        painter.setBrush(kRed);
        painter.drawPolygon(octagon);
        painter.setPen(pen(Qt::white, 2.4));
        painter.drawLine(QPointF(8.5, 8.5), QPointF(15.5, 15.5));
        painter.drawLine(QPointF(15.5, 8.5), QPointF(8.5, 15.5));
    });
}

QIcon settings()
{
    return drawn([](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(90, 100, 115));
        for (int tooth = 0; tooth < 8; ++tooth) {
            painter.save();
            painter.translate(12, 12);
            painter.rotate(tooth * 45.0);
            painter.drawRoundedRect(QRectF(-2, -10.5, 4, 5), 1, 1);
            painter.restore();
        }
        painter.drawEllipse(QPointF(12, 12), 7.5, 7.5);
        painter.setBrush(kPaper);
        painter.drawEllipse(QPointF(12, 12), 3, 3);
    });
}

QIcon help()
{
    return drawn([](QPainter& painter) {
        painter.setPen(pen(kInk.darker(120), 1));
        painter.setBrush(QColor(70, 120, 200));
        painter.drawEllipse(QPointF(12, 12), 10, 10);
        QFont font = painter.font();
        font.setPixelSize(15);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(0, 0, kGrid, kGrid), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QIcon autoFill()
{
    return drawn([](QPainter& painter) {
        // A form with lines being written, and a pencil.
        painter.setPen(pen(kInk, 1.4));
        painter.setBrush(kPaper);
        painter.drawRect(QRectF(3, 3, 14, 18));
        painter.setPen(pen(kInk, 1.6));
        for (const double y : { 8.0, 12.0, 16.0 })
            painter.drawLine(QPointF(6, y), QPointF(13, y));
        painter.setPen(pen(QColor(200, 140, 20).darker(130), 1));
        painter.setBrush(QColor(240, 180, 40));
        QPolygonF pencil;
        pencil << QPointF(20, 6) << QPointF(23, 9) << QPointF(13, 19) << QPointF(9.5, 20.5)
               << QPointF(11, 17);
        painter.drawPolygon(pencil);
    });
}

QIcon reciprocal()
{
    return drawn([](QPainter& painter) {
        // Two chain links.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(pen(kInk, 2.4));
        painter.save();
        painter.translate(12, 12);
        painter.rotate(-45);
        painter.drawRoundedRect(QRectF(-10, -3.5, 11, 7), 3.5, 3.5);
        painter.setPen(pen(kGreen, 2.4));
        painter.drawRoundedRect(QRectF(-1, -3.5, 11, 7), 3.5, 3.5);
        painter.restore();
    });
}

QIcon copy()
{
    return drawn([](QPainter& painter) {
        painter.setPen(pen(kInk, 1.4));
        painter.setBrush(QColor(225, 230, 240));
        painter.drawRect(QRectF(3, 2.5, 12, 14));
        painter.setBrush(kPaper);
        painter.drawRect(QRectF(9, 7.5, 12, 14));
        for (const double y : { 12.0, 15.5, 19.0 })
            painter.drawLine(QPointF(12, y), QPointF(18, y));
    });
}

QIcon gotoDirectory()
{
    return drawn([](QPainter& painter) {
        // A list with one row picked out and an arrow pointing at it.
        painter.setPen(pen(kInk, 1.8));
        for (const double y : { 5.0, 10.0, 19.0 })
            painter.drawLine(QPointF(11, y), QPointF(21, y));
        painter.setPen(Qt::NoPen);
        painter.setBrush(kGreen);
        painter.drawRect(QRectF(10, 12.5, 12, 4));
        QPainterPath head;
        head.moveTo(2, 10);
        head.lineTo(8, 14.5);
        head.lineTo(2, 19);
        head.closeSubpath();
        painter.setBrush(kInk);
        painter.drawPath(head);
    });
}

QIcon nextDirectory()
{
    return drawn([](QPainter& painter) {
        // A list whose next row is picked out, and a green arrow moving down to it.
        painter.setPen(pen(kInk, 1.8));
        for (const double y : { 4.0, 20.0 })
            painter.drawLine(QPointF(10, y), QPointF(22, y));
        painter.setPen(Qt::NoPen);
        painter.setBrush(kGreen);
        painter.drawRect(QRectF(9, 10, 14, 4.5));
        QPainterPath arrowDown;
        arrowDown.moveTo(2, 4);
        arrowDown.lineTo(7, 4);
        arrowDown.lineTo(7, 10);
        arrowDown.lineTo(9, 10);
        arrowDown.lineTo(4.5, 16);
        arrowDown.lineTo(0, 10);
        arrowDown.lineTo(2, 10);
        arrowDown.closeSubpath();
        painter.setBrush(kInk);
        painter.drawPath(arrowDown);
    });
}

QIcon skip()
{
    return drawn([](QPainter& painter) {
        // Two chevrons jumping over a bar.
        painter.setPen(pen(kInk, 2.6));
        for (const double x : { 4.0, 11.0 }) {
            painter.drawLine(QPointF(x, 6), QPointF(x + 6, 12));
            painter.drawLine(QPointF(x + 6, 12), QPointF(x, 18));
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(kRed);
        painter.drawRect(QRectF(18.5, 5, 3, 14));
    });
}

QIcon closeTab()
{
    return drawn([](QPainter& painter) {
        painter.setPen(pen(kRed, 3.2));
        painter.drawLine(QPointF(6, 6), QPointF(18, 18));
        painter.drawLine(QPointF(18, 6), QPointF(6, 18));
    });
}

QIcon application()
{
    return drawn([](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        QLinearGradient face(0, 0, 0, kGrid);
        face.setColorAt(0, QColor(60, 120, 200));
        face.setColorAt(1, QColor(30, 70, 140));
        painter.setBrush(face);
        painter.drawRoundedRect(QRectF(1, 1, 22, 22), 5, 5);
        painter.setPen(pen(Qt::white, 3));
        painter.drawLine(QPointF(6.5, 6.5), QPointF(12, 18));
        painter.drawLine(QPointF(12, 18), QPointF(17.5, 6.5));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(120, 220, 120));
        painter.drawEllipse(QPointF(18.5, 18.5), 2.5, 2.5);
    });
}

} // namespace ToolBarIcons
