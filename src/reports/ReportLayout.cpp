#include "reports/ReportLayout.h"

#include "reports/ReportError.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPageSize>
#include <algorithm>

namespace {
const QRegularExpression &sectionLine()
{
    static const QRegularExpression re(QStringLiteral(R"(^\[\s*([A-Za-z]+)([^\]]*)\]\s*$)"));
    return re;
}

const QRegularExpression &identifier()
{
    static const QRegularExpression re(QStringLiteral(R"(^[A-Za-z_][A-Za-z0-9_]*$)"));
    return re;
}

[[noreturn]] void fail(int lineNumber, const QString &what)
{
    throw ReportError(QStringLiteral("Report layout, line %1: %2").arg(lineNumber).arg(what));
}

// Splits a line into words; "quoted text" is one word (its quotes kept).
QStringList words(const QString &line, int lineNumber)
{
    QStringList result;
    QString current;
    bool quoted = false;
    bool inWord = false;
    for (const QChar c : line) {
        if (quoted) {
            current += c;
            if (c == QLatin1Char('"'))
                quoted = false;
        } else if (c.isSpace()) {
            if (inWord)
                result << current;
            current.clear();
            inWord = false;
        } else {
            current += c;
            inWord = true;
            if (c == QLatin1Char('"'))
                quoted = true;
        }
    }
    if (quoted)
        fail(lineNumber, QStringLiteral("unclosed quote"));
    if (inWord)
        result << current;
    return result;
}

// "name = value" split at the first "=".
QPair<QString, QString> keyValue(const QString &line, int lineNumber)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        fail(lineNumber, QStringLiteral("\"=\" expected"));
    return {line.left(equals).trimmed(), line.mid(equals + 1).trimmed()};
}

// A "text", a Column or alias.Column, or choices of those joined by "|".
bool isValueReference(const QString &word)
{
    if (word.startsWith(QLatin1Char('"')))
        return true;
    for (const QString &choice : word.split(QLatin1Char('|'))) {
        const QStringList parts = choice.split(QLatin1Char('.'));
        if (parts.size() > 2)
            return false;
        for (const QString &part : parts)
            if (!identifier().match(part).hasMatch())
                return false;
    }
    return true;
}

void readReportSetting(ReportLayout &layout, const QString &key, const QString &value,
                       int lineNumber)
{
    const QString name = key.toLower();
    if (name == QLatin1String("name")) {
        layout.name = value;
    } else if (name == QLatin1String("language")) {
        const QStringList parts = value.split(QLatin1Char('.'));
        if (parts.size() != 2)
            fail(lineNumber, QStringLiteral("language must be alias.Column"));
        layout.languageAlias = parts.at(0).trimmed().toLower();
        layout.languageColumn = parts.at(1).trimmed();
    } else if (name == QLatin1String("missing")) {
        layout.missing = value;
    } else if (name == QLatin1String("page")) {
        const QStringList parts = value.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &part : parts) {
            if (part == QLatin1String("a4"))
                layout.pageLayout.setPageSize(QPageSize(QPageSize::A4));
            else if (part == QLatin1String("letter"))
                layout.pageLayout.setPageSize(QPageSize(QPageSize::Letter));
            else if (part == QLatin1String("portrait"))
                layout.pageLayout.setOrientation(QPageLayout::Portrait);
            else if (part == QLatin1String("landscape"))
                layout.pageLayout.setOrientation(QPageLayout::Landscape);
            else
                fail(lineNumber, QStringLiteral("unknown page setting \"%1\"").arg(part));
        }
    } else if (name == QLatin1String("shrink")) {
        bool ok = false;
        const double percent = QString(value).remove(QLatin1Char('%')).trimmed().toDouble(&ok);
        if (!ok || percent < 50 || percent > 100)
            fail(lineNumber, QStringLiteral("shrink must be a percentage from 50% to 100%"));
        layout.smallestScale = percent / 100.0;
    } else if (name == QLatin1String("margins")) {
        bool ok = false;
        const double mm = value.toDouble(&ok);
        if (!ok || mm < 0 || mm > 50)
            fail(lineNumber, QStringLiteral("margins must be millimetres from 0 to 50"));
        layout.pageLayout.setMargins(QMarginsF(mm, mm, mm, mm));
    } else {
        fail(lineNumber, QStringLiteral("unknown setting \"%1\"").arg(key));
    }
}
void readSheetLine(ReportLayout::Sheet &sheet, const QString &line, int lineNumber)
{
    const auto [key, value] = keyValue(line, lineNumber);
    const QStringList values = words(value, lineNumber);
    for (const QString &v : values)
        if (!isValueReference(v))
            fail(lineNumber, QStringLiteral("not a column or \"text\": %1").arg(v));
    const QString name = key.toLower();
    if (name == QLatin1String("name")) {
        sheet.name = values;
    } else if (name == QLatin1String("title")) {
        sheet.titles.append(values);
    } else if (name == QLatin1String("rows")) {
        for (const QString &list : values) {
            if (!identifier().match(list).hasMatch())
                fail(lineNumber, QStringLiteral("not a row list: \"%1\"").arg(list));
            sheet.rows << list.toLower();
        }
    } else if (identifier().match(key).hasMatch()) {
        sheet.columns.append({name, values});
    } else {
        fail(lineNumber, QStringLiteral("not a field name: \"%1\"").arg(key));
    }
}

// A sheet shows fields of existing row lists.
void checkSheet(const ReportLayout &layout, const ReportLayout::Sheet &sheet)
{
    if (sheet.name.isEmpty() || sheet.rows.isEmpty() || sheet.columns.isEmpty())
        throw ReportError(QStringLiteral("Report layout: a sheet needs a name, rows and columns"));
    for (const QString &rows : sheet.rows) {
        const auto list = std::find_if(
            layout.rowLists.cbegin(), layout.rowLists.cend(),
            [&rows](const ReportLayout::RowList &candidate) { return candidate.name == rows; });
        if (list == layout.rowLists.cend())
            throw ReportError(
                QStringLiteral("Report layout: a sheet shows the unknown row list \"%1\"")
                    .arg(rows));
        for (const auto &column : sheet.columns)
            if (!list->fields.contains(column.first))
                throw ReportError(
                    QStringLiteral("Report layout: row list \"%1\" has no field \"%2\"")
                        .arg(rows, column.first));
    }
}
} // namespace

namespace {
// Whether `name` matches a wildcard pattern, both in lower case.
bool wildcardMatch(QStringView pattern, QStringView name)
{
    qsizetype p = 0, n = 0;
    // Where the last "*" was, and where in the name it was tried up to.
    qsizetype star = -1, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}
} // namespace

QString ReportLayout::formatOfColumn(const QString &column) const
{
    const QString name = column.toLower();
    for (const ColumnFormat &entry : columnFormats)
        if (wildcardMatch(entry.pattern, name))
            return entry.format;
    return {};
}

ReportLayout parseReportLayout(const QString &text)
{
    ReportLayout layout;
    layout.pageLayout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);

    const QStringList lines = text.split(QLatin1Char('\n'));
    QString section;
    ReportLayout::RowList *rowList = nullptr;
    ReportLayout::Sheet *sheet = nullptr;
    QString *templateText = nullptr;
    bool sawTemplate = false;

    for (int i = 0; i < lines.size(); ++i) {
        const int lineNumber = i + 1;
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QRegularExpressionMatch heading = sectionLine().match(line);
        // The body template runs to the end of the file.
        if (heading.hasMatch() && section != QLatin1String("template")) {
            section = heading.captured(1).toLower();
            const QStringList extra =
                heading.captured(2).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            rowList = nullptr;
            sheet = nullptr;
            templateText = nullptr;
            if (section == QLatin1String("sheet")) {
                if (extra.size() != 1 || !identifier().match(extra.at(0)).hasMatch())
                    fail(lineNumber, QStringLiteral("a sheet needs a name"));
                layout.sheets.append(ReportLayout::Sheet());
                sheet = &layout.sheets.last();
            } else if (section == QLatin1String("rows")) {
                if (extra.isEmpty() || !identifier().match(extra.at(0)).hasMatch())
                    fail(lineNumber, QStringLiteral("a row list needs a name"));
                ReportLayout::RowList list;
                list.name = extra.at(0).toLower();
                const QString kind = extra.value(1).toLower();
                if (kind == QLatin1String("each") && extra.size() == 3) {
                    list.each = extra.at(2).toLower();
                } else if (extra.size() > 1) {
                    if (kind != QLatin1String("over") || extra.size() < 3)
                        fail(lineNumber, QStringLiteral("expected \"over\" and table aliases, "
                                                        "or \"each\" and one table alias"));
                    for (int w = 2; w < extra.size(); ++w)
                        list.over << extra.at(w).toLower();
                }
                layout.rowLists.append(list);
                rowList = &layout.rowLists.last();
            } else if (!extra.isEmpty()) {
                fail(lineNumber, QStringLiteral("unexpected text after [%1]").arg(section));
            } else if (section == QLatin1String("header")) {
                templateText = &layout.header;
            } else if (section == QLatin1String("footer")) {
                templateText = &layout.footer;
            } else if (section == QLatin1String("template")) {
                templateText = &layout.body;
                sawTemplate = true;
            } else if (section != QLatin1String("report") && section != QLatin1String("tables") &&
                       section != QLatin1String("formats") && section != QLatin1String("columns")) {
                fail(lineNumber, QStringLiteral("unknown section [%1]").arg(section));
            }
            continue;
        }
        if (templateText) {
            *templateText += line + QLatin1Char('\n');
            continue;
        }
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (section.isEmpty())
            fail(lineNumber, QStringLiteral("text before the first section"));

        if (section == QLatin1String("report")) {
            const auto [key, value] = keyValue(trimmed, lineNumber);
            readReportSetting(layout, key, value, lineNumber);
        } else if (section == QLatin1String("tables")) {
            const QStringList parts = words(trimmed, lineNumber);
            const bool everyRow =
                parts.size() == 4 && parts.at(3).toLower() == QLatin1String("each");
            const bool aliased =
                (parts.size() == 3 || everyRow) && parts.at(1).toLower() == QLatin1String("as");
            if ((parts.size() != 1 && !aliased) || !identifier().match(parts.at(0)).hasMatch() ||
                (aliased && !identifier().match(parts.at(2)).hasMatch()))
                fail(lineNumber, QStringLiteral("expected \"TableName as alias\""));
            layout.tables.append(
                {parts.at(0), (aliased ? parts.at(2) : parts.at(0)).toLower(), everyRow});
        } else if (section == QLatin1String("formats")) {
            const auto [key, value] = keyValue(trimmed, lineNumber);
            const std::optional<NumberFormat> format = parseNumberFormat(value);
            if (!format || !identifier().match(key).hasMatch())
                fail(lineNumber, QStringLiteral("not a number format: \"%1\"").arg(trimmed));
            layout.formats.insert(key.toLower(), *format);
        } else if (section == QLatin1String("columns")) {
            const auto [patterns, format] = keyValue(trimmed, lineNumber);
            if (!layout.formats.contains(format.toLower()))
                fail(lineNumber, QStringLiteral("unknown format \"%1\"").arg(format));
            for (const QString &pattern : words(patterns, lineNumber))
                layout.columnFormats.append({pattern.toLower(), format.toLower()});
        } else if (section == QLatin1String("rows")) {
            const auto [key, value] = keyValue(trimmed, lineNumber);
            const QStringList values = words(value, lineNumber);
            if (key.toLower() == QLatin1String("fields")) {
                if (!rowList->fields.isEmpty())
                    fail(lineNumber, QStringLiteral("fields given twice"));
                for (const QString &field : values) {
                    if (!identifier().match(field).hasMatch())
                        fail(lineNumber, QStringLiteral("not a field name: \"%1\"").arg(field));
                    rowList->fields << field.toLower();
                }
                continue;
            }
            if (rowList->fields.isEmpty())
                fail(lineNumber, QStringLiteral("\"fields = ...\" must come first"));
            if (values.size() != rowList->fields.size())
                fail(lineNumber, QStringLiteral("%1 values for %2 fields")
                                     .arg(values.size())
                                     .arg(rowList->fields.size()));
            for (const QString &v : values)
                if (!isValueReference(v))
                    fail(lineNumber, QStringLiteral("not a column or \"text\": %1").arg(v));
            rowList->rows.append({key, values});
        } else if (section == QLatin1String("sheet")) {
            readSheetLine(*sheet, trimmed, lineNumber);
        }
    }
    for (const ReportLayout::Sheet &entry : std::as_const(layout.sheets))
        checkSheet(layout, entry);

    if (layout.tables.isEmpty())
        throw ReportError(QStringLiteral("Report layout: no [tables]"));
    if (!sawTemplate)
        throw ReportError(QStringLiteral("Report layout: no [template]"));
    return layout;
}

ReportLayout loadReportLayout(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("The report layout file cannot be opened: %1").arg(path));
    const QByteArray bytes = file.readAll();
    // Every report opens its layout file again; one whose text has not
    // changed is not parsed again.
    struct Parsed
    {
        QByteArray bytes;
        ReportLayout layout;
    };
    thread_local QHash<QString, Parsed> parsed;
    const auto known = parsed.constFind(path);
    if (known != parsed.constEnd() && known->bytes == bytes)
        return known->layout;
    try {
        ReportLayout layout = parseReportLayout(QString::fromUtf8(bytes));
        parsed.insert(path, {bytes, layout});
        return layout;
    } catch (const ReportError &error) {
        throw ReportError(path + QStringLiteral(": ") + error.message());
    }
}
