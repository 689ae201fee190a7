#pragma once

// A small reference database and user database in a temporary folder, with
// the report tables' columns and hand-made industry rows, so that every
// figure a report test expects can be worked out on paper.

#include "core/DbTools.h"

#include <QList>
#include <QTemporaryDir>
#include <QVariantMap>

namespace reportfixture {

// Both databases of one test, in their own temporary folder, open on the
// program's connections.
class ReportDatabases
{
public:
    ReportDatabases();
    ~ReportDatabases();
    ReportDatabases(const ReportDatabases &) = delete;
    ReportDatabases &operator=(const ReportDatabases &) = delete;

    static QString datasetTable(int volume, const QString &region, int year);
    void createDatasetTable(int volume, const QString &region, int year);
    // One industry row; columns left out are null.
    void addIndustryRow(int volume, const QString &region, int year, const QVariantMap &values);

    // Written and read through the test's own writer; a failing statement
    // throws its DatabaseError, which fails the test where it stands.
    static void insert(Connection &connection, const QString &table, const QVariantMap &values);
    static void exec(Connection &connection, const QString &sql);
    // Every row of a table as column-to-value maps, in rowid order.
    static QList<QVariantMap> rows(Connection &connection, const QString &table);
    // SQLite's type of the column's value in the table's first row.
    static QString sqlType(Connection &connection, const QString &table, const QString &column);

    Connection reference;
    Connection user;

private:
    QTemporaryDir m_dir;
};

} // namespace reportfixture
