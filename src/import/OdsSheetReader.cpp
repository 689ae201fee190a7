#include "import/OdsSheetReader.h"

#include "core/LibZip.h"
#include "import/FormulaEvaluator.h"
#include "import/SheetCells.h"

#include <QDate>
#include <QFile>
#include <QSet>
#include <QXmlStreamReader>
#include <memory>

namespace {
const QString kOfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kTableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kTextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kStyleNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QByteArray kSpreadsheetType("application/vnd.oasis.opendocument.spreadsheet");

// Spaces a text:s stands for, at most: enough for any label's indent, and a
// file cannot swell a few bytes into megabytes of blanks.
constexpr int kMostSpaces = 16;

bool isElement(const QXmlStreamReader &xml, const QString &ns, QLatin1String name)
{
    return xml.namespaceUri() == ns && xml.name() == name;
}

// A repetition count, from 1 to one beyond the sheet's `limit`: more tells
// nothing more, and places are counted in 64 bits.
qint64 repeated(const QXmlStreamAttributes &attributes, QLatin1String name, int limit)
{
    bool ok = false;
    const qint64 count = attributes.value(kTableNs, name).toLongLong(&ok);
    return ok ? std::clamp<qint64>(count, 1, qint64(limit) + 1) : 1;
}

bool isHidden(const QXmlStreamAttributes &attributes)
{
    const QStringView visibility = attributes.value(kTableNs, QLatin1String("visibility"));
    return visibility == QLatin1String("collapse") || visibility == QLatin1String("filter");
}

// The text of a paragraph; the reader stands on its text:p.
QString paragraph(QXmlStreamReader &xml)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isEndElement()) {
            --depth;
        } else if (xml.isStartElement()) {
            if (isElement(xml, kTextNs, QLatin1String("s"))) {
                bool ok = false;
                const int count = xml.attributes().value(kTextNs, QLatin1String("c")).toInt(&ok);
                text += QString(ok ? std::clamp(count, 1, kMostSpaces) : 1, QLatin1Char(' '));
                xml.skipCurrentElement();
            } else if (isElement(xml, kTextNs, QLatin1String("tab"))) {
                text += QLatin1Char('\t');
                xml.skipCurrentElement();
            } else if (isElement(xml, kTextNs, QLatin1String("line-break"))) {
                text += QLatin1Char('\n');
                xml.skipCurrentElement();
            } else if (isElement(xml, kTextNs, QLatin1String("note")) ||
                       xml.namespaceUri() == kOfficeNs) {
                xml.skipCurrentElement();
            } else {
                ++depth; // spans and links: their text is the paragraph's
            }
        }
    }
    return text;
}

struct OdsCell
{
    ImportCell cell;
    std::optional<QString> formula; // a formula saved without its result
    qint64 repeat = 1;
};

class ContentReader
{
public:
    explicit ContentReader(const QByteArray &content) : m_xml(content) {}

    ImportRead read()
    {
        ImportRead read;
        ImportRead fault;
        QString faultSheet;
        int sheets = 0;
        bool spreadsheet = false;
        QString style;
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (!m_xml.isStartElement())
                continue;
            const QXmlStreamAttributes attributes = m_xml.attributes();
            if (isElement(m_xml, kStyleNs, QLatin1String("style"))) {
                style = attributes.value(kStyleNs, QLatin1String("name")).toString();
            } else if (isElement(m_xml, kStyleNs, QLatin1String("table-properties")) &&
                       attributes.value(kTableNs, QLatin1String("display")) ==
                           QLatin1String("false")) {
                m_hiddenStyles.insert(style);
            } else if (isElement(m_xml, kTableNs, QLatin1String("null-date"))) {
                const QDate date = QDate::fromString(
                    attributes.value(kTableNs, QLatin1String("date-value")).toString().left(10),
                    Qt::ISODate);
                if (date.isValid())
                    m_nullDate = date;
            } else if (isElement(m_xml, kOfficeNs, QLatin1String("spreadsheet"))) {
                spreadsheet = true;
            } else if (spreadsheet && isElement(m_xml, kTableNs, QLatin1String("table"))) {
                const QString styleName =
                    attributes.value(kTableNs, QLatin1String("style-name")).toString();
                // Hidden sheets hold drafts and workings, not the statement
                // shown; after a fault the sheets are only counted.
                if (m_hiddenStyles.contains(styleName) || fault.fault != ImportFault::None) {
                    sheets += m_hiddenStyles.contains(styleName) ? 0 : 1;
                    m_xml.skipCurrentElement();
                    continue;
                }
                ++sheets;
                ImportTable table;
                table.sheetName = attributes.value(kTableNs, QLatin1String("name")).toString();
                fault = this->table(table);
                faultSheet = table.sheetName;
                if (fault.fault == ImportFault::None)
                    read.sheets << table;
            }
        }
        if (m_xml.hasError() || !spreadsheet)
            return importFault(ImportFault::NotSpreadsheet);
        if (fault.fault == ImportFault::BeyondSheetLimits ||
            fault.fault == ImportFault::FormulaWithoutValue) {
            for (QString &place : fault.faultPlaces)
                place = sheetPlace(faultSheet, place, sheets > 1);
        }
        return fault.fault != ImportFault::None ? fault : read;
    }

private:
    // One table; the reader stands on its table:table.
    ImportRead table(ImportTable &table)
    {
        m_cells.clear();
        m_formulas.clear();
        m_hiddenRows = HiddenLines();
        m_hiddenColumns = HiddenLines();
        m_row = 0;
        qint64 column = 0;
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isEndElement() && isElement(m_xml, kTableNs, QLatin1String("table")))
                break;
            if (!m_xml.isStartElement())
                continue;
            const QXmlStreamAttributes attributes = m_xml.attributes();
            if (isElement(m_xml, kTableNs, QLatin1String("table-column"))) {
                const qint64 count =
                    repeated(attributes, QLatin1String("number-columns-repeated"), kSheetColumns);
                if (isHidden(attributes) && column < kSheetColumns)
                    m_hiddenColumns.hide(int(column),
                                         int(std::min<qint64>(column + count, kSheetColumns) - 1));
                column += count;
            } else if (isElement(m_xml, kTableNs, QLatin1String("table-row"))) {
                const ImportRead row = this->row();
                if (row.fault != ImportFault::None)
                    return row;
            }
        }
        PendingFormulas formulas;
        for (const auto &[at, formula] : m_formulas)
            formulas.emplace_hint(formulas.end(), at, fromOpenFormula(formula));
        const QList<SheetPosition> unknown = workOutFormulas(
            m_cells, formulas, m_hiddenRows, m_hiddenColumns, [](SheetPosition, double value) {
                return ImportCell{QString::number(value, 'g', 15), value, false};
            });
        if (!unknown.isEmpty()) {
            QStringList places;
            for (const SheetPosition at : unknown.first(std::min(unknown.size(), kPlacesListed)))
                places << cellName(at);
            return importFault(ImportFault::FormulaWithoutValue, places);
        }
        const ImportRead compacted = compactSheet(m_cells, m_hiddenRows, m_hiddenColumns, table);
        for (const QList<ImportCell> &row : std::as_const(table.rows))
            m_cellsLeft -= row.size();
        return compacted;
    }

    // One row, repeated or not; the reader stands on its table:table-row.
    ImportRead row()
    {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        const qint64 count =
            repeated(attributes, QLatin1String("number-rows-repeated"), kSheetRows);
        const bool hidden = isHidden(attributes);
        QList<std::pair<qint64, OdsCell>> cells; // by first column
        qint64 column = 0;
        qint64 filled = 0;
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isEndElement() && isElement(m_xml, kTableNs, QLatin1String("table-row")))
                break;
            if (!m_xml.isStartElement())
                continue;
            if (isElement(m_xml, kTableNs, QLatin1String("table-cell")) ||
                isElement(m_xml, kTableNs, QLatin1String("covered-table-cell"))) {
                const OdsCell cell = this->cell();
                if (!cell.cell.isEmpty() || cell.formula) {
                    cells.append({column, cell});
                    filled += cell.repeat;
                }
                column += cell.repeat;
            }
        }
        if (cells.isEmpty()) {
            m_row += count;
            return {};
        }
        // The first filled cell beyond the sheet: right of the first row, or
        // on a repetition below the last.
        for (const auto &[first, cell] : std::as_const(cells)) {
            if (first + cell.repeat > kSheetColumns)
                return importFault(ImportFault::BeyondSheetLimits,
                                   {cellName(m_row, std::max<qint64>(first, kSheetColumns))});
        }
        if (m_row + count > kSheetRows)
            return importFault(
                ImportFault::BeyondSheetLimits,
                {cellName(std::max<qint64>(m_row, kSheetRows), cells.first().first)});
        // A filled row repeated costs its cells on every repetition.
        if (qsizetype(m_cells.size() + m_formulas.size()) + filled * count > m_cellsLeft)
            return tooLarge(kLargestCellCount, true);
        if (hidden)
            m_hiddenRows.hide(int(m_row), int(m_row + count - 1));
        for (qint64 r = m_row; r < m_row + count; ++r) {
            for (const auto &[first, cell] : std::as_const(cells)) {
                for (qint64 c = first; c < first + cell.repeat; ++c) {
                    const SheetPosition at{int(r), int(c)};
                    if (cell.formula)
                        m_formulas.insert_or_assign(at, *cell.formula);
                    else
                        m_cells.insert_or_assign(at, cell.cell);
                }
            }
        }
        m_row += count;
        return {};
    }

    // One cell; the reader stands on its table:table-cell.
    OdsCell cell()
    {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        OdsCell cell;
        cell.repeat = repeated(attributes, QLatin1String("number-columns-repeated"), kSheetColumns);
        QStringList paragraphs;
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isEndElement())
                break;
            if (!m_xml.isStartElement())
                continue;
            // Comments, drawings and the like hold text that is not the cell's.
            if (isElement(m_xml, kTextNs, QLatin1String("p")))
                paragraphs << paragraph(m_xml);
            else
                m_xml.skipCurrentElement();
        }
        const QString shown = paragraphs.join(QLatin1Char('\n'));
        const QStringView type = attributes.value(kOfficeNs, QLatin1String("value-type"));
        const auto value = [&](const char *name) {
            return attributes.value(kOfficeNs, QLatin1String(name)).toString();
        };
        if (type == QLatin1String("float") || type == QLatin1String("currency") ||
            type == QLatin1String("percentage")) {
            bool ok = false;
            const QString text = value("value");
            const double number = text.toDouble(&ok);
            cell.cell.text = ok ? text : shown;
            if (ok)
                cell.cell.number = number;
        } else if (type == QLatin1String("date")) {
            cell.cell.text = value("date-value").left(10);
            cell.cell.date = true;
            const QDate date = QDate::fromString(cell.cell.text, Qt::ISODate);
            if (date.isValid())
                cell.cell.number = double(m_nullDate.daysTo(date));
        } else if (type == QLatin1String("boolean")) {
            cell.cell.text = value("boolean-value") == QLatin1String("true")
                                 ? QStringLiteral("TRUE")
                                 : QStringLiteral("FALSE");
        } else if (type == QLatin1String("string")) {
            const QString text = value("string-value");
            cell.cell.text = text.isEmpty() ? shown : text;
        } else if (type.isEmpty()) {
            const QString formula = attributes.value(kTableNs, QLatin1String("formula")).toString();
            if (!formula.isEmpty())
                cell.formula = formula;
            else
                cell.cell.text = shown;
        } else {
            cell.cell.text = shown; // a time, as the sheet shows it
        }
        return cell;
    }

    QXmlStreamReader m_xml;
    QSet<QString> m_hiddenStyles;
    QDate m_nullDate{1899, 12, 30};
    qsizetype m_cellsLeft = kLargestCellCount;
    qint64 m_row = 0;
    SheetCells m_cells;
    std::map<SheetPosition, QString> m_formulas;
    HiddenLines m_hiddenRows;
    HiddenLines m_hiddenColumns;
};

bool isEncrypted(const QByteArray &manifest)
{
    QXmlStreamReader xml(manifest);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("encryption-data"))
            return true;
    }
    return false;
}
} // namespace

bool isOpenDocumentSpreadsheet(const QString &path)
{
    const ZipArchive zip = openZipArchive(path);
    if (!zip)
        return false;
    QByteArray type;
    if (readZipPart(zip.get(), QStringLiteral("mimetype"), &type) == PartRead::Read)
        return type.trimmed() == kSpreadsheetType;
    const LibZip &library = *libzip();
    return library.nameLocate(zip.get(), "content.xml", 0) >= 0 &&
           library.nameLocate(zip.get(), "xl/workbook.xml", ZIP_FL_NOCASE) < 0;
}

ImportRead readOdsWorkbook(const QString &path)
{
    const ZipArchive zip = openZipArchive(path);
    if (!zip)
        return importFault(ImportFault::NotSpreadsheet);
    QByteArray part;
    PartRead result = readZipPart(zip.get(), QStringLiteral("META-INF/manifest.xml"), &part);
    if (result == PartRead::Read && isEncrypted(part))
        return importFault(ImportFault::PasswordProtected);
    result = readZipPart(zip.get(), QStringLiteral("content.xml"), &part);
    if (result != PartRead::Read)
        return partFault(result);
    ImportRead read = ContentReader(part).read();
    if (read.fault == ImportFault::None) {
        bool anyCell = false;
        for (const ImportTable &table : std::as_const(read.sheets))
            anyCell = anyCell || !table.rows.isEmpty();
        if (!anyCell)
            read.fault = ImportFault::Empty;
    }
    return read;
}
