#include "search/PrintWrapping.h"

namespace {
const QChar kCarriageReturn(13);
const QChar kLineFeed(10);

QString indent()
{
    return QString(kPrintIndent, QLatin1Char(' '));
}
} // namespace

QString fncWrapDefinitionBody(const QString &text)
{
    QString body = indent();
    int column = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == kCarriageReturn) {
            column = 1;
        } else if (column >= kPrintWrapColumn && c == QLatin1Char(' ')) {
            body += c;
            body += kCarriageReturn;
            body += indent();
            column = 1;
        } else {
            body += c;
            if (i > 0 && text.at(i - 1) == kCarriageReturn)
                body += indent();
            ++column;
        }
    }
    return body;
}

QVector<PrintLine> fncDefinitionPrintLines(const QString &caption, const QString &definition)
{
    const QString blank = QStringLiteral(" ");
    QVector<PrintLine> lines;
    for (int i = 0; i < 4; ++i)
        lines.append({blank, false, 10});
    lines.append({indent() + caption, true, 12});
    for (int i = 0; i < 3; ++i)
        lines.append({blank, true, 12});
    const QString body = fncWrapDefinitionBody(definition);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= body.size(); ++i) {
        if (i == body.size() || body.at(i) == kCarriageReturn || body.at(i) == kLineFeed) {
            lines.append({body.mid(start, i - start), false, 10});
            start = i + 1;
        }
    }
    return lines;
}

QString withCrLfLineBreaks(const QString &text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(kCarriageReturn, kLineFeed);
    normalised.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return normalised;
}
