#pragma once

#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

// The quarters (0 weakest to 3 strongest) the firm may stand in.
struct GaugeBand
{
    int first = 0;
    int last = 3;
};
GaugeBand gaugeBand(double better, double worse);

// The small picture of where a firm stands among the firms of its industry:
// four cells, the weakest quarter of firms on the left, the strongest on the
// right, with the quarters the firm may stand in filled. `better` is the
// share of firms the firm does better than, `worse` the share it does worse
// than (0, 25, 50 or 75 each). In the report's HTML it is an image named
// "chart:gauge;first=F;last=L" that the report document draws.
QString positionGaugeHtml(double better, double worse);

// The band of a gauge image's name, or nothing for another name.
std::optional<GaugeBand> parseGaugeChart(const QString &source);

// Draws the gauge into `area`.
void paintGauge(QPainter &painter, const QRectF &area, const GaugeBand &band);

// The firm's place among the firms of its industry on the picture of page 1:
// a strip of four quarters, weakest on the left, with a dot at `place`
// (0 to 100). In the report's HTML it is an image named "chart:place;at=P".
std::optional<double> parsePlaceChart(const QString &source);

// Draws the strip and its dot into `area`.
void paintPlace(QPainter &painter, const QRectF &area, double place);
