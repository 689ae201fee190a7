#include "reports/ReportSheets.h"

#include "reports/ReportData.h"
#include "reports/ReportError.h"

#include <QHash>
#include <algorithm>

namespace {
constexpr int kMaxTabLength = 31;

bool isBlank(const QVariant &value)
{
    return value.isNull() || value.toString().trimmed().isEmpty();
}

// Finds the values a layout's references name in a table's row: the first,
// or the one a list over every row asks for.
class TableValues
{
public:
    TableValues(const ReportLayout &layout, const QVector<RecordSet> &tables) : m_layout(layout)
    {
        for (int i = 0; i < layout.tables.size() && i < tables.size(); ++i)
            m_tables.insert(layout.tables.at(i).alias, &tables.at(i));
    }

    // The cell of a reference: a "literal", alias.Column (Column alone
    // takes `overAlias`), or choices "A|B", the first that is not blank.
    SheetCell cell(const QString &reference, const QString &overAlias, int record = 0) const
    {
        if (!reference.startsWith(QLatin1Char('"')) && reference.contains(QLatin1Char('|'))) {
            for (const QString &choice : reference.split(QLatin1Char('|'))) {
                SheetCell chosen = cell(choice, overAlias, record);
                if (!chosen.value.isNull())
                    return chosen;
            }
            return {};
        }
        if (reference.startsWith(QLatin1Char('"')))
            return {reference.mid(1, reference.size() - 2), std::nullopt};
        const qsizetype dot = reference.indexOf(QLatin1Char('.'));
        const QString alias = dot < 0 ? overAlias : reference.left(dot).toLower();
        const QString column = dot < 0 ? reference : reference.mid(dot + 1);
        const RecordSet *table = m_tables.value(alias);
        if (!table)
            throw ReportError(QStringLiteral("Report layout: no table for \"%1\"").arg(reference));
        const QStringList &names = table->fieldNames();
        const auto found =
            std::find_if(names.cbegin(), names.cend(), [&column](const QString &name) {
                return name.compare(column, Qt::CaseInsensitive) == 0;
            });
        if (found == names.cend())
            throw ReportError(
                QStringLiteral("Report layout: table %1 has no column %2").arg(alias, column));
        if (record >= table->RecordCount())
            return {};
        const QVariant value = table->row(record).at(found - names.cbegin());
        if (isBlank(value))
            return {};
        const auto format = m_layout.formats.constFind(m_layout.formatOfColumn(column));
        const std::optional<double> number = numericValue(value);
        if (format != m_layout.formats.constEnd() && format->kind != NumberKind::Equals && number)
            return {*number, *format};
        return {value.toString(), std::nullopt};
    }

    int recordCount(const QString &alias) const
    {
        const RecordSet *table = m_tables.value(alias);
        if (!table)
            throw ReportError(QStringLiteral("Report layout: no table \"%1\"").arg(alias));
        return table->RecordCount();
    }

    // Values joined by blanks, as text.
    QString text(const QStringList &references) const
    {
        QStringList parts;
        for (const QString &reference : references) {
            const QString part = cell(reference, QString()).value.toString().trimmed();
            if (!part.isEmpty())
                parts << part;
        }
        return parts.join(QLatin1Char(' '));
    }

private:
    const ReportLayout &m_layout;
    QHash<QString, const RecordSet *> m_tables;
};

// A row without a single value (a warning the firm does not have) is left out.
void addRow(ReportSheet &result, const QVector<SheetCell> &cells)
{
    if (std::any_of(cells.cbegin(), cells.cend(),
                    [](const SheetCell &cell) { return !cell.value.isNull(); }))
        result.rows << cells;
}

void addRows(ReportSheet &result, const ReportLayout::Sheet &sheet,
             const ReportLayout::RowList &list, const TableValues &values)
{
    QVector<qsizetype> fields;
    for (const auto &column : sheet.columns)
        fields << list.fields.indexOf(column.first);
    // A list over a table's every row repeats its rows for each record.
    if (!list.each.isEmpty()) {
        for (int record = 0; record < values.recordCount(list.each); ++record) {
            for (const auto &row : list.rows) {
                QVector<SheetCell> cells;
                for (const qsizetype field : fields)
                    cells << values.cell(row.second.at(field), list.each, record);
                addRow(result, cells);
            }
        }
        return;
    }
    // A list attached to tables repeats its rows for each of them.
    const QStringList overAliases = list.over.isEmpty() ? QStringList{QString()} : list.over;
    for (const QString &alias : overAliases) {
        for (const auto &row : list.rows) {
            QVector<SheetCell> cells;
            for (const qsizetype field : fields)
                cells << values.cell(row.second.at(field), alias);
            addRow(result, cells);
        }
    }
}

ReportSheet buildSheet(const ReportLayout::Sheet &sheet, const ReportLayout &layout,
                       const TableValues &values, const QStringList &takenNames)
{
    ReportSheet result;
    result.name = sheetTabName(values.text(sheet.name), takenNames);
    for (const QStringList &title : sheet.titles)
        result.titles << values.text(title);
    for (const auto &column : sheet.columns)
        result.headings << values.text(column.second);
    for (const QString &rows : sheet.rows) {
        const auto list = std::find_if(
            layout.rowLists.cbegin(), layout.rowLists.cend(),
            [&rows](const ReportLayout::RowList &candidate) { return candidate.name == rows; });
        if (list == layout.rowLists.cend())
            throw ReportError(QStringLiteral("Report layout: no row list \"%1\"").arg(rows));
        addRows(result, sheet, *list, values);
    }
    return result;
}
} // namespace

ReportWorkbook buildReportWorkbook(const ReportLayout &layout, const QVector<RecordSet> &tables)
{
    ReportWorkbook workbook;
    workbook.language = reportLanguageOf(layout, tables);
    workbook.pageLayout = layout.pageLayout;
    const TableValues values(layout, tables);
    QStringList names;
    for (const ReportLayout::Sheet &sheet : layout.sheets) {
        ReportSheet built = buildSheet(sheet, layout, values, names);
        // A sheet over a table without rows (no trend) is left out.
        if (built.rows.isEmpty())
            continue;
        names << built.name;
        workbook.sheets << built;
    }
    return workbook;
}

QString sheetTabName(const QString &text, const QStringList &taken)
{
    QString name;
    for (const QChar c : text)
        name += QStringLiteral("[]:*?/\\").contains(c) ? QLatin1Char('-') : c;
    name = name.simplified();
    // A tab may not start or end with an apostrophe.
    while (name.startsWith(QLatin1Char('\'')))
        name.remove(0, 1);
    while (name.endsWith(QLatin1Char('\'')))
        name.chop(1);
    if (name.isEmpty())
        name = QStringLiteral("Sheet");
    name = name.left(kMaxTabLength).trimmed();
    const QString base = name;
    for (int number = 2; taken.contains(name, Qt::CaseInsensitive); ++number) {
        const QString suffix = QStringLiteral(" (%1)").arg(number);
        name = base.left(kMaxTabLength - suffix.size()).trimmed() + suffix;
    }
    return name;
}
