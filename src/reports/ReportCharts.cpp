#include "reports/ReportCharts.h"

#include "reports/ReportGauge.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QTextObjectInterface>

#include <algorithm>

namespace {

const QLatin1String kChartPrefix("chart:");
const QLatin1String kTrendPrefix("chart:trend;");

const QColor kBandColour(0xdc, 0xe4, 0xee);
const QColor kMedianColour(0x44, 0x54, 0x6a);
const QColor kFirmColour(0xc5, 0x5a, 0x11);
const QColor kTextColour(0x44, 0x54, 0x6a);

QVector<std::optional<double>> numberList(const QString &text, bool *ok)
{
    QVector<std::optional<double>> values;
    for (const QString &part : text.split(QLatin1Char(','))) {
        if (part.isEmpty()) {
            values.append(std::nullopt);
            continue;
        }
        bool partOk = false;
        const double value = part.toDouble(&partOk);
        if (!partOk)
            *ok = false;
        values.append(value);
    }
    return values;
}

// The document's images: "chart:" names are drawn here as vector lines; any
// other image is the document's own resource, drawn as it is.
class ChartObject : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument *document, int, const QTextFormat &format) override
    {
        const QTextImageFormat image = format.toImageFormat();
        QSizeF size(image.width(), image.height());
        if (size.width() > 0 && size.height() > 0)
            return size;
        if (image.name().startsWith(kChartPrefix))
            return QSizeF(size.width() > 0 ? size.width() : 160,
                          size.height() > 0 ? size.height() : 50);
        return resourceImage(document, image.name()).size();
    }

    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *document, int,
                    const QTextFormat &format) override
    {
        const QString source = format.toImageFormat().name();
        if (const auto gauge = parseGaugeChart(source))
            paintGauge(*painter, rect, *gauge);
        else if (const auto place = parsePlaceChart(source))
            paintPlace(*painter, rect, *place);
        else if (const auto chart = parseTrendChart(source))
            paintTrendChart(*painter, rect, *chart);
        else if (!source.startsWith(kChartPrefix))
            painter->drawImage(rect, resourceImage(document, source));
    }

private:
    static QImage resourceImage(QTextDocument *document, const QString &name)
    {
        const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(name));
        if (resource.canConvert<QImage>())
            return resource.value<QImage>();
        QImage image;
        image.loadFromData(resource.toByteArray());
        return image;
    }
};

} // namespace

std::optional<TrendChart> parseTrendChart(const QString &source)
{
    if (!source.startsWith(kTrendPrefix))
        return std::nullopt;
    TrendChart chart;
    bool ok = true;
    bool haveYears = false;
    for (const QString &item : source.mid(kTrendPrefix.size()).split(QLatin1Char(';'))) {
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        if (equals < 0)
            return std::nullopt;
        const QString key = item.left(equals);
        const QString value = item.mid(equals + 1);
        if (key == QLatin1String("lower")) {
            chart.lowerIsBetter = value == QLatin1String("1");
        } else if (key == QLatin1String("x")) {
            haveYears = true;
            for (const QString &year : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                bool yearOk = false;
                chart.years.append(year.toInt(&yearOk));
                ok = ok && yearOk;
            }
        } else if (key == QLatin1String("f")) {
            chart.firm = numberList(value, &ok);
        } else if (key == QLatin1String("l")) {
            chart.q1 = numberList(value, &ok);
        } else if (key == QLatin1String("m")) {
            chart.median = numberList(value, &ok);
        } else if (key == QLatin1String("u")) {
            chart.q3 = numberList(value, &ok);
        }
    }
    const qsizetype n = chart.years.size();
    if (!ok || !haveYears || n == 0 || chart.firm.size() != n || chart.q1.size() != n ||
        chart.median.size() != n || chart.q3.size() != n)
        return std::nullopt;
    return chart;
}

std::optional<ChartRange> trendChartRange(const TrendChart &chart)
{
    std::optional<double> low, high;
    for (const auto *list : {&chart.firm, &chart.q1, &chart.median, &chart.q3})
        for (const std::optional<double> &value : *list) {
            if (!value)
                continue;
            low = low ? std::min(*low, *value) : *value;
            high = high ? std::max(*high, *value) : *value;
        }
    if (!low)
        return std::nullopt;
    double margin = (*high - *low) * 0.12;
    if (margin == 0)
        margin = std::max(std::abs(*low) * 0.1, 0.5);
    return ChartRange{*low - margin, *high + margin};
}

void paintTrendChart(QPainter &painter, const QRectF &area, const TrendChart &chart)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    painter.setFont(font);
    const double labelHeight = 11;
    const QRectF plot = area.adjusted(2, 3, -10, -labelHeight);
    const qsizetype n = chart.years.size();
    const auto xAt = [&](qsizetype i) { return plot.left() + (i + 0.5) * plot.width() / n; };

    painter.setPen(QPen(QColor(0x9a, 0xa5, 0xb1), 0.5));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.setPen(kTextColour);
    for (qsizetype i = 0; i < n; ++i)
        painter.drawText(QRectF(xAt(i) - 20, plot.bottom() + 1, 40, labelHeight),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(chart.years.at(i)));

    const std::optional<ChartRange> range = trendChartRange(chart);
    if (!range) {
        painter.restore();
        return;
    }
    const auto yAt = [&](double value) {
        return plot.bottom() - (value - range->low) / (range->high - range->low) * plot.height();
    };

    // The band: a column a year, joined to the next year's where both exist.
    const double half = std::min(5.0, plot.width() / n / 4);
    for (qsizetype i = 0; i < n; ++i) {
        if (!chart.q1.at(i) || !chart.q3.at(i))
            continue;
        const double top = yAt(std::max(*chart.q1.at(i), *chart.q3.at(i)));
        const double bottom = yAt(std::min(*chart.q1.at(i), *chart.q3.at(i)));
        painter.fillRect(QRectF(xAt(i) - half, top, 2 * half, bottom - top), kBandColour);
        if (i + 1 < n && chart.q1.at(i + 1) && chart.q3.at(i + 1)) {
            QPolygonF band;
            band << QPointF(xAt(i), yAt(*chart.q3.at(i)))
                 << QPointF(xAt(i + 1), yAt(*chart.q3.at(i + 1)))
                 << QPointF(xAt(i + 1), yAt(*chart.q1.at(i + 1)))
                 << QPointF(xAt(i), yAt(*chart.q1.at(i)));
            painter.setPen(Qt::NoPen);
            painter.setBrush(kBandColour);
            painter.drawPolygon(band);
        }
    }

    // A line through the years that have a value, broken at every gap; a
    // short stroke (median) or a dot (firm) marks each value.
    const auto drawSeries = [&](const QVector<std::optional<double>> &values, const QPen &pen,
                                bool dots) {
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        for (qsizetype i = 0; i + 1 < n; ++i)
            if (values.at(i) && values.at(i + 1))
                painter.drawLine(QPointF(xAt(i), yAt(*values.at(i))),
                                 QPointF(xAt(i + 1), yAt(*values.at(i + 1))));
        for (qsizetype i = 0; i < n; ++i) {
            if (!values.at(i))
                continue;
            const QPointF point(xAt(i), yAt(*values.at(i)));
            if (dots) {
                painter.setBrush(pen.color());
                painter.drawEllipse(point, 2.2, 2.2);
            } else {
                painter.drawLine(point - QPointF(half, 0), point + QPointF(half, 0));
            }
        }
    };
    QPen medianPen(kMedianColour, 1.0, Qt::DashLine);
    drawSeries(chart.median, medianPen, false);
    drawSeries(chart.firm, QPen(kFirmColour, 1.6), true);
    painter.restore();
}

void installReportCharts(QTextDocument &document)
{
    document.documentLayout()->registerHandler(QTextFormat::ImageObject,
                                               new ChartObject(&document));
}

#include "ReportCharts.moc"
