#pragma once

// Writes the suites' database files and reads them back, through Qt's SQL
// module directly: the program's database layer never creates a database,
// and a fixture must not depend on the code it tests. Every failing
// statement is printed with its error and leaves the writer not ok.

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class QSqlQuery;

namespace testsupport {

class DatabaseWriter
{
public:
    // Opens the SQLite file at `path` on a connection of its own, creating
    // the file when it is missing; the connection goes with the writer.
    explicit DatabaseWriter(const QString &path);
    // Works on a connection that is open already (one of the program's).
    explicit DatabaseWriter(const QSqlDatabase &database);
    ~DatabaseWriter();
    DatabaseWriter(const DatabaseWriter &) = delete;
    DatabaseWriter &operator=(const DatabaseWriter &) = delete;

    // Whether the file opened and every statement so far succeeded.
    bool isOk() const { return m_error.isEmpty(); }
    // The first failure: the statement and the database's message.
    QString error() const { return m_error; }

    // One transaction for many writes: a hundred small writes in autocommit
    // take seconds. commit() is true when the transaction and every
    // statement before it succeeded.
    bool beginTransaction();
    bool commit();

    // Runs one statement, `values` bound to its placeholders in order.
    bool exec(const QString &sql, const QVariantList &values = {});
    // Runs each statement in turn; stops at the first failure.
    bool execAll(const QStringList &statements);
    // "create table <table> (<columns>)", each column with its type.
    bool createTable(const QString &table, const QStringList &columns);
    // One row of the named columns; columns left out get their default.
    bool insert(const QString &table, const QVariantMap &values);
    // One row with a value for every column, in the table's column order.
    bool insertValues(const QString &table, const QVariantList &values);

    // The rows of a query as column-to-value maps.
    QList<QVariantMap> select(const QString &sql, const QVariantList &values = {});
    // Every row of a table, in rowid order.
    QList<QVariantMap> rows(const QString &table);
    // The first column of the query's first row; null when there is none.
    QVariant value(const QString &sql, const QVariantList &values = {});

private:
    bool run(QSqlQuery &query, const QString &sql, const QVariantList &values);
    bool fail(const QString &sql, const QString &message);

    QSqlDatabase m_database;
    QString m_ownConnection; // empty when the connection is borrowed
    QString m_error;
};

// Writes a new SQLite file from `statements`.
bool writeSqliteFile(const QString &path, const QStringList &statements);

} // namespace testsupport
