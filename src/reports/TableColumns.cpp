#include "reports/TableColumns.h"

#include "reports/ReportSql.h"

#include <QHash>

namespace {
struct KeptColumns
{
    qint64 schemaVersion = -1;
    QHash<QString, std::optional<TableColumns>> byTable; // lower-case table names
};

// Kept per connection and schema.
QHash<QString, KeptColumns> &keptColumns()
{
    thread_local QHash<QString, KeptColumns> kept;
    return kept;
}
} // namespace

qint64 schemaVersion(Connection &connection, const QString &schema)
{
    return firstInteger(connection,
                        QStringLiteral("PRAGMA ") + schema + QStringLiteral(".schema_version"))
        .value_or(-1);
}

std::optional<TableColumns> tableColumns(Connection &connection, const QString &schema,
                                         const QString &table)
{
    // Any change of a table's layout changes the database's schema version.
    const qint64 version = schemaVersion(connection, schema);
    KeptColumns &kept = keptColumns()[connection.connectionName() + QLatin1Char('/') + schema];
    if (kept.schemaVersion != version) {
        kept.byTable.clear();
        kept.schemaVersion = version;
    }
    const QString key = table.toLower();
    const auto found = kept.byTable.constFind(key);
    if (found != kept.byTable.constEnd())
        return *found;

    RecordSet info =
        GetRS(connection, QStringLiteral("select name from pragma_table_info(?, ?) order by cid"),
              QStringLiteral("read"), {table, schema});
    std::optional<TableColumns> columns;
    if (info.RecordCount() > 0) {
        columns.emplace();
        for (; !info.eof(); info.MoveNext()) {
            columns->names.append(info.field(0).toString());
            columns->foldedNames.insert(columns->names.last().toCaseFolded());
        }
        columns->identifiers = reportsql::identifierList(columns->names);
    }
    kept.byTable.insert(key, columns);
    return columns;
}
