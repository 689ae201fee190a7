#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// Small pieces of SQL text and values shared by the report preparations.
namespace reportsql {

// A figure of a work-table row as a number; empty when the row leaves it
// empty (null) or holds no number.
inline std::optional<double> numberOf(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}

// A figure to bind: null when empty.
inline QVariant boundNumber(const std::optional<double> &value)
{
    return value ? QVariant(*value) : QVariant();
}

// A column name as an identifier, whatever characters it holds.
inline QString quotedIdentifier(const QString &name)
{
    QString doubled = name;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

// "a", "b", "c" for a column list.
inline QString identifierList(const QStringList &names)
{
    QStringList quoted;
    quoted.reserve(names.size());
    for (const QString &name : names)
        quoted << quotedIdentifier(name);
    return quoted.join(QStringLiteral(", "));
}

// ?, ?, ? for `count` bound values.
inline QString placeholders(qsizetype count)
{
    QStringList marks;
    marks.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

// "A = ?, B = ?" for an update of the named columns.
inline QString assignmentList(const QStringList &columns)
{
    QStringList pairs;
    pairs.reserve(columns.size());
    for (const QString &column : columns)
        pairs << column + QStringLiteral(" = ?");
    return pairs.join(QStringLiteral(", "));
}

// The report language as the title tables hold it: its first letter as passed.
inline QString languageLetter(const QString &language)
{
    return language.left(1);
}

// The ProvinceCodes column that names a region in the report language.
inline QString languageColumn(const QString &language)
{
    return languageLetter(language).toUpper() == QLatin1String("E") ? QStringLiteral("English")
                                                                    : QStringLiteral("French");
}

} // namespace reportsql
