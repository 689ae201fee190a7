#include "support/ZipWriter.h"

#include <QFile>
#include <zip.h>

namespace testsupport {

bool writeZip(const QString &path, const ZipParts &parts)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        return false;
    for (const auto &[name, bytes] : parts) {
        zip_source_t *source =
            zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source || zip_file_add(zip, name.constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(zip);
            return false;
        }
    }
    return zip_close(zip) == 0;
}

ZipParts xlsxParts(const QList<XlsxSheet> &sheets)
{
    QByteArray workbook = "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/"
                          "main\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                          "relationships\"><sheets>";
    QByteArray relations =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    ZipParts parts;
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        workbook += "<sheet name=\"" + sheets[i].name.toUtf8() + "\" sheetId=\"" + n +
                    "\" r:id=\"rId" + n + "\"" + (sheets[i].hidden ? " state=\"hidden\"" : "") +
                    "/>";
        relations += "<Relationship Id=\"rId" + n +
                     "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                     "relationships/worksheet\" Target=\"worksheets/sheet" +
                     n + ".xml\"/>";
        parts.append({"xl/worksheets/sheet" + n + ".xml",
                      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/"
                      "main\"><cols>" +
                          sheets[i].columns + "</cols><sheetData>" + sheets[i].data +
                          "</sheetData></worksheet>"});
    }
    parts.append({"xl/workbook.xml", workbook + "</sheets></workbook>"});
    parts.append({"xl/_rels/workbook.xml.rels", relations + "</Relationships>"});
    return parts;
}

QByteArray xlsxRow(int number, const QByteArray &cells, const char *attributes)
{
    return "<row r=\"" + QByteArray::number(number) + "\" " + attributes + ">" + cells + "</row>";
}

QByteArray xlsxText(const char *cell, const char *value)
{
    return QByteArray("<c r=\"") + cell + "\" t=\"inlineStr\"><is><t>" + value + "</t></is></c>";
}

QByteArray xlsxNumber(const char *cell, double value)
{
    return QByteArray("<c r=\"") + cell + "\"><v>" + QByteArray::number(value) + "</v></c>";
}

QByteArray xlsxFormula(const char *cell, const char *formula, const char *saved)
{
    return QByteArray("<c r=\"") + cell + "\"><f>" + formula + "</f>" +
           (saved ? QByteArray("<v>") + saved + "</v>" : QByteArray()) + "</c>";
}

QByteArray odsContent(const QByteArray &tables, const QByteArray &styles)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<office:document-content "
           "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
           "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
           "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
           "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\">"
           "<office:automatic-styles>" +
           styles + "</office:automatic-styles><office:body><office:spreadsheet>" + tables +
           "</office:spreadsheet></office:body></office:document-content>";
}

ZipParts odsParts(const QByteArray &content, const QByteArray &manifest)
{
    ZipParts parts{{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                   {"content.xml", content}};
    if (!manifest.isEmpty())
        parts.append({"META-INF/manifest.xml", manifest});
    return parts;
}

QByteArray odsTable(const char *name, const QByteArray &body)
{
    return QByteArray("<table:table table:name=\"") + name + "\">" + body + "</table:table>";
}

QByteArray odsRow(const QByteArray &cells, const char *attributes)
{
    return QByteArray("<table:table-row ") + attributes + ">" + cells + "</table:table-row>";
}

QByteArray odsText(const QByteArray &paragraph, const char *attributes)
{
    return QByteArray("<table:table-cell office:value-type=\"string\" ") + attributes +
           "><text:p>" + paragraph + "</text:p></table:table-cell>";
}

QByteArray odsNumber(double value, const char *attributes)
{
    return "<table:table-cell office:value-type=\"float\" office:value=\"" +
           QByteArray::number(value) + "\" " + attributes + "><text:p>" +
           QByteArray::number(value) + "</text:p></table:table-cell>";
}

QByteArray odsEmpty(qint64 repeat)
{
    return "<table:table-cell table:number-columns-repeated=\"" + QByteArray::number(repeat) +
           "\"/>";
}

} // namespace testsupport
