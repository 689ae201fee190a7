#include "reports/SpreadsheetExport.h"

#include <QFile>
#include <QHash>
#include <QTextStream>
#include <xlsxwriter.h>

namespace {
constexpr double kLabelColumnWidth = 46;
constexpr double kFigureColumnWidth = 16;

QString decimalsPattern(int decimals)
{
    return decimals > 0 ? QStringLiteral("0.") + QString(decimals, QLatin1Char('0'))
                        : QStringLiteral("0");
}

// One pattern for positive figures; signed formats show "+" before them.
QString withSign(const QString &pattern, bool showSign)
{
    if (!showSign)
        return pattern;
    return QStringLiteral("+%1;-%1;%1").arg(pattern);
}

QString csvField(const QString &text)
{
    const bool quoted = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                        text != text.trimmed();
    if (!quoted)
        return text;
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString csvCell(const SheetCell &cell)
{
    if (cell.isNumber())
        return csvNumber(cell.value.toDouble(), cell.format.value_or(NumberFormat{}));
    return csvField(cell.value.toString());
}

// The workbook's formats, made once for each number pattern.
class XlsxFormats
{
public:
    XlsxFormats(lxw_workbook *workbook, ReportLanguage language)
        : m_workbook(workbook), m_language(language)
    {
        m_bold = workbook_add_format(workbook);
        format_set_bold(m_bold);
        m_heading = workbook_add_format(workbook);
        format_set_bold(m_heading);
        format_set_text_wrap(m_heading);
        format_set_bottom(m_heading, LXW_BORDER_THIN);
    }

    lxw_format *bold() const { return m_bold; }
    lxw_format *heading() const { return m_heading; }

    lxw_format *number(const NumberFormat &format)
    {
        const QByteArray pattern = spreadsheetNumberFormat(format, m_language).toUtf8();
        lxw_format *&slot = m_numbers[pattern];
        if (!slot) {
            slot = workbook_add_format(m_workbook);
            format_set_num_format(slot, pattern.constData());
        }
        return slot;
    }

private:
    lxw_workbook *m_workbook;
    ReportLanguage m_language;
    lxw_format *m_bold = nullptr;
    lxw_format *m_heading = nullptr;
    QHash<QByteArray, lxw_format *> m_numbers;
};

void writeSheet(lxw_workbook *book, XlsxFormats &formats, const ReportSheet &sheet)
{
    lxw_worksheet *tab = workbook_add_worksheet(book, sheet.name.toUtf8().constData());
    lxw_row_t row = 0;
    for (const QString &title : sheet.titles)
        worksheet_write_string(tab, row++, 0, title.toUtf8().constData(), formats.bold());
    if (!sheet.titles.isEmpty())
        ++row;
    for (int column = 0; column < sheet.headings.size(); ++column)
        worksheet_write_string(tab, row, static_cast<lxw_col_t>(column),
                               sheet.headings.at(column).toUtf8().constData(), formats.heading());
    worksheet_freeze_panes(tab, row + 1, 1);
    ++row;
    for (const QVector<SheetCell> &cells : sheet.rows) {
        for (int column = 0; column < cells.size(); ++column) {
            const SheetCell &cell = cells.at(column);
            const auto col = static_cast<lxw_col_t>(column);
            if (cell.isNumber()) {
                const NumberFormat format = cell.format.value_or(NumberFormat{});
                worksheet_write_number(tab, row, col,
                                       spreadsheetValue(cell.value.toDouble(), format),
                                       formats.number(format));
            } else if (!cell.value.isNull()) {
                worksheet_write_string(tab, row, col, cell.value.toString().toUtf8().constData(),
                                       nullptr);
            }
        }
        ++row;
    }
    worksheet_set_column(tab, 0, 0, kLabelColumnWidth, nullptr);
    if (sheet.headings.size() > 1)
        worksheet_set_column(tab, 1, static_cast<lxw_col_t>(sheet.headings.size() - 1),
                             kFigureColumnWidth, nullptr);
}
} // namespace

QString spreadsheetNumberFormat(const NumberFormat &format, ReportLanguage language)
{
    const QString decimals = decimalsPattern(format.decimals);
    switch (format.kind) {
    case NumberKind::Percent:
        return withSign(decimals + QLatin1Char('%'), format.showSign);
    case NumberKind::Points: {
        // A difference of two percentages stays in points.
        const QString unit = language == ReportLanguage::French ? QStringLiteral(" \"points de %\"")
                                                                : QStringLiteral(" \"pts\"");
        return withSign(decimals + unit, format.showSign);
    }
    case NumberKind::Currency: {
        const QString amount = QStringLiteral("#,##") + decimals;
        const QString pattern = language == ReportLanguage::French
                                    ? amount + QStringLiteral(" \"$\"")
                                    : QStringLiteral("\"$\"") + amount;
        return format.showSign ? withSign(pattern, true)
                               : pattern + QLatin1Char(';') + QLatin1Char('-') + pattern;
    }
    case NumberKind::Integer:
        return QStringLiteral("#,##0");
    case NumberKind::Number:
    case NumberKind::Equals:
        break;
    }
    return withSign(decimals, format.showSign);
}

double spreadsheetValue(double value, const NumberFormat &format)
{
    return format.kind == NumberKind::Percent ? value / 100.0 : value;
}

QString csvNumber(double value, const NumberFormat &format)
{
    const QString figure = QString::number(value, 'g', 15);
    return format.kind == NumberKind::Percent ? figure + QLatin1Char('%') : figure;
}

bool writeXlsx(const ReportWorkbook &workbook, const QString &path)
{
    lxw_workbook *book = workbook_new(QFile::encodeName(path).constData());
    if (!book)
        return false;
    XlsxFormats formats(book, workbook.language);
    for (const ReportSheet &sheet : workbook.sheets)
        writeSheet(book, formats, sheet);
    return workbook_close(book) == LXW_NO_ERROR;
}

bool writeCsv(const ReportWorkbook &workbook, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    out.setGenerateByteOrderMark(true); // spreadsheets then read the accents right
    const QString endOfLine = QStringLiteral("\r\n");
    bool first = true;
    for (const ReportSheet &sheet : workbook.sheets) {
        if (!first)
            out << endOfLine;
        first = false;
        out << csvField(sheet.name) << endOfLine;
        for (const QString &title : sheet.titles)
            out << csvField(title) << endOfLine;
        QStringList headings;
        for (const QString &heading : sheet.headings)
            headings << csvField(heading);
        out << headings.join(QLatin1Char(',')) << endOfLine;
        for (const QVector<SheetCell> &cells : sheet.rows) {
            QStringList fields;
            for (const SheetCell &cell : cells)
                fields << csvCell(cell);
            out << fields.join(QLatin1Char(',')) << endOfLine;
        }
    }
    out.flush();
    return out.status() == QTextStream::Ok && file.error() == QFileDevice::NoError;
}
