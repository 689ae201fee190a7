#include "core/AddedUserTables.h"

#include "core/DatabaseError.h"

#include <QFile>
#include <QHash>

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
    return {QStringLiteral("Rpt_Comparison_Notes"), QStringLiteral("StatementIndustry"),
            QStringLiteral("Rpt_Comparison_Trend")};
}

QString fncCreateStatementFromSource(const QString &table, const QString &sourceText)
{
    const QStringList lines = sourceText.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        QStringList definitions;
        QStringList keys;
        for (const QString &cell : line.split(QLatin1Char('\t'))) {
            const QStringList parts = cell.trimmed().split(QLatin1Char(':'));
            const QString type = parts.value(1, QStringLiteral("TEXT")).toUpper();
            definitions << quoted(parts.at(0)) + QLatin1Char(' ') + type;
            if (parts.value(2).compare(QLatin1String("KEY"), Qt::CaseInsensitive) == 0)
                keys << quoted(parts.at(0));
        }
        if (!keys.isEmpty())
            definitions << QStringLiteral("PRIMARY KEY (%1)").arg(keys.join(QStringLiteral(", ")));
        return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
            .arg(quoted(table), definitions.join(QStringLiteral(", ")));
    }
    return QString();
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
    static QHash<QString, qint64> versions;
    return versions;
}

qint64 schemaVersion(Connection &connection)
{
    return firstInteger(connection, QStringLiteral("PRAGMA main.schema_version")).value_or(-1);
}

void createMissingTables(Connection &connection)
{
    // One look at the catalogue when every table is there, as it is after start-up.
    static const QString countSql = [] {
        QStringList names;
        for (const QString &table : addedUserTables())
            names << QLatin1Char('\'') + table.toLower() + QLatin1Char('\'');
        return QStringLiteral("select count(*) from sqlite_master where type = 'table' and "
                              "lower(name) in (") +
               names.join(QStringLiteral(", ")) + QLatin1Char(')');
    }();
    if (GetRS(connection, countSql, QStringLiteral("read")).field(0).toInt() ==
        addedUserTables().size())
        return;
    for (const QString &table : addedUserTables()) {
        if (fncTableExists(connection, table))
            continue;
        qint16 errors = 0;
        ExecCmdInDB(connection, fncCreateStatementFromSource(table, sourceText(table)), errors);
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
