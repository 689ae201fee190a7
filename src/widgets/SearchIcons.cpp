#include "widgets/SearchIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {
const QColor kFolderBody(0xE8, 0xC0, 0x4A);
const QColor kFolderFront(0xF6, 0xD8, 0x6E);
const QColor kOutline(0x6B, 0x4E, 0x10);

QPixmap blank(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void prepare(QPainter &painter, int size)
{
    painter.setRenderHint(QPainter::Antialiasing);
    // Every picture is drawn on a 16-unit grid and scaled to the size asked for.
    painter.scale(size / 16.0, size / 16.0);
    painter.setPen(QPen(kOutline, 0.8));
}

QIcon iconFrom(QPixmap (*draw)(int), QIcon::Mode mode = QIcon::Normal)
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addPixmap(draw(size), mode);
    return icon;
}
} // namespace

QPixmap closedFolderPixmap(int size)
{
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    prepare(painter, size);
    QPainterPath tab;
    tab.moveTo(1.5, 4);
    tab.lineTo(1.5, 2.5);
    tab.lineTo(6, 2.5);
    tab.lineTo(7.5, 4);
    painter.setBrush(kFolderBody);
    painter.drawPath(tab);
    painter.drawRect(QRectF(1.5, 4, 13, 9.5));
    painter.setBrush(kFolderFront);
    painter.drawRect(QRectF(1.5, 5.5, 13, 8));
    return pixmap;
}

QPixmap openFolderPixmap(int size)
{
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    prepare(painter, size);
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 2.5);
    back.lineTo(6, 2.5);
    back.lineTo(7.5, 4);
    back.lineTo(13, 4);
    back.lineTo(13, 6.5);
    painter.setBrush(kFolderBody);
    painter.drawPath(back);
    // A sheet sticking out of the open folder.
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(3.5, 5, 8.5, 6));
    const QPolygonF front{{1.5, 13.5}, {4, 7}, {15, 7}, {12.5, 13.5}};
    painter.setBrush(kFolderFront);
    painter.drawPolygon(front);
    return pixmap;
}

QPixmap linedPaperPixmap(int size)
{
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    prepare(painter, size);
    const QPolygonF sheet{{3, 1.5}, {10.5, 1.5}, {13, 4}, {13, 14.5}, {3, 14.5}};
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 0.8));
    painter.setBrush(Qt::white);
    painter.drawPolygon(sheet);
    painter.drawPolyline(QPolygonF{{10.5, 1.5}, {10.5, 4}, {13, 4}});
    painter.setPen(QPen(QColor(0x3A, 0x6E, 0xC8), 0.7));
    for (double y = 6; y <= 13; y += 1.75)
        painter.drawLine(QPointF(4.5, y), QPointF(11.5, y));
    return pixmap;
}

QIcon categoryIcon()
{
    QIcon icon = iconFrom(closedFolderPixmap);
    for (int size : {16, 32})
        icon.addPixmap(openFolderPixmap(size), QIcon::Selected);
    return icon;
}

QIcon industryIcon()
{
    QIcon icon = iconFrom(linedPaperPixmap);
    // No picture of its own when selected: the same sheet, not a tinted one.
    for (int size : {16, 32})
        icon.addPixmap(linedPaperPixmap(size), QIcon::Selected);
    return icon;
}

QIcon backArrowIcon()
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap = blank(size);
        QPainter painter(&pixmap);
        prepare(painter, size);
        const QPolygonF arrow{{1.5, 8},     {7.5, 2},    {7.5, 5.5}, {14.5, 5.5},
                              {14.5, 10.5}, {7.5, 10.5}, {7.5, 14}};
        painter.setPen(QPen(QColor(0x1F, 0x4E, 0x8C), 0.8));
        painter.setBrush(QColor(0x4A, 0x86, 0xD4));
        painter.drawPolygon(arrow);
        icon.addPixmap(pixmap);
    }
    return icon;
}
