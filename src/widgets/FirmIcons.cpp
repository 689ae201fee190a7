#include "widgets/FirmIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {
constexpr int kSize = 32;

QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

const QColor kOutline(60, 60, 70);
} // namespace

QIcon newStatementIcon()
{
    return drawn([](QPainter &p) {
        QPainterPath sheet;
        sheet.moveTo(7, 3);
        sheet.lineTo(19, 3);
        sheet.lineTo(26, 10);
        sheet.lineTo(26, 29);
        sheet.lineTo(7, 29);
        sheet.closeSubpath();
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(Qt::white);
        p.drawPath(sheet);
        p.setBrush(QColor(210, 210, 220));
        p.drawPolygon(QPolygonF{QPointF(19, 3), QPointF(19, 10), QPointF(26, 10)});
        p.setPen(QPen(QColor(150, 160, 190), 1));
        for (int y = 14; y <= 25; y += 4)
            p.drawLine(10, y, 23, y);
    });
}

QIcon openStatementIcon()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(QColor(222, 180, 80));
        p.drawPolygon(QPolygonF{QPointF(3, 8), QPointF(12, 8), QPointF(14, 11), QPointF(26, 11),
                                QPointF(26, 27), QPointF(3, 27)});
        p.setBrush(QColor(245, 208, 110));
        p.drawPolygon(QPolygonF{QPointF(3, 27), QPointF(8, 15), QPointF(30, 15), QPointF(26, 27)});
    });
}

QIcon saveStatementIcon()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(QColor(50, 90, 170));
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(9, 18, 14, 10));
        p.setBrush(QColor(50, 90, 170));
        p.drawRect(QRectF(18, 6, 3, 5));
    });
}

QIcon deleteStatementIcon()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(190, 30, 30), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(8, 8, 24, 24);
        p.drawLine(24, 8, 8, 24);
    });
}

QIcon compareFirmIcon()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(kOutline, 1.5));
        p.drawLine(4, 28, 29, 28);
        p.drawLine(4, 28, 4, 4);
        p.setPen(Qt::NoPen);
        const int heights[] = {14, 18, 9, 13, 20, 16};
        for (int i = 0; i < 6; ++i) {
            p.setBrush(i % 2 == 0 ? QColor(40, 120, 60) : QColor(60, 110, 200));
            const int x = 7 + i * 3 + (i / 2) * 3;
            p.drawRect(QRect(x, 27 - heights[i], 3, heights[i]));
        }
    });
}

QIcon clearAllIcon()
{
    return drawn([](QPainter &p) {
        p.translate(16, 16);
        p.rotate(-35);
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(QColor(235, 120, 140));
        p.drawRoundedRect(QRectF(-12, -6, 14, 12), 2, 2);
        p.setBrush(QColor(120, 160, 220));
        p.drawRoundedRect(QRectF(2, -6, 10, 12), 2, 2);
        p.resetTransform();
        p.setPen(QPen(kOutline, 1));
        p.drawLine(4, 29, 28, 29);
    });
}
