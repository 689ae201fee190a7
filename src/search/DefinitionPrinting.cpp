#include "search/DefinitionPrinting.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
PrinterProvider &installedProvider()
{
    static PrinterProvider provider;
    return provider;
}
} // namespace

void setPrinterProvider(PrinterProvider provider)
{
    installedProvider() = std::move(provider);
}

std::unique_ptr<QPrinter> obtainPrinter()
{
    if (installedProvider())
        return installedProvider()();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool printLines(QPrinter &printer, const QVector<PrintLine> &lines)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const qreal pageHeight = printer.pageRect(QPrinter::DevicePixel).height();
    qreal y = 0;
    for (const PrintLine &line : lines) {
        QFont font;
        font.setBold(line.bold);
        font.setPointSize(line.pointSize);
        painter.setFont(font);
        const QFontMetricsF metrics(font, &printer);
        if (y > 0 && y + metrics.height() > pageHeight) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(QPointF(0, y + metrics.ascent()), line.text);
        y += metrics.lineSpacing();
    }
    return painter.end();
}
