#include "reports/ReportGauge.h"

#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

GaugeBand gaugeBand(double better, double worse)
{
    // Doing better than `better` % of firms puts the firm at or above that
    // quarter; doing worse than `worse` % keeps it below 100 - worse.
    GaugeBand band;
    band.first = std::clamp(static_cast<int>(std::floor(better / 25.0)), 0, 3);
    band.last = std::clamp(3 - static_cast<int>(std::floor(worse / 25.0)), 0, 3);
    if (band.last < band.first)
        band.last = band.first; // positions from quartiles out of order: keep the better
    return band;
}

QString positionGaugeHtml(double better, double worse)
{
    // Drawn by the report document (ReportCharts): one image instead of a
    // table of four cells keeps the page quick to lay out.
    const GaugeBand band = gaugeBand(better, worse);
    return QStringLiteral("<img src=\"chart:gauge;first=%1;last=%2\" width=\"72\" height=\"11\" "
                          "style=\"vertical-align: middle\">")
        .arg(band.first)
        .arg(band.last);
}

std::optional<GaugeBand> parseGaugeChart(const QString &source)
{
    static const QRegularExpression pattern(
        QStringLiteral("^chart:gauge;first=([0-3]);last=([0-3])$"));
    const QRegularExpressionMatch match = pattern.match(source);
    if (!match.hasMatch())
        return std::nullopt;
    GaugeBand band{match.captured(1).toInt(), match.captured(2).toInt()};
    if (band.last < band.first)
        return std::nullopt;
    return band;
}

void paintGauge(QPainter &painter, const QRectF &area, const GaugeBand &band)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor frame(0x9a, 0xa5, 0xb1);
    const QColor filled(0x1f, 0x4e, 0x79);
    painter.fillRect(area, frame);
    // Four cells inside a one-unit frame, one unit apart.
    const double cellWidth = (area.width() - 5.0) / 4.0;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const QRectF cell(area.left() + 1.0 + quarter * (cellWidth + 1.0), area.top() + 1.0,
                          cellWidth, area.height() - 2.0);
        const bool inBand = quarter >= band.first && quarter <= band.last;
        painter.fillRect(cell, inBand ? filled : QColor(Qt::white));
    }
    painter.restore();
}

std::optional<double> parsePlaceChart(const QString &source)
{
    static const QRegularExpression pattern(
        QStringLiteral("^chart:place;at=(-?[0-9]+(?:\\.[0-9]*)?(?:[eE][-+]?[0-9]+)?)$"));
    const QRegularExpressionMatch match = pattern.match(source);
    if (!match.hasMatch())
        return std::nullopt;
    return std::clamp(match.captured(1).toDouble(), 0.0, 100.0);
}

void paintPlace(QPainter &painter, const QRectF &area, double place)
{
    painter.save();
    // Every mark keeps 3:1 on the white page and the dot and median line
    // 3:1 on both halves (the weaker half grey, the stronger blue).
    const QColor weak(0x94, 0x94, 0x94);
    const QColor strong(0x7a, 0x8f, 0xae);
    const QColor median(0x1a, 0x1a, 0x1a);
    const QColor dot(0x1f, 0x38, 0x64);
    // Four quarters one unit apart; the dot may reach the strip's ends.
    const double radius = std::min(area.height() / 2.0 - 0.5, 4.0);
    const QRectF strip = area.adjusted(radius, 0, -radius, 0);
    const double quarter = (strip.width() - 3.0) / 4.0;
    for (int i = 0; i < 4; ++i)
        painter.fillRect(
            QRectF(strip.left() + i * (quarter + 1.0), area.top(), quarter, area.height()),
            i < 2 ? weak : strong);
    painter.fillRect(QRectF(strip.center().x() - 0.5, area.top(), 1.0, area.height()), median);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    painter.drawEllipse(QPointF(strip.left() + strip.width() * place / 100.0, area.center().y()),
                        radius, radius);
    painter.restore();
}
