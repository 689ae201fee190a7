#include "search/DefinitionPrinting.h"

#include <QFont>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

namespace {
constexpr int kHeaderPointSize = 8;
constexpr int kBodyPointSize = 10;

QFont printFont(int pointSize, bool bold)
{
    QFont font;
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

// Draws the header and its rule; returns the height it takes.
qreal drawHeader(QPainter &painter, QPrinter &printer, const PrintHeader &header, qreal width)
{
    const QFont font = printFont(kHeaderPointSize, false);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const QRectF line(0, 0, width, metrics.height());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, header.industry);
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, header.date);
    const qreal ruleY = metrics.height() + metrics.descent();
    painter.drawLine(QPointF(0, ruleY), QPointF(width, ruleY));
    return ruleY + metrics.lineSpacing();
}

qsizetype leadingBlanks(const QString &text)
{
    qsizetype count = 0;
    while (count < text.size() && text.at(count) == QLatin1Char(' '))
        ++count;
    return count;
}
} // namespace

PrintHeader definitionPrintHeader(const QString &industry, const QDate &day, bool french)
{
    const QLocale locale(french ? QLocale::French : QLocale::English, QLocale::Canada);
    return {industry, locale.toString(day, french ? QStringLiteral("d MMMM yyyy")
                                                  : QStringLiteral("MMMM d, yyyy"))};
}

bool printLines(QPrinter &printer, const QVector<PrintLine> &lines, const PrintHeader &header)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const qreal blankWidth = QFontMetricsF(printFont(kBodyPointSize, false), &printer)
                                 .horizontalAdvance(QLatin1Char(' '));
    qreal top = drawHeader(painter, printer, header, page.width());
    qreal y = top;
    for (const PrintLine &line : lines) {
        const QFont font = printFont(line.pointSize, line.bold);
        painter.setFont(font);
        const QFontMetricsF metrics(font, &printer);
        if (y > top && y + metrics.height() > page.height()) {
            printer.newPage();
            top = drawHeader(painter, printer, header, page.width());
            y = top;
            painter.setFont(font);
        }
        const qsizetype indent = leadingBlanks(line.text);
        painter.drawText(QPointF(indent * blankWidth, y + metrics.ascent()), line.text.mid(indent));
        y += metrics.lineSpacing();
    }
    return painter.end();
}
