#include "core/TitleTables.h"

#include "core/AddedUserTables.h"
#include "core/DatabaseError.h"
#include "core/Transaction.h"
#include "core/TsvText.h"

#include <QFile>
#include <QSet>

namespace {
const QLatin1String kSourceSuffix("_Source");

QStringList titleSources()
{
    return {QStringLiteral("Rpt_Ratios_Titles_Source"),
            QStringLiteral("Rpt_BalanceSheet_Titles_Source"),
            QStringLiteral("Rpt_Comparison_Titles_Source")};
}

QString sourceText(const QString &table)
{
    QFile file(QStringLiteral(":/schema/") + table + QStringLiteral(".tsv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw DatabaseError(53, QStringLiteral("File not found: the table source of ") + table);
    return QString::fromUtf8(file.readAll());
}

// The column names of a source's header line (cells "Name" or "Name:TYPE").
QStringList sourceColumns(const QString &text)
{
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList names;
        for (const QString &cell : line.split(QLatin1Char('\t')))
            names << cell.trimmed().section(QLatin1Char(':'), 0, 0);
        return names;
    }
    return {};
}

QSet<QString> foldedNames(const QStringList &names)
{
    QSet<QString> set;
    for (const QString &name : names)
        set.insert(name.toLower());
    return set;
}

QStringList tableColumns(Connection &connection, const QString &table)
{
    return GetRS(connection, QStringLiteral("select * from \"%1\" limit 0").arg(table),
                 QStringLiteral("read"))
        .fieldNames();
}
} // namespace

QStringList titleTables()
{
    QStringList tables;
    for (const QString &source : titleSources())
        tables << source << source.chopped(kSourceSuffix.size());
    return tables;
}

QList<QStringList> fncSourceRows(const QString &sourceText)
{
    // The first row names the columns.
    return tsvRows(sourceText).mid(1);
}

void subRefreshTitleTables(Connection &connection)
{
    for (const QString &source : titleSources()) {
        const QString text = sourceText(source);
        const QStringList columns = sourceColumns(text);
        const QString work = source.chopped(kSourceSuffix.size());
        if (fncTableExists(connection, source) && fncTableExists(connection, work) &&
            foldedNames(tableColumns(connection, source)) == foldedNames(columns) &&
            foldedNames(tableColumns(connection, work)) == foldedNames(columns))
            continue;
        Transaction transaction(connection);
        qint16 errors = 0;
        for (const QString &table : {source, work}) {
            ExecCmdInDB(connection, QStringLiteral("drop table if exists \"%1\"").arg(table),
                        errors);
            ExecCmdInDB(connection, fncCreateStatementFromSource(table, text), errors);
        }
        QStringList marks;
        for (qsizetype i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        const QString insert = QStringLiteral("insert into \"%1\" values (%2)")
                                   .arg(source, marks.join(QStringLiteral(", ")));
        for (const QStringList &row : fncSourceRows(text)) {
            QVariantList values;
            for (qsizetype i = 0; i < columns.size(); ++i)
                values << row.value(i);
            ExecCmdInDB(connection, insert, errors, values);
        }
        transaction.commit();
    }
}
