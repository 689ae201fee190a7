#include "core/AddedUserTables.h"

#include "core/DatabaseError.h"
#include "core/ProgramFolder.h"
#include "core/TitleTables.h"

#include <QFile>
#include <QHash>
#include <QVector>

namespace {
QString quoted(const QString &identifier)
{
    return QLatin1Char('"') +
           QString(identifier).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString sourceText(const QString &table)
{
    QFile file(QStringLiteral(":/schema/") + table + QStringLiteral(".tsv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw DatabaseError(53, QStringLiteral("File not found: the table source of ") + table);
    return QString::fromUtf8(file.readAll());
}
} // namespace

QStringList addedUserTables()
{
    return {QStringLiteral("Rpt_Comparison_Notes"),
            QStringLiteral("StatementIndustry"),
            QStringLiteral("Rpt_Comparison_Trend"),
            QStringLiteral("Rpt_Comparison_Targets"),
            QStringLiteral("Rpt_Comparison_TargetRows"),
            QStringLiteral("Rpt_Comparison_TargetText"),
            QStringLiteral("Rpt_Comparison_Days"),
            QStringLiteral("StatementStamp"),
            QStringLiteral("ImportMapping"),
            QStringLiteral("StatementComment")};
}

namespace {
struct SourceColumn
{
    QString name;
    QString type;
    bool key = false;
};

// The header of a table source: "Name:TYPE:KEY" cells after the comment lines.
QVector<SourceColumn> sourceColumns(const QString &sourceText)
{
    QVector<SourceColumn> columns;
    for (const QString &line : sourceText.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        for (const QString &cell : line.split(QLatin1Char('\t'))) {
            const QStringList parts = cell.trimmed().split(QLatin1Char(':'));
            columns.append(
                {parts.at(0), parts.value(1, QStringLiteral("TEXT")).toUpper(),
                 parts.value(2).compare(QLatin1String("KEY"), Qt::CaseInsensitive) == 0});
        }
        break;
    }
    return columns;
}
} // namespace

QString fncCreateStatementFromSource(const QString &table, const QString &sourceText)
{
    const QVector<SourceColumn> columns = sourceColumns(sourceText);
    if (columns.isEmpty())
        return QString();
    QStringList definitions;
    QStringList keys;
    for (const SourceColumn &column : columns) {
        definitions << quoted(column.name) + QLatin1Char(' ') + column.type;
        if (column.key)
            keys << quoted(column.name);
    }
    if (!keys.isEmpty())
        definitions << QStringLiteral("PRIMARY KEY (%1)").arg(keys.join(QStringLiteral(", ")));
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
        .arg(quoted(table), definitions.join(QStringLiteral(", ")));
}

QStringList fncAddColumnStatementsFromSource(const QString &table, const QString &sourceText,
                                             const QStringList &existing)
{
    QStringList statements;
    for (const SourceColumn &column : sourceColumns(sourceText)) {
        if (existing.contains(column.name, Qt::CaseInsensitive))
            continue;
        statements << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                          .arg(quoted(table), quoted(column.name), column.type);
    }
    return statements;
}

bool fncTableExists(Connection &connection, const QString &table)
{
    const RecordSet rs =
        GetRS(connection,
              QStringLiteral(
                  "select name from sqlite_master where type = 'table' and lower(name) = lower(?)"),
              QStringLiteral("read"), {table});
    return rs.RecordCount() > 0;
}

namespace {
// The schema version at which each connection last had every added table.
// Creating or dropping a table changes the version, so an unchanged version
// means the tables are still there and the catalogue need not be read again.
QHash<QString, qint64> &completeAtVersion()
{
    thread_local QHash<QString, qint64> versions;
    return versions;
}

qint64 schemaVersion(Connection &connection)
{
    return firstInteger(connection, QStringLiteral("PRAGMA main.schema_version")).value_or(-1);
}

QStringList columnNames(Connection &connection, const QString &table)
{
    RecordSet rs =
        GetRS(connection, QStringLiteral("PRAGMA main.table_info(%1)").arg(quoted(table)),
              QStringLiteral("read"));
    QStringList names;
    for (; !rs.eof(); rs.MoveNext())
        names << rs.text(QStringLiteral("name"));
    return names;
}

void createMissingTables(Connection &connection)
{
    for (const QString &table : addedUserTables()) {
        qint16 errors = 0;
        const QString source = sourceText(table);
        if (!fncTableExists(connection, table)) {
            ExecCmdInDB(connection, fncCreateStatementFromSource(table, source), errors);
            continue;
        }
        for (const QString &statement :
             fncAddColumnStatementsFromSource(table, source, columnNames(connection, table)))
            ExecCmdInDB(connection, statement, errors);
    }
}
} // namespace

void subEnsureAddedUserTables(Connection &connection)
{
    const auto known = completeAtVersion().constFind(connection.connectionName());
    if (known != completeAtVersion().constEnd() && *known == schemaVersion(connection))
        return;
    createMissingTables(connection);
    completeAtVersion().insert(connection.connectionName(), schemaVersion(connection));
}

DatabaseSchema requiredUserSchema()
{
    return DatabaseSchema::shipped(QLatin1String(kUserDatabaseFile))
        .without(addedUserTables() + titleTables());
}

void subCompleteUserDatabase(Connection &connection)
{
    subEnsureAddedUserTables(connection);
    subRefreshTitleTables(connection);
    if (firstInteger(connection, QStringLiteral("PRAGMA main.user_version")).value_or(0) <
        kUserDatabaseVersion) {
        qint16 errors = 0;
        ExecCmdInDB(connection,
                    QStringLiteral("PRAGMA main.user_version = %1").arg(kUserDatabaseVersion),
                    errors);
    }
}
