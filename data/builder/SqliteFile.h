#pragma once

#include "TsvTable.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

struct sqlite3;

// A database file being written by the builder. All writes go into one
// transaction; the file only appears under its final name once it is complete.
class SqliteFile
{
public:
    SqliteFile(const SqliteFile &) = delete;
    SqliteFile &operator=(const SqliteFile &) = delete;

    // Runs one statement without parameters.
    void exec(const QString &sql);
    // CREATE TABLE with the columns in their order; key columns form the
    // primary key.
    void createTable(const QString &table, const QList<ColumnSpec> &columns);
    // Inserts the rows, each holding one value per column, in their order.
    void insertRows(const QString &table, const QList<ColumnSpec> &columns,
                    const QList<QVariantList> &rows);
    // A table read from a source file, created and filled as it is.
    void writeTable(const TsvTable &table);

    // Builds the database at `path`: `fill` writes into a fresh temporary
    // file, which then replaces `path` in one rename. On any error the
    // temporary file is removed and `path` is left untouched.
    static void build(const QString &path, const std::function<void(SqliteFile &)> &fill);

private:
    explicit SqliteFile(sqlite3 *db) : m_db(db) {}
    [[noreturn]] void fail(const QString &what) const;

    sqlite3 *m_db;
};

// Quotes an SQL identifier ("name").
QString quoteIdentifier(const QString &name);
