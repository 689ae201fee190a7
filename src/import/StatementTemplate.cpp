#include "import/StatementTemplate.h"

#include "core/LibXlsxWriter.h"
#include "core/ResourceString.h"
#include "core/SafeWrite.h"
#include "core/StringIds.h"
#include "firm/StatementItems.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QStringList>

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
    // Not loaded, the library writes nothing: the file is refused as one
    // that cannot be written.
    const LibXlsxWriter *library = libxlsxwriter();
    if (!library)
        return false;
    lxw_workbook *workbook = library->workbookNew(QFile::encodeName(path).constData());
    if (!workbook)
        return false;
    const QByteArray sheetName = ResourceString(kTemplateSheetName, language).toUtf8();
    lxw_worksheet *sheet = xlsx().addWorksheet(workbook, sheetName.constData());

    lxw_format *bold = xlsx().addFormat(workbook);
    xlsx().setBold(bold);
    lxw_format *heading = xlsx().addFormat(workbook);
    xlsx().setBold(heading);
    xlsx().setBottom(heading, LXW_BORDER_THIN);
    lxw_format *amount = xlsx().addFormat(workbook);
    xlsx().setNumFormat(amount, "#,##0");
    xlsx().setBgColor(amount, 0xFFF2CC);
    lxw_format *computed = xlsx().addFormat(workbook);
    xlsx().setItalic(computed);
    xlsx().setFontColor(computed, 0x000080);
    xlsx().setBgColor(computed, 0xE0E0E0);
    lxw_format *computedAmount = xlsx().addFormat(workbook);
    xlsx().setNumFormat(computedAmount, "#,##0");
    xlsx().setItalic(computedAmount);
    xlsx().setBgColor(computedAmount, 0xE0E0E0);

    const auto write = [sheet](int row, int column, const QString &text, lxw_format *format) {
        xlsx().writeString(sheet, row, column, text.toUtf8().constData(), format);
    };
    write(0, 0, ResourceString(kTemplateFirm, language), bold);
    if (!firmName.isEmpty())
        write(0, 1, firmName, nullptr);
    write(1, 0, ResourceString(kTemplateYear, language), bold);
    if (year)
        xlsx().writeNumber(sheet, 1, 1, *year, nullptr);
    const QStringList titles = headings(language);
    for (int c = 0; c < titles.size(); ++c)
        write(kHeadingRow, c, titles[c], heading);
    int row = kHeadingRow + 1;
    for (const TemplateRow &item : itemRows()) {
        lxw_format *format = item.computed ? computed : nullptr;
        write(row, 0, item.code, format);
        write(row, 1, item.english, format);
        write(row, 2, item.french, format);
        xlsx().writeBlank(sheet, row, kAmountColumn, item.computed ? computedAmount : amount);
        if (item.computed)
            write(row, 4, ResourceString(kTemplateComputedMark, language), format);
        ++row;
    }
    xlsx().setColumn(sheet, 0, 0, 20, nullptr);
    xlsx().setColumn(sheet, 1, 2, 44, nullptr);
    xlsx().setColumn(sheet, 3, 3, 16, nullptr);
    xlsx().setColumn(sheet, 4, 4, 16, nullptr);
    xlsx().freezePanes(sheet, kHeadingRow + 1, 0);

    QByteArray title = ResourceString(kSaveTemplateTitle, language).toUtf8();
    QByteArray author("Quorvel");
    lxw_doc_properties properties{};
    properties.title = title.data();
    properties.author = author.data();
    xlsx().setProperties(workbook, &properties);
    return xlsx().close(workbook) == LXW_NO_ERROR;
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
