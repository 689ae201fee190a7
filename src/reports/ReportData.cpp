#include "reports/ReportData.h"

#include "reports/ReportError.h"
#include "reports/ReportGauge.h"

#include <QHash>
#include <QRegularExpression>
#include <cmath>
#include <memory>
#include <optional>

namespace mstch = kainjow::mustache;

namespace {
std::string utf8(const QString &text)
{
    return text.toStdString();
}

bool isBlank(const QVariant &value)
{
    return value.isNull() || value.toString().trimmed().isEmpty();
}

// The variants of each value name that the templates read: the name itself
// is the empty variant, "npmq2|pct" the variant "pct" of "npmq2". Empty
// (`all`) when the templates change their tag marks, which this reading
// does not follow: then every variant is made.
struct UsedNames
{
    bool all = false;
    QHash<QString, QStringList> variants;
};

// Adds the names inside the {{ }} tags of a template: every part of a
// dotted name, since each part is looked up in its own context.
void collectNames(const QString &templateText, UsedNames &used)
{
    if (templateText.contains(QLatin1String("{{="))) {
        used.all = true;
        return;
    }
    qsizetype start = templateText.indexOf(QLatin1String("{{"));
    while (start >= 0) {
        const qsizetype end = templateText.indexOf(QLatin1String("}}"), start + 2);
        if (end < 0)
            break;
        QString tag = templateText.mid(start + 2, end - start - 2).trimmed();
        if (!tag.startsWith(QLatin1Char('!'))) {
            while (!tag.isEmpty() && QStringLiteral("#^/&{>").contains(tag.front()))
                tag.remove(0, 1);
            while (tag.endsWith(QLatin1Char('}')))
                tag.chop(1);
            for (const QString &part : tag.trimmed().toLower().split(QLatin1Char('.'))) {
                const qsizetype bar = part.indexOf(QLatin1Char('|'));
                const QString name = bar < 0 ? part : part.left(bar);
                const QString variant = bar < 0 ? QString() : part.mid(bar + 1);
                QStringList &variants = used.variants[name];
                if (!variants.contains(variant))
                    variants << variant;
            }
        }
        start = templateText.indexOf(QLatin1String("{{"), end + 2);
    }
}

struct CellContext
{
    const ReportLayout &layout;
    ReportLanguage language;
    const UsedNames &used;
    // Default formats found so far, by column: the three years' tables share
    // their column names.
    mutable QHash<QString, QString> defaultFormats;

    QString defaultFormat(const QString &column) const
    {
        auto found = defaultFormats.constFind(column);
        if (found == defaultFormats.constEnd())
            found = defaultFormats.insert(column, layout.formatOfColumn(column));
        return *found;
    }
};

// The value of one variant of a cell, or nothing for an unknown variant.
std::optional<mstch::data> cellVariant(const QString &variant, const QVariant &value,
                                       const QString &formatColumn, const CellContext &context)
{
    const bool blank = isBlank(value);
    if (variant.isEmpty()) {
        const QString defaultFormat =
            formatColumn.isEmpty() ? QString() : context.defaultFormat(formatColumn);
        const auto format = context.layout.formats.constFind(defaultFormat);
        if (format != context.layout.formats.constEnd() && format->kind != NumberKind::Equals)
            return mstch::data(
                utf8(formatValue(value, *format, context.language, context.layout.missing)));
        return mstch::data(blank ? std::string() : utf8(value.toString()));
    }
    if (variant == QLatin1String("raw"))
        return mstch::data(blank ? std::string() : utf8(value.toString()));
    if (variant == QLatin1String("null"))
        return mstch::data(blank);
    if (variant == QLatin1String("has"))
        return mstch::data(!blank);
    const std::optional<double> number = numericValue(value);
    if (variant == QLatin1String("nonzero"))
        return mstch::data(number && *number != 0.0);
    const auto format = context.layout.formats.constFind(variant);
    if (format == context.layout.formats.constEnd())
        return std::nullopt;
    if (format->kind == NumberKind::Equals)
        return mstch::data(number && std::fabs(*number - format->target) < 1e-9);
    return mstch::data(utf8(formatValue(value, *format, context.language, context.layout.missing)));
}

// Adds a value under `key` and those of its variants (formats and flags)
// that the templates read; values no template reads are not formatted. The
// plain value takes the default format of `formatColumn` (none when empty).
void addCell(mstch::object &target, const QString &key, const QVariant &value,
             const QString &formatColumn, const CellContext &context)
{
    const QString base = key.toLower();
    QStringList variants;
    if (context.used.all) {
        variants = QStringList{QString(), QStringLiteral("raw"), QStringLiteral("null"),
                               QStringLiteral("has"), QStringLiteral("nonzero")} +
                   context.layout.formats.keys();
    } else {
        const auto used = context.used.variants.constFind(base);
        if (used == context.used.variants.constEnd())
            return;
        variants = *used;
    }
    for (const QString &variant : variants) {
        std::optional<mstch::data> data = cellVariant(variant, value, formatColumn, context);
        if (data)
            target[utf8(variant.isEmpty() ? base : base + QLatin1Char('|') + variant)] =
                std::move(*data);
    }
}

// The first row of a table, its columns found without regard to case.
class FirstRow
{
public:
    FirstRow() = default;
    explicit FirstRow(const RecordSet *records) : m_records(records)
    {
        const QStringList &names = records->fieldNames();
        for (int i = 0; i < names.size(); ++i)
            m_index.insert(names.at(i).toLower(), i);
    }

    bool exists() const { return m_records && m_records->RecordCount() > 0; }
    bool hasColumn(const QString &column) const { return m_index.contains(column.toLower()); }
    const QStringList &columns() const { return m_records->fieldNames(); }
    QVariant value(const QString &column) const
    {
        const int index = m_index.value(column.toLower(), -1);
        if (!exists() || index < 0)
            return {};
        return m_records->row(0).at(index);
    }

private:
    const RecordSet *m_records = nullptr;
    QHash<QString, int> m_index;
};

class DataBuilder
{
public:
    DataBuilder(const ReportLayout &layout, const QVector<RecordSet> &tables,
                ReportLanguage language)
        : m_layout(layout), m_context{layout, language, m_used, {}}
    {
        for (const QString *text : {&layout.body, &layout.header, &layout.footer})
            collectNames(*text, m_used);
        for (int i = 0; i < layout.tables.size() && i < tables.size(); ++i) {
            m_rows.insert(layout.tables.at(i).alias, FirstRow(&tables.at(i)));
            m_tables.append(&tables.at(i));
        }
    }

    mstch::data build() const
    {
        mstch::object root;
        for (int t = 0; t < m_layout.tables.size(); ++t) {
            const ReportLayout::Table &table = m_layout.tables.at(t);
            if (table.everyRow) {
                root[utf8(table.alias)] = everyRow(m_tables.value(t));
                continue;
            }
            const FirstRow row = m_rows.value(table.alias);
            if (!row.exists()) {
                root[utf8(table.alias)] = mstch::data(false);
                continue;
            }
            mstch::object fields;
            for (const QString &column : row.columns())
                addCell(fields, column, row.value(column), column, m_context);
            for (const ReportLayout::RowList &list : m_layout.rowLists)
                if (list.over.contains(table.alias))
                    fields[utf8(list.name)] = buildList(list, table.alias);
            root[utf8(table.alias)] = fields;
        }
        // A list over a table's every row serves the workbook; the template
        // reads such a table itself.
        for (const ReportLayout::RowList &list : m_layout.rowLists)
            if (list.over.isEmpty() && list.each.isEmpty())
                root[utf8(list.name)] = buildList(list, QString());
        root["page"] = std::string(kPageToken);
        root["pages"] = std::string(kPagesToken);
        // The data outlives this builder (it is rendered later): the lambda
        // keeps its own copy of the not-available mark.
        root["gauge"] = mstch::lambda2{[missing = m_layout.missing](const std::string &text,
                                                                    const mstch::renderer &render) {
            const QStringList parts =
                QString::fromStdString(render(text)).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            bool betterOk = false;
            bool worseOk = false;
            const double better = parts.value(0).toDouble(&betterOk);
            const double worse = parts.value(1).toDouble(&worseOk);
            if (parts.size() != 2 || !betterOk || !worseOk)
                return utf8(missing.toHtmlEscaped());
            return utf8(positionGaugeHtml(better, worse));
        }};
        return root;
    }

private:
    // A table read row by row: an empty list (false in a section) without rows.
    mstch::list everyRow(const RecordSet *records) const
    {
        mstch::list items;
        if (!records)
            return items;
        const QStringList &columns = records->fieldNames();
        for (int r = 0; r < records->RecordCount(); ++r) {
            mstch::object fields;
            for (int c = 0; c < columns.size(); ++c)
                addCell(fields, columns.at(c), records->row(r).at(c), columns.at(c), m_context);
            items.push_back(fields);
        }
        return items;
    }

    mstch::list buildList(const ReportLayout::RowList &list, const QString &overAlias) const
    {
        mstch::list items;
        int index = 0;
        for (const auto &[key, values] : list.rows) {
            mstch::object item;
            item["key"] = utf8(key);
            item["index"] = std::to_string(++index);
            for (int f = 0; f < list.fields.size(); ++f)
                addField(item, list, f, values.at(f), overAlias);
            items.push_back(item);
        }
        return items;
    }

    void addField(mstch::object &item, const ReportLayout::RowList &list, int field,
                  const QString &reference, const QString &overAlias) const
    {
        const QString &name = list.fields.at(field);
        if (reference.startsWith(QLatin1Char('"'))) {
            addCell(item, name, reference.mid(1, reference.size() - 2), QString(), m_context);
            return;
        }
        const qsizetype dot = reference.indexOf(QLatin1Char('.'));
        const QString alias = dot < 0 ? overAlias : reference.left(dot).toLower();
        const QString column = dot < 0 ? reference : reference.mid(dot + 1);
        if (alias.isEmpty() || !m_rows.contains(alias))
            throw ReportError(QStringLiteral("Report layout, list %1: no table for \"%2\"")
                                  .arg(list.name, reference));
        const FirstRow row = m_rows.value(alias);
        if (!row.hasColumn(column))
            throw ReportError(QStringLiteral("Report layout, list %1: table %2 has no column %3")
                                  .arg(list.name, alias, column));
        addCell(item, name, row.value(column), column, m_context);
    }

    const ReportLayout &m_layout;
    UsedNames m_used;
    CellContext m_context;
    QHash<QString, FirstRow> m_rows;
    QVector<const RecordSet *> m_tables;
};
} // namespace

ReportLanguage reportLanguageOf(const ReportLayout &layout, const QVector<RecordSet> &tables)
{
    for (int i = 0; i < layout.tables.size() && i < tables.size(); ++i) {
        if (layout.tables.at(i).alias != layout.languageAlias)
            continue;
        const FirstRow row(&tables.at(i));
        if (row.exists() && row.hasColumn(layout.languageColumn))
            return reportLanguageFromText(row.value(layout.languageColumn).toString());
    }
    return ReportLanguage::English;
}

mstch::data buildReportData(const ReportLayout &layout, const QVector<RecordSet> &tables,
                            ReportLanguage language)
{
    return DataBuilder(layout, tables, language).build();
}

QString normaliseTagNames(const QString &templateText)
{
    static const QRegularExpression tag(QStringLiteral(R"(\{\{(.*?)\}\})"),
                                        QRegularExpression::DotMatchesEverythingOption);
    QString result;
    qsizetype last = 0;
    auto it = tag.globalMatch(templateText);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        result += templateText.mid(last, match.capturedStart() - last);
        result += QStringLiteral("{{") + match.captured(1).toLower() + QStringLiteral("}}");
        last = match.capturedEnd();
    }
    return result + templateText.mid(last);
}

namespace {
// The most parsed templates a thread keeps: three for each report type.
constexpr qsizetype kKeptTemplates = 16;
} // namespace

QString renderReportTemplate(const QString &templateText, const mstch::data &data)
{
    // A report's templates (body, header, footer) are rendered again for
    // every report of its type: each is parsed once per thread. A template
    // that failed is parsed afresh next time.
    thread_local QHash<QString, std::shared_ptr<mstch::mustache>> parsed;
    std::shared_ptr<mstch::mustache> &kept = parsed[templateText];
    if (!kept)
        kept = std::make_shared<mstch::mustache>(utf8(normaliseTagNames(templateText)));
    const std::shared_ptr<mstch::mustache> tmpl = kept;
    if (!tmpl->is_valid() || parsed.size() > kKeptTemplates)
        parsed.remove(templateText);
    if (!tmpl->is_valid())
        throw ReportError(QStringLiteral("Report template: ") +
                          QString::fromStdString(tmpl->error_message()));
    const std::string text = tmpl->render(data);
    if (!tmpl->is_valid()) {
        parsed.remove(templateText);
        throw ReportError(QStringLiteral("Report template: ") +
                          QString::fromStdString(tmpl->error_message()));
    }
    return QString::fromStdString(text);
}
