#pragma once

#include "core/DbTools.h"

#include <QSet>
#include <QStringList>
#include <optional>

// The columns of a table, in the table's order.
struct TableColumns
{
    QStringList names;
    QString identifiers; // "A", "B", "C": the names quoted for a column list
    QSet<QString> foldedNames;

    // Whether the table has a column of this name, in any letter case.
    bool contains(const QString &name) const { return foldedNames.contains(name.toCaseFolded()); }
};

// The columns of a table, or nothing when the connection has no such table.
// `schema` is "main" or the name of an attached database. The list is read
// once per table and kept while that database's schema stays as it is.
std::optional<TableColumns> tableColumns(Connection &connection, const QString &schema,
                                         const QString &table);

// The schema version of a database of the connection ("main" or an attached
// one). Creating, dropping or altering a table changes it, and so does
// copying a backup over the database.
qint64 schemaVersion(Connection &connection, const QString &schema);
