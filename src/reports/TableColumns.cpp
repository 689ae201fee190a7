#include "reports/TableColumns.h"

#include <QHash>

namespace {
struct KeptColumns
{
    qint64 schemaVersion = -1;
    QHash<QString, std::optional<QStringList>> byTable; // lower-case table names
};

// Kept per connection and schema.
QHash<QString, KeptColumns> &keptColumns()
{
    static QHash<QString, KeptColumns> kept;
    return kept;
}
} // namespace

std::optional<QStringList> tableColumns(Connection &connection, const QString &schema,
                                        const QString &table)
{
    // Any change of a table's layout changes the database's schema version.
    const qint64 version =
        GetRS(connection, QStringLiteral("PRAGMA ") + schema + QStringLiteral(".schema_version"),
              QStringLiteral("read"))
            .field(0)
            .toLongLong();
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
    std::optional<QStringList> columns;
    if (info.RecordCount() > 0) {
        columns.emplace();
        for (; !info.eof(); info.MoveNext())
            columns->append(info.field(0).toString());
    }
    kept.byTable.insert(key, columns);
    return columns;
}
