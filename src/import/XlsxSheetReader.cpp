#include "import/XlsxSheetReader.h"

#include "import/FormulaEvaluator.h"
#include "import/SheetCells.h"
#include "import/StatementFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <memory>

namespace {
const QString kRelationships =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

// A target of the workbook's relationships, as a path in the container.
QString partPath(const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return QDir::cleanPath(QStringLiteral("xl/") + target);
}

bool isTrue(QStringView flag)
{
    return flag == QLatin1String("1") || flag == QLatin1String("true");
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

// The shared strings; empty when there are more than a statement has cells.
std::optional<QStringList> sharedStrings(const QByteArray &part)
{
    QStringList strings;
    QXmlStreamReader xml(part);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) {
            if (strings.size() >= kLargestCellCount)
                return std::nullopt;
            strings << stringItem(xml);
        }
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

// A row number as a sheet part writes it, from 1; 0 when it has other
// characters than digits, and kSheetRows + 1 for any number beyond the last row.
qint64 rowNumber(QStringView digits)
{
    qint64 number = 0;
    for (const QChar c : digits) {
        if (!c.isDigit() || c.unicode() > '9')
            return 0;
        number = std::min<qint64>(number * 10 + c.digitValue(), kSheetRows + 1);
    }
    return number;
}

enum class Reference { Valid, Beyond, Malformed };

// A cell's reference ("C12"): its place, or whether it lies beyond the sheet.
Reference cellReference(QStringView reference, SheetPosition *position)
{
    qint64 column = 0;
    qsizetype letters = 0;
    for (; letters < reference.size() && reference[letters].unicode() < 128 &&
           reference[letters].isLetter();
         ++letters)
        column = std::min<qint64>(column * 26 + (reference[letters].toUpper().unicode() - 'A' + 1),
                                  kSheetColumns + 1);
    const qint64 row = rowNumber(reference.mid(letters));
    if (letters == 0 || row == 0)
        return Reference::Malformed;
    if (column > kSheetColumns || row > kSheetRows)
        return Reference::Beyond;
    *position = SheetPosition{int(row - 1), int(column - 1)};
    return Reference::Valid;
}

struct Worksheet
{
    QString name;
    QString part;
};

struct Workbook
{
    QList<Worksheet> sheets; // the shown worksheets, in order
    QString stringsPart;
    QString stylesPart;
    bool from1904 = false;
    QStringList strings;
    QSet<int> dateStyles;
};

std::optional<Workbook> workbookParts(const QByteArray &workbook, const QByteArray &relations)
{
    struct Listed
    {
        QString name;
        QString relation;
        bool hidden;
    };
    Workbook parts;
    QList<Listed> listed;
    QXmlStreamReader xml(workbook);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("workbookPr")) {
            parts.from1904 = isTrue(attributes.value(QLatin1String("date1904")));
        } else if (xml.name() == QLatin1String("sheet")) {
            const QStringView state = attributes.value(QLatin1String("state"));
            listed << Listed{attributes.value(QLatin1String("name")).toString(),
                             attributes.value(kRelationships, QLatin1String("id")).toString(),
                             state == QLatin1String("hidden") ||
                                 state == QLatin1String("veryHidden")};
        }
    }
    if (xml.hasError() || listed.isEmpty())
        return std::nullopt;

    QHash<QString, std::pair<QString, QString>> targets; // id -> type, part
    QXmlStreamReader rels(relations);
    while (!rels.atEnd()) {
        rels.readNext();
        if (!rels.isStartElement() || rels.name() != QLatin1String("Relationship"))
            continue;
        const QString type = rels.attributes().value(QLatin1String("Type")).toString();
        const QString target =
            partPath(rels.attributes().value(QLatin1String("Target")).toString());
        targets.insert(rels.attributes().value(QLatin1String("Id")).toString(), {type, target});
        if (type.endsWith(QLatin1String("/sharedStrings")))
            parts.stringsPart = target;
        else if (type.endsWith(QLatin1String("/styles")))
            parts.stylesPart = target;
    }
    for (const Listed &sheet : std::as_const(listed)) {
        const auto target = targets.constFind(sheet.relation);
        if (target == targets.cend())
            return std::nullopt;
        // Charts and dialogs are sheets too, with no cells; hidden sheets
        // hold drafts and workings, not the statement shown.
        if (target->first.endsWith(QLatin1String("/worksheet")) && !sheet.hidden)
            parts.sheets << Worksheet{sheet.name, target->second};
    }
    return parts;
}

ImportCell cellValue(const QString &type, const QString &value, const QString &inlineText,
                     bool dateStyle, const Workbook &workbook)
{
    ImportCell cell;
    if (type == QLatin1String("s")) {
        bool ok = false;
        const int index = value.toInt(&ok);
        cell.text = ok ? workbook.strings.value(index) : QString();
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
            cell.text =
                dateStyle ? serialDate(number, workbook.from1904).toString(Qt::ISODate) : value;
        } else {
            cell.text = value;
        }
    }
    return cell;
}

// A formula saved without its result: its text, or the shared formula it
// takes its text from.
struct PendingFormula
{
    QString formula;
    int shared = -1;
    bool dateStyle = false;
};

struct SharedFormula
{
    SheetPosition at;
    QString formula;
};

class SheetReader
{
public:
    SheetReader(const Workbook &workbook, const Worksheet &sheet, qsizetype cellBudget)
        : m_workbook(workbook), m_sheet(sheet), m_budget(cellBudget)
    {
    }

    ImportRead read(const QByteArray &part, ImportTable &table)
    {
        ImportRead read = cells(part);
        if (read.fault == ImportFault::None)
            read = workOutFormulas();
        if (read.fault == ImportFault::None)
            read = compactSheet(m_cells, m_hiddenRows, m_hiddenColumns, table);
        table.sheetName = m_sheet.name;
        return read;
    }

private:
    QString place(const QString &text) const
    {
        return sheetPlace(m_sheet.name, text, m_workbook.sheets.size() > 1);
    }

    ImportRead cells(const QByteArray &part)
    {
        QXmlStreamReader xml(part);
        qint64 row = -1;
        QString rowText;
        qint64 column = -1;
        SheetPosition at;
        QString type;
        QString value;
        bool hasValue = false;
        std::optional<PendingFormula> formula;
        QString inlineText;
        bool dateStyle = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement() && !xml.isEndElement())
                continue;
            const QStringView name = xml.name();
            if (xml.isEndElement()) {
                if (name == QLatin1String("row") && row >= kSheetRows)
                    return importFault(ImportFault::BeyondSheetLimits, {place(rowText)});
                if (name != QLatin1String("c"))
                    continue;
                if (formula && !hasValue) {
                    formula->dateStyle = dateStyle;
                    m_cells.erase(at);
                    m_pending.insert_or_assign(at, *formula);
                } else {
                    const ImportCell cell =
                        cellValue(type, value, inlineText, dateStyle, m_workbook);
                    m_pending.erase(at);
                    if (cell.isEmpty())
                        m_cells.erase(at);
                    else
                        m_cells.insert_or_assign(at, cell);
                }
                if (qsizetype(m_cells.size() + m_pending.size()) > m_budget)
                    return tooLarge(kLargestCellCount, true);
                continue;
            }
            const QXmlStreamAttributes attributes = xml.attributes();
            if (name == QLatin1String("col")) {
                if (isTrue(attributes.value(QLatin1String("hidden")))) {
                    const int first = attributes.value(QLatin1String("min")).toInt();
                    const int last =
                        std::min(attributes.value(QLatin1String("max")).toInt(), kSheetColumns);
                    if (first >= 1)
                        m_hiddenColumns.hide(first - 1, last - 1);
                }
            } else if (name == QLatin1String("row")) {
                const QStringView number = attributes.value(QLatin1String("r"));
                const qint64 given = number.isEmpty() ? row + 2 : rowNumber(number);
                if (given == 0)
                    return importFault(ImportFault::NotSpreadsheet);
                // A row beyond the sheet is refused by the name of its first
                // cell, or by its own when it has none.
                row = given - 1;
                rowText = number.isEmpty() ? QString::number(given) : number.toString();
                column = -1;
                if (row < kSheetRows && isTrue(attributes.value(QLatin1String("hidden"))))
                    m_hiddenRows.hide(int(row), int(row));
            } else if (name == QLatin1String("c")) {
                const QStringView reference = attributes.value(QLatin1String("r"));
                if (reference.isEmpty()) {
                    if (row < 0)
                        return importFault(ImportFault::NotSpreadsheet);
                    if (++column >= kSheetColumns || row >= kSheetRows)
                        return importFault(ImportFault::BeyondSheetLimits,
                                           {place(columnLetters(int(column)) + rowText)});
                    at = SheetPosition{int(row), int(column)};
                } else {
                    switch (cellReference(reference, &at)) {
                    case Reference::Malformed:
                        return importFault(ImportFault::NotSpreadsheet);
                    case Reference::Beyond:
                        return importFault(ImportFault::BeyondSheetLimits,
                                           {place(reference.toString())});
                    case Reference::Valid:
                        column = at.column;
                        break;
                    }
                }
                type = attributes.value(QLatin1String("t")).toString();
                dateStyle =
                    m_workbook.dateStyles.contains(attributes.value(QLatin1String("s")).toInt());
                value.clear();
                hasValue = false;
                formula.reset();
                inlineText.clear();
            } else if (name == QLatin1String("v")) {
                value = xml.readElementText();
                hasValue = true;
            } else if (name == QLatin1String("f")) {
                formula = this->formula(xml, at);
            } else if (name == QLatin1String("is")) {
                inlineText = stringItem(xml);
            }
        }
        if (xml.hasError())
            return importFault(ImportFault::NotSpreadsheet);
        return {};
    }

    // A cell's formula; the reader stands on its <f>.
    PendingFormula formula(QXmlStreamReader &xml, SheetPosition at)
    {
        const QString kind = xml.attributes().value(QLatin1String("t")).toString();
        bool shared = false;
        const int index = xml.attributes().value(QLatin1String("si")).toInt(&shared);
        PendingFormula formula;
        formula.formula = xml.readElementText();
        // A data table's cells hold no formula of their own to work out.
        if (kind == QLatin1String("dataTable"))
            formula.formula.clear();
        if (kind == QLatin1String("shared") && shared) {
            if (formula.formula.isEmpty())
                formula.shared = index;
            else
                m_shared.insert(index, SharedFormula{at, formula.formula});
        }
        return formula;
    }

    ImportRead workOutFormulas()
    {
        PendingFormulas formulas;
        for (const auto &[at, pending] : m_pending) {
            QString formula = pending.formula;
            const auto master = m_shared.constFind(pending.shared);
            if (pending.shared >= 0 && master != m_shared.cend())
                formula = shiftedFormula(master->formula, at.row - master->at.row,
                                         at.column - master->at.column)
                              .value_or(QString());
            formulas.emplace_hint(formulas.end(), at, formula);
        }
        const QList<SheetPosition> unknown = ::workOutFormulas(
            m_cells, formulas, m_hiddenRows, m_hiddenColumns,
            [this](SheetPosition at, double value) {
                return cellValue(QString(), QString::number(value, 'g', 15), QString(),
                                 m_pending.at(at).dateStyle, m_workbook);
            });
        if (unknown.isEmpty())
            return {};
        QStringList places;
        for (const SheetPosition at : unknown.first(std::min(unknown.size(), kPlacesListed)))
            places << place(cellName(at));
        return importFault(ImportFault::FormulaWithoutValue, places);
    }

    const Workbook &m_workbook;
    const Worksheet &m_sheet;
    const qsizetype m_budget;
    SheetCells m_cells;
    std::map<SheetPosition, PendingFormula> m_pending;
    QHash<int, SharedFormula> m_shared;
    HiddenLines m_hiddenRows;
    HiddenLines m_hiddenColumns;
};
} // namespace

ImportRead readXlsxWorkbook(const QString &path)
{
    const ZipArchive zip = openZipArchive(path);
    if (!zip)
        return importFault(ImportFault::NotSpreadsheet);
    QByteArray workbookPart;
    QByteArray relations;
    PartRead result = readZipPart(zip.get(), QStringLiteral("xl/workbook.xml"), &workbookPart);
    if (result == PartRead::Read)
        result = readZipPart(zip.get(), QStringLiteral("xl/_rels/workbook.xml.rels"), &relations);
    if (result != PartRead::Read)
        return partFault(result);
    std::optional<Workbook> workbook = workbookParts(workbookPart, relations);
    if (!workbook)
        return importFault(ImportFault::NotSpreadsheet);

    QByteArray part;
    if (!workbook->stringsPart.isEmpty()) {
        result = readZipPart(zip.get(), workbook->stringsPart, &part);
        if (result != PartRead::Read && result != PartRead::Missing)
            return partFault(result);
        std::optional<QStringList> strings = sharedStrings(part);
        if (!strings)
            return tooLarge(kLargestCellCount, true);
        workbook->strings = *strings;
    }
    if (!workbook->stylesPart.isEmpty()) {
        result = readZipPart(zip.get(), workbook->stylesPart, &part);
        if (result != PartRead::Read && result != PartRead::Missing)
            return partFault(result);
        workbook->dateStyles = dateStyles(part);
    }

    ImportRead read;
    qsizetype cellsLeft = kLargestCellCount;
    bool anyCell = false;
    for (const Worksheet &sheet : std::as_const(workbook->sheets)) {
        result = readZipPart(zip.get(), sheet.part, &part);
        if (result != PartRead::Read)
            return partFault(result);
        ImportTable table;
        const ImportRead sheetRead = SheetReader(*workbook, sheet, cellsLeft).read(part, table);
        if (sheetRead.fault != ImportFault::None)
            return sheetRead;
        for (const QList<ImportCell> &row : std::as_const(table.rows))
            cellsLeft -= row.size();
        anyCell = anyCell || !table.rows.isEmpty();
        read.sheets << table;
    }
    if (!anyCell)
        read.fault = ImportFault::Empty;
    return read;
}
