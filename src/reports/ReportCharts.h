#pragma once

#include <QRectF>
#include <QString>
#include <QVector>
#include <optional>

class QPainter;
class QTextDocument;

// Pictures inside a report. The template writes an image whose source starts
// with "chart:"; once the HTML is read, each such image becomes an object that
// the document draws with QPainter, so that the screen, the printer and the
// PDF file all get lines and text rather than pixels.

// One ratio over the firm's years: the firm's values and the industry's
// quartiles, a gap (empty) where there is nothing to draw.
struct TrendChart
{
    bool lowerIsBetter = false;
    QVector<int> years;
    QVector<std::optional<double>> firm;
    QVector<std::optional<double>> q1;
    QVector<std::optional<double>> median;
    QVector<std::optional<double>> q3;
};

// Reads "chart:trend;lower=0;x=2004,2005;f=1.5,;l=...;m=...;u=..."; empty
// when the text is not a trend chart or its lists disagree in length.
std::optional<TrendChart> parseTrendChart(const QString &source);

// The vertical range the chart shows: every value drawn, with a margin.
struct ChartRange
{
    double low = 0;
    double high = 1;
};
std::optional<ChartRange> trendChartRange(const TrendChart &chart);

// Draws the chart in `area`: the industry's band between the first and third
// quartile, its median dashed, the firm's line with a dot a year, the years
// below. The row's label, not the chart, marks a lower-is-better ratio.
void paintTrendChart(QPainter &painter, const QRectF &area, const TrendChart &chart);

// Makes the document draw its "chart:" images (trend charts and position
// gauges) as vector lines. Called before the HTML is read, so that the text
// is laid out once.
void installReportCharts(QTextDocument &document);
