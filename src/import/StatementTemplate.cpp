#include "import/StatementTemplate.h"

#include "core/ResourceString.h"
#include "core/SafeWrite.h"
#include "core/StringIds.h"
#include "firm/StatementItems.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QStringList>
#include <xlsxwriter.h>

namespace {
// The rows before the items: firm, year, a blank row, the headings.
constexpr int kHeadingRow = 3;
constexpr int kAmountColumn = 3;

struct TemplateRow
{
    QString code;
    QString english;
    QString french;
    bool computed = false;
};

// The item's name in the template: its screen caption, except for the items
// whose French caption keeps an older wording.
QString templateName(const StatementItem &item, Language language)
{
    static const QHash<QString, int> corrected = {
        {QStringLiteral("GrossProfit"), kTemplateGrossProfitName},
        {QStringLiteral("InterestExpense"), kTemplateInterestExpenseName},
        {QStringLiteral("DefTax"), kTemplateDefTaxName}};
    const int id = corrected.value(QLatin1String(item.column), item.captionId);
    return ResourceString(id, language).trimmed();
}

QList<TemplateRow> itemRows()
{
    QList<TemplateRow> rows;
    for (const int index : statementScreenOrder()) {
        const StatementItem &item = statementItems()[index];
        rows << TemplateRow{QString::fromLatin1(item.column), templateName(item, Language::English),
                            templateName(item, Language::French), item.computed};
    }
    return rows;
}

QStringList headings(Language language)
{
    return {ResourceString(kTemplateCode, language), ResourceString(kTemplateEnglishName, language),
            ResourceString(kTemplateFrenchName, language),
            ResourceString(kTemplateAmount, language), ResourceString(kTemplateComputed, language)};
}

QString csvField(const QString &text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

bool writeCsv(const QString &path, Language language, const QString &firmName,
              std::optional<int> year)
{
    const QChar separator = language == Language::French ? QLatin1Char(';') : QLatin1Char(',');
    QList<QStringList> lines{
        {ResourceString(kTemplateFirm, language), firmName},
        {ResourceString(kTemplateYear, language), year ? QString::number(*year) : QString()},
        {},
        headings(language)};
    for (const TemplateRow &row : itemRows())
        lines << QStringList{row.code, row.english, row.french, QString(),
                             row.computed ? ResourceString(kTemplateComputedMark, language)
                                          : QString()};
    QString text;
    for (const QStringList &line : std::as_const(lines)) {
        QStringList fields;
        for (const QString &field : line)
            fields << csvField(field, separator);
        text += fields.join(separator) + QStringLiteral("\r\n");
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = QByteArrayLiteral("\xef\xbb\xbf") + text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeXlsxFile(const QString &path, Language language, const QString &firmName,
                   std::optional<int> year)
{
    lxw_workbook *workbook = workbook_new(QFile::encodeName(path).constData());
    if (!workbook)
        return false;
    const QByteArray sheetName = ResourceString(kTemplateSheetName, language).toUtf8();
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, sheetName.constData());

    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_format *heading = workbook_add_format(workbook);
    format_set_bold(heading);
    format_set_bottom(heading, LXW_BORDER_THIN);
    lxw_format *amount = workbook_add_format(workbook);
    format_set_num_format(amount, "#,##0");
    format_set_bg_color(amount, 0xFFF2CC);
    lxw_format *computed = workbook_add_format(workbook);
    format_set_italic(computed);
    format_set_font_color(computed, 0x000080);
    format_set_bg_color(computed, 0xE0E0E0);
    lxw_format *computedAmount = workbook_add_format(workbook);
    format_set_num_format(computedAmount, "#,##0");
    format_set_italic(computedAmount);
    format_set_bg_color(computedAmount, 0xE0E0E0);

    const auto write = [sheet](int row, int column, const QString &text, lxw_format *format) {
        worksheet_write_string(sheet, row, column, text.toUtf8().constData(), format);
    };
    write(0, 0, ResourceString(kTemplateFirm, language), bold);
    if (!firmName.isEmpty())
        write(0, 1, firmName, nullptr);
    write(1, 0, ResourceString(kTemplateYear, language), bold);
    if (year)
        worksheet_write_number(sheet, 1, 1, *year, nullptr);
    const QStringList titles = headings(language);
    for (int c = 0; c < titles.size(); ++c)
        write(kHeadingRow, c, titles[c], heading);
    int row = kHeadingRow + 1;
    for (const TemplateRow &item : itemRows()) {
        lxw_format *format = item.computed ? computed : nullptr;
        write(row, 0, item.code, format);
        write(row, 1, item.english, format);
        write(row, 2, item.french, format);
        worksheet_write_blank(sheet, row, kAmountColumn, item.computed ? computedAmount : amount);
        if (item.computed)
            write(row, 4, ResourceString(kTemplateComputedMark, language), format);
        ++row;
    }
    worksheet_set_column(sheet, 0, 0, 20, nullptr);
    worksheet_set_column(sheet, 1, 2, 44, nullptr);
    worksheet_set_column(sheet, 3, 3, 16, nullptr);
    worksheet_set_column(sheet, 4, 4, 16, nullptr);
    worksheet_freeze_panes(sheet, kHeadingRow + 1, 0);

    QByteArray title = ResourceString(kSaveTemplateTitle, language).toUtf8();
    QByteArray author("Quorvel");
    lxw_doc_properties properties{};
    properties.title = title.data();
    properties.author = author.data();
    workbook_set_properties(workbook, &properties);
    return workbook_close(workbook) == LXW_NO_ERROR;
}
} // namespace

std::optional<TemplateFormat> templateFormatOf(const QString &path)
{
    if (path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return TemplateFormat::Xlsx;
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return TemplateFormat::Csv;
    return std::nullopt;
}

bool writeStatementTemplate(const QString &path, TemplateFormat format, Language language,
                            const QString &firmName, std::optional<int> year)
{
    return format == TemplateFormat::Xlsx
               ? fncWriteThroughTemporary(path,
                                          [&](const QString &temporary) {
                                              return writeXlsxFile(temporary, language, firmName,
                                                                   year);
                                          })
               : writeCsv(path, language, firmName, year);
}
