#include "support/SpreadsheetReader.h"

#include <QFile>
#include <QProcess>
#include <QXmlStreamReader>

namespace testsupport {

bool XlsxReader::open(const QString &path)
{
    m_path = path;
    const QByteArray workbook = part(QStringLiteral("xl/workbook.xml"));
    if (workbook.isEmpty())
        return false;
    QXmlStreamReader xml(workbook);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("sheet"))
            m_sheetNames << xml.attributes().value(QLatin1String("name")).toString();
    }
    readSharedStrings();
    readStyles();
    return !m_sheetNames.isEmpty();
}

QMap<QString, XlsxCell> XlsxReader::cells(int number) const
{
    QMap<QString, XlsxCell> result;
    QXmlStreamReader xml(part(QStringLiteral("xl/worksheets/sheet%1.xml").arg(number)));
    QString reference;
    XlsxCell cell;
    QString type;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("c")) {
            reference = xml.attributes().value(QLatin1String("r")).toString();
            type = xml.attributes().value(QLatin1String("t")).toString();
            const int style = xml.attributes().value(QLatin1String("s")).toInt();
            cell = XlsxCell();
            cell.formatCode = m_cellFormats.value(style, QStringLiteral("General"));
        } else if (xml.isStartElement() && xml.name() == QLatin1String("v")) {
            const QString value = xml.readElementText();
            if (type == QLatin1String("s")) {
                cell.text = m_strings.value(value.toInt());
            } else {
                cell.text = value;
                cell.number = type.isEmpty() || type == QLatin1String("n");
            }
            result.insert(reference, cell);
        }
    }
    return result;
}

QByteArray XlsxReader::part(const QString &name) const
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), m_path, name});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

void XlsxReader::readSharedStrings()
{
    QXmlStreamReader xml(part(QStringLiteral("xl/sharedStrings.xml")));
    QString current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            current.clear();
        else if (xml.isStartElement() && xml.name() == QLatin1String("t"))
            current += xml.readElementText();
        else if (xml.isEndElement() && xml.name() == QLatin1String("si"))
            m_strings << current;
    }
}

void XlsxReader::readStyles()
{
    // Built-in number formats that a workbook names by number only.
    QHash<int, QString> formats = {{0, QStringLiteral("General")},  {1, QStringLiteral("0")},
                                   {2, QStringLiteral("0.00")},     {3, QStringLiteral("#,##0")},
                                   {4, QStringLiteral("#,##0.00")}, {9, QStringLiteral("0%")},
                                   {10, QStringLiteral("0.00%")}};
    QXmlStreamReader xml(part(QStringLiteral("xl/styles.xml")));
    bool inCellFormats = false;
    int index = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("numFmt")) {
            formats.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(),
                           xml.attributes().value(QLatin1String("formatCode")).toString());
        } else if (xml.isStartElement() && xml.name() == QLatin1String("cellXfs")) {
            inCellFormats = true;
        } else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs")) {
            inCellFormats = false;
        } else if (inCellFormats && xml.isStartElement() && xml.name() == QLatin1String("xf")) {
            const int id = xml.attributes().value(QLatin1String("numFmtId")).toInt();
            m_cellFormats.insert(index++, formats.value(id, QStringLiteral("?")));
        }
    }
}

QList<QStringList> readCsv(const QString &path, bool *bom, char separator)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    if (bom)
        *bom = marked;
    if (marked)
        bytes.remove(0, 3);
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() &&
                text.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(separator)) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\r')) {
            continue;
        } else if (c == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    return rows;
}

int pdfPageCount(const QString &path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(30000))
        return -1;
    for (const QString &line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

} // namespace testsupport
