#include "reports/SpreadsheetExport.h"

#include "core/LibXlsxWriter.h"
#include "core/ResourceString.h"
#include "core/SafeWrite.h"
#include "core/StringIds.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace {
constexpr double kLabelColumnWidth = 46;
constexpr double kFigureColumnWidth = 16;
constexpr int kCsvHeadingCount = 12;

QString sheetText(int id, ReportLanguage language)
{
    return ResourceString(id, language == ReportLanguage::French ? Language::French
                                                                 : Language::English);
}

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

// A text a spreadsheet would run as a formula (a firm named "=cmd|…") is
// kept a text by a leading apostrophe; numbers the program writes itself
// (a negative figure, "-12.5") are no formulas.
bool looksLikeFormula(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    if (first == QLatin1Char('\t') || first == QLatin1Char('\r'))
        return true;
    if (first != QLatin1Char('=') && first != QLatin1Char('+') && first != QLatin1Char('-') &&
        first != QLatin1Char('@'))
        return false;
    // A figure in either language's form: digits, blanks, "," or "." and a sign.
    static const QRegularExpression figure(
        QStringLiteral("^[+-]?[0-9][0-9 \\x{00a0}\\x{202f},.]*%?$"));
    return !figure.match(text).hasMatch();
}

QString csvField(const QString &field, QChar separator)
{
    const QString text = looksLikeFormula(field) ? QLatin1Char('\'') + field : field;
    const bool quoted = text.contains(separator) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                        text != text.trimmed();
    if (!quoted)
        return text;
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString csvUnit(const NumberFormat &format, ReportLanguage language)
{
    switch (format.kind) {
    case NumberKind::Percent:
        return QStringLiteral("%");
    case NumberKind::Points:
        // The unit the report and the workbook print.
        return language == ReportLanguage::French ? QStringLiteral("points de %")
                                                  : QStringLiteral("pts");
    case NumberKind::Currency:
        return QStringLiteral("$");
    default:
        return QString();
    }
}

// A heading that starts with a year ("2006 Median") gives the row's year
// and its measure; other headings are the measure of the report's year.
std::pair<int, QString> yearAndMeasure(const QString &heading, int reportYear)
{
    static const QRegularExpression leadingYear(QStringLiteral("^((?:19|20)\\d\\d)\\b\\s*(.*)$"));
    const QRegularExpressionMatch match = leadingYear.match(heading.trimmed());
    if (match.hasMatch())
        return {match.captured(1).toInt(), match.captured(2)};
    return {reportYear, heading.trimmed()};
}

// The workbook's formats, made once for each number pattern.
class XlsxFormats
{
public:
    XlsxFormats(lxw_workbook *workbook, ReportLanguage language)
        : m_workbook(workbook), m_language(language)
    {
        m_bold = xlsx().addFormat(workbook);
        xlsx().setBold(m_bold);
        m_heading = xlsx().addFormat(workbook);
        xlsx().setBold(m_heading);
        xlsx().setTextWrap(m_heading);
        xlsx().setBottom(m_heading, LXW_BORDER_THIN);
    }

    lxw_format *bold() const { return m_bold; }
    lxw_format *heading() const { return m_heading; }

    lxw_format *number(const NumberFormat &format)
    {
        const QByteArray pattern = spreadsheetNumberFormat(format, m_language).toUtf8();
        lxw_format *&slot = m_numbers[pattern];
        if (!slot) {
            slot = xlsx().addFormat(m_workbook);
            xlsx().setNumFormat(slot, pattern.constData());
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

// Prints as the PDF does: its paper and orientation, one page wide, the
// rows down to the headings repeated on every page, the page number below.
void setPageSetup(lxw_worksheet *tab, const ReportWorkbook &workbook, lxw_row_t headingRow)
{
    if (workbook.pageLayout.orientation() == QPageLayout::Landscape)
        xlsx().setLandscape(tab);
    else
        xlsx().setPortrait(tab);
    xlsx().setPaper(tab, workbook.pageLayout.pageSize().id() == QPageSize::A4 ? 9 : 1);
    xlsx().fitToPages(tab, 1, 0);
    xlsx().repeatRows(tab, 0, headingRow);
    const QByteArray footer = "&C" + sheetText(kSheetFooter, workbook.language).toUtf8();
    xlsx().setFooter(tab, footer.constData());
}

bool writeSheet(lxw_workbook *book, XlsxFormats &formats, const ReportWorkbook &workbook,
                const ReportSheet &sheet)
{
    // A name the library refuses (used twice, too long) gives no sheet.
    lxw_worksheet *tab = xlsx().addWorksheet(book, sheet.name.toUtf8().constData());
    if (!tab)
        return false;
    lxw_row_t row = 0;
    QStringList titles = sheet.titles;
    // Every sheet names the benchmark data it shows.
    const QString &dataset = workbook.about.dataset;
    if (!dataset.isEmpty() && !titles.join(QLatin1Char('\n')).contains(dataset))
        titles << dataset;
    for (const QString &title : titles)
        xlsx().writeString(tab, row++, 0, title.toUtf8().constData(), formats.bold());
    if (!titles.isEmpty())
        ++row;
    setPageSetup(tab, workbook, row);
    for (int column = 0; column < sheet.headings.size(); ++column)
        xlsx().writeString(tab, row, static_cast<lxw_col_t>(column),
                           sheet.headings.at(column).toUtf8().constData(), formats.heading());
    xlsx().freezePanes(tab, row + 1, 1);
    ++row;
    for (const QVector<SheetCell> &cells : sheet.rows) {
        for (int column = 0; column < cells.size(); ++column) {
            const SheetCell &cell = cells.at(column);
            const auto col = static_cast<lxw_col_t>(column);
            if (cell.isNumber()) {
                const NumberFormat format = cell.format.value_or(NumberFormat{});
                xlsx().writeNumber(tab, row, col, spreadsheetValue(cell.value.toDouble(), format),
                                   formats.number(format));
            } else if (!cell.value.isNull()) {
                xlsx().writeString(tab, row, col, cell.value.toString().toUtf8().constData(),
                                   nullptr);
            }
        }
        ++row;
    }
    xlsx().setColumn(tab, 0, 0, kLabelColumnWidth, nullptr);
    if (sheet.headings.size() > 1)
        xlsx().setColumn(tab, 1, static_cast<lxw_col_t>(sheet.headings.size() - 1),
                         kFigureColumnWidth, nullptr);
    return true;
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

QString csvNumber(double value, const NumberFormat &format, ReportLanguage language)
{
    const int decimals = format.kind == NumberKind::Integer ? 0 : std::max(format.decimals, 0);
    QString figure = QString::number(value, 'f', decimals);
    // A figure that rounds to zero has no sign.
    if (figure.startsWith(QLatin1Char('-')) && figure.toDouble() == 0)
        figure.remove(0, 1);
    if (language == ReportLanguage::French)
        figure.replace(QLatin1Char('.'), QLatin1Char(','));
    return figure;
}

static bool writeXlsxFile(const ReportWorkbook &workbook, const QString &path);

bool writeXlsx(const ReportWorkbook &workbook, const QString &path)
{
    return fncWriteThroughTemporary(
        path, [&workbook](const QString &temporary) { return writeXlsxFile(workbook, temporary); });
}

static bool writeXlsxFile(const ReportWorkbook &workbook, const QString &path)
{
    // Not loaded, the library writes nothing: the file is refused as one
    // that cannot be written.
    const LibXlsxWriter *library = libxlsxwriter();
    if (!library)
        return false;
    lxw_workbook *book = library->workbookNew(QFile::encodeName(path).constData());
    if (!book)
        return false;
    XlsxFormats formats(book, workbook.language);
    const ReportAbout &about = workbook.about;
    QByteArray title = about.title.toUtf8();
    QByteArray subject = QStringList{about.naics + QLatin1Char(' ') + about.industry, about.dataset,
                                     about.year ? QString::number(about.year) : QString()}
                             .filter(QRegularExpression(QStringLiteral("\\S")))
                             .join(QStringLiteral(" \u2013 "))
                             .toUtf8();
    QByteArray quorvel("Quorvel");
    QByteArray benchmarks = about.benchmarks.toUtf8();
    // The library copies the texts; its structure just takes them unconst.
    lxw_doc_properties properties{};
    properties.title = title.data();
    properties.subject = subject.data();
    properties.author = quorvel.data();
    properties.company = quorvel.data();
    properties.comments = benchmarks.data();
    xlsx().setProperties(book, &properties);
    bool sheetsWritten = true;
    for (const ReportSheet &sheet : workbook.sheets)
        sheetsWritten = sheetsWritten && writeSheet(book, formats, workbook, sheet);
    return xlsx().close(book) == LXW_NO_ERROR && sheetsWritten;
}

bool writeCsv(const ReportWorkbook &workbook, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool french = workbook.language == ReportLanguage::French;
    const QChar separator = french ? QLatin1Char(';') : QLatin1Char(',');
    const ReportAbout &about = workbook.about;
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    out.setGenerateByteOrderMark(true); // spreadsheets then read the accents right
    const auto line = [&](const QStringList &fields) {
        QStringList quoted;
        for (const QString &field : fields)
            quoted << csvField(field, separator);
        out << quoted.join(separator) << "\r\n";
    };
    QStringList headings;
    for (int heading = 0; heading < kCsvHeadingCount; ++heading)
        headings << sheetText(kCsvFirstHeading + 2 * heading, workbook.language);
    headings << sheetText(kCsvBenchmarksHeading, workbook.language);
    line(headings);
    for (const ReportSheet &sheet : workbook.sheets) {
        for (const QVector<SheetCell> &cells : sheet.rows) {
            if (cells.isEmpty())
                continue;
            const QString item =
                cells.first().isNumber() ? QString() : cells.first().value.toString().trimmed();
            for (int column = 1; column < cells.size(); ++column) {
                const SheetCell &cell = cells.at(column);
                if (cell.value.isNull() || cell.value.toString().trimmed().isEmpty())
                    continue;
                auto [year, measure] = yearAndMeasure(sheet.headings.value(column), about.year);
                if (measure.isEmpty())
                    measure = sheet.headings.value(0).trimmed();
                const NumberFormat format = cell.format.value_or(NumberFormat{});
                // Figures alone in Value, so that a reader takes the column as
                // numbers; a text (a statement line, a reason) has a column of its own.
                const bool figure = cell.isNumber();
                line({about.report, about.firm, about.naics, about.industry, about.dataset,
                      year ? QString::number(year) : QString(), sheet.name, item, measure,
                      figure ? csvNumber(cell.value.toDouble(), format, workbook.language)
                             : QString(),
                      figure ? csvUnit(format, workbook.language) : QString(),
                      figure ? QString() : cell.value.toString().trimmed(), about.benchmarks});
            }
        }
    }
    out.flush();
    if (out.status() != QTextStream::Ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
