#include "import/XlsxSheetReader.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <memory>
#include <zip.h>

namespace {
// A part larger than this is no statement; reading it could exhaust memory.
constexpr quint64 kLargestPart = 64 * 1024 * 1024;

const QString kRelationships =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

enum class PartRead { Read, Missing, Encrypted, Damaged };

using ZipArchive = std::unique_ptr<zip_t, decltype(&zip_discard)>;
using ZipEntry = std::unique_ptr<zip_file_t, decltype(&zip_fclose)>;

PartRead readPart(zip_t *zip, const QString &name, QByteArray *bytes)
{
    const zip_int64_t index = zip_name_locate(zip, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        return PartRead::Missing;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(zip, zip_uint64_t(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        return PartRead::Damaged;
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return PartRead::Encrypted;
    if (stat.size > kLargestPart)
        return PartRead::Damaged;
    const ZipEntry entry(zip_fopen_index(zip, zip_uint64_t(index), 0), &zip_fclose);
    if (!entry)
        return PartRead::Damaged;
    bytes->resize(qsizetype(stat.size));
    const zip_int64_t read = zip_fread(entry.get(), bytes->data(), stat.size);
    return read == zip_int64_t(stat.size) ? PartRead::Read : PartRead::Damaged;
}

// A target of the workbook's relationships, as a path in the container.
QString partPath(const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return QStringLiteral("xl/") + target;
}

// The text of a string item (<si> or <is>): its runs joined, the phonetic
// guides left out. The reader stands on the item's start element.
QString stringItem(QXmlStreamReader &xml)
{
    QString text;
    int phonetic = 0;
    const QString endName = xml.name().toString();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("rPh"))
            ++phonetic;
        else if (xml.isEndElement() && xml.name() == QLatin1String("rPh"))
            --phonetic;
        else if (xml.isStartElement() && xml.name() == QLatin1String("t") && phonetic == 0)
            text += xml.readElementText();
        else if (xml.isEndElement() && xml.name() == endName)
            break;
    }
    return text;
}

QStringList sharedStrings(const QByteArray &part)
{
    QStringList strings;
    QXmlStreamReader xml(part);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            strings << stringItem(xml);
    }
    return strings;
}

// Whether a number format shows a date or a time: it holds a day, month,
// year, hour or second code outside quoted text, brackets and escapes.
bool isDateFormat(const QString &code)
{
    static const QRegularExpression literals(QStringLiteral(R"("[^"]*"|\[[^\]]*\]|\\.|_.|\*.)"));
    QString bare = code;
    bare.remove(literals);
    static const QRegularExpression dateCodes(QStringLiteral("[dmyhs]"),
                                              QRegularExpression::CaseInsensitiveOption);
    return bare.contains(dateCodes);
}

bool isBuiltInDateFormat(int id)
{
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
           (id >= 50 && id <= 58);
}

// The cell styles (by index) whose number format is a date.
QSet<int> dateStyles(const QByteArray &part)
{
    QHash<int, QString> formats;
    QSet<int> dates;
    QXmlStreamReader xml(part);
    bool inCellFormats = false;
    int index = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("numFmt")) {
            formats.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(),
                           xml.attributes().value(QLatin1String("formatCode")).toString());
        } else if (xml.name() == QLatin1String("cellXfs")) {
            inCellFormats = xml.isStartElement();
        } else if (inCellFormats && xml.isStartElement() && xml.name() == QLatin1String("xf")) {
            const int id = xml.attributes().value(QLatin1String("numFmtId")).toInt();
            const bool date =
                formats.contains(id) ? isDateFormat(formats.value(id)) : isBuiltInDateFormat(id);
            if (date)
                dates.insert(index);
            ++index;
        }
    }
    return dates;
}

QDate serialDate(double serial, bool from1904)
{
    const qint64 days = qint64(serial);
    if (from1904)
        return QDate(1904, 1, 1).addDays(days);
    // Day 60 is the 29 February 1900 that never was.
    return days < 60 ? QDate(1899, 12, 31).addDays(days) : QDate(1899, 12, 30).addDays(days);
}

// Column number (from 0) of a cell reference ("C12" gives 2); -1 without letters.
int referenceColumn(QStringView reference)
{
    int column = 0;
    int letters = 0;
    for (const QChar c : reference) {
        if (!c.isLetter())
            break;
        column = column * 26 + (c.toUpper().unicode() - 'A' + 1);
        ++letters;
    }
    return letters == 0 ? -1 : column - 1;
}

struct Workbook
{
    QString sheetPart;
    QString stringsPart;
    QString stylesPart;
    bool from1904 = false;
};

std::optional<Workbook> workbookParts(const QByteArray &workbook, const QByteArray &relations)
{
    Workbook parts;
    QString firstSheet;
    QXmlStreamReader xml(workbook);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("workbookPr")) {
            const QStringView flag = xml.attributes().value(QLatin1String("date1904"));
            parts.from1904 = flag == QLatin1String("1") || flag == QLatin1String("true");
        } else if (xml.name() == QLatin1String("sheet") && firstSheet.isEmpty()) {
            firstSheet = xml.attributes().value(kRelationships, QLatin1String("id")).toString();
        }
    }
    if (xml.hasError() || firstSheet.isEmpty())
        return std::nullopt;

    QXmlStreamReader rels(relations);
    while (!rels.atEnd()) {
        rels.readNext();
        if (!rels.isStartElement() || rels.name() != QLatin1String("Relationship"))
            continue;
        const QString id = rels.attributes().value(QLatin1String("Id")).toString();
        const QString type = rels.attributes().value(QLatin1String("Type")).toString();
        const QString target =
            partPath(rels.attributes().value(QLatin1String("Target")).toString());
        if (id == firstSheet)
            parts.sheetPart = target;
        else if (type.endsWith(QLatin1String("/sharedStrings")))
            parts.stringsPart = target;
        else if (type.endsWith(QLatin1String("/styles")))
            parts.stylesPart = target;
    }
    if (parts.sheetPart.isEmpty())
        return std::nullopt;
    return parts;
}

ImportCell cellValue(const QString &type, const QString &value, const QString &inlineText,
                     bool dateStyle, bool from1904, const QStringList &strings)
{
    ImportCell cell;
    if (type == QLatin1String("s")) {
        cell.text = strings.value(value.toInt());
    } else if (type == QLatin1String("inlineStr")) {
        cell.text = inlineText;
    } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
        cell.text = value;
    } else if (type == QLatin1String("b")) {
        cell.text = value == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    } else if (type == QLatin1String("d")) {
        cell.text = value.left(10);
        cell.date = true;
    } else if (!value.isEmpty()) {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (ok) {
            cell.number = number;
            cell.date = dateStyle;
            cell.text = dateStyle ? serialDate(number, from1904).toString(Qt::ISODate) : value;
        } else {
            cell.text = value;
        }
    }
    return cell;
}

bool readSheet(const QByteArray &part, const Workbook &workbook, const QStringList &strings,
               const QSet<int> &dates, ImportTable &table)
{
    QXmlStreamReader xml(part);
    int row = -1;
    int column = -1;
    QString type;
    QString value;
    QString inlineText;
    bool dateStyle = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("row")) {
            const int number = xml.attributes().value(QLatin1String("r")).toInt();
            row = number > 0 ? number - 1 : row + 1;
            column = -1;
        } else if (xml.isStartElement() && xml.name() == QLatin1String("c")) {
            const int referenced = referenceColumn(xml.attributes().value(QLatin1String("r")));
            column = referenced >= 0 ? referenced : column + 1;
            type = xml.attributes().value(QLatin1String("t")).toString();
            dateStyle = dates.contains(xml.attributes().value(QLatin1String("s")).toInt());
            value.clear();
            inlineText.clear();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("v")) {
            value = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("is")) {
            inlineText = stringItem(xml);
        } else if (xml.isEndElement() && xml.name() == QLatin1String("c") && row >= 0) {
            const ImportCell cell =
                cellValue(type, value, inlineText, dateStyle, workbook.from1904, strings);
            if (cell.isEmpty())
                continue;
            while (table.rows.size() <= row)
                table.rows.append(QList<ImportCell>());
            QList<ImportCell> &cells = table.rows[row];
            while (cells.size() <= column)
                cells.append(ImportCell());
            cells[column] = cell;
        }
    }
    return !xml.hasError();
}

ImportFault faultOf(PartRead read)
{
    switch (read) {
    case PartRead::Encrypted:
        return ImportFault::PasswordProtected;
    case PartRead::Missing:
    case PartRead::Damaged:
    case PartRead::Read:
        break;
    }
    return ImportFault::NotSpreadsheet;
}
} // namespace

ImportRead readXlsxSheet(const QString &path)
{
    ImportRead read;
    int error = 0;
    const ZipArchive zip(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error),
                         &zip_discard);
    if (!zip) {
        read.fault = ImportFault::NotSpreadsheet;
        return read;
    }
    QByteArray workbook;
    QByteArray relations;
    PartRead result = readPart(zip.get(), QStringLiteral("xl/workbook.xml"), &workbook);
    if (result == PartRead::Read)
        result = readPart(zip.get(), QStringLiteral("xl/_rels/workbook.xml.rels"), &relations);
    if (result != PartRead::Read) {
        read.fault = faultOf(result);
        return read;
    }
    const std::optional<Workbook> parts = workbookParts(workbook, relations);
    if (!parts) {
        read.fault = ImportFault::NotSpreadsheet;
        return read;
    }

    QStringList strings;
    QSet<int> dates;
    QByteArray part;
    for (const QString &name : {parts->stringsPart, parts->stylesPart}) {
        if (name.isEmpty())
            continue;
        result = readPart(zip.get(), name, &part);
        if (result == PartRead::Encrypted || result == PartRead::Damaged) {
            read.fault = faultOf(result);
            return read;
        }
        if (result == PartRead::Read && name == parts->stringsPart)
            strings = sharedStrings(part);
        else if (result == PartRead::Read)
            dates = dateStyles(part);
    }
    ImportTable table;
    result = readPart(zip.get(), parts->sheetPart, &part);
    if (result != PartRead::Read || !readSheet(part, *parts, strings, dates, table)) {
        read.fault = faultOf(result);
        return read;
    }
    if (table.rows.isEmpty())
        read.fault = ImportFault::Empty;
    read.sheets << table;
    return read;
}
