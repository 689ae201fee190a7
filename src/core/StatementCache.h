#pragma once

#include <QString>
#include <QStringList>

struct sqlite3_stmt;

// Statements kept prepared per connection, by their SQL text, so that the
// statements the program runs again and again (a report preparation, the
// lookups of the search screen) are parsed once. SQLite prepares a kept
// statement again by itself when the schema it reads has changed. The cache
// owns the statements and finalizes them when they leave it.
namespace statementcache {

// A kept statement, with the names of its result columns as a query last
// read them, and SQLite's count of the statement's re-preparations then: the
// names are read again only after SQLite prepared the statement anew.
struct KeptStatement
{
    sqlite3_stmt *statement = nullptr;
    QStringList columnNames;
    int preparedAgain = -1;
};

// The kept statement for `sql` on the named connection, or nullptr.
KeptStatement *find(const QString &connectionName, const QString &sql);

// Keeps a prepared statement, taking it over, and returns it. Each
// connection keeps its most recent statements only, so that statements built
// around changing names cannot pile up. A kept statement lives until it is
// dropped or forgotten, or until the connection keeps too many.
KeptStatement *keep(const QString &connectionName, const QString &sql, sqlite3_stmt *statement);

// Drops one statement (after it failed) or every statement of a connection
// (before it closes, as a closing connection must have no statement left).
void drop(const QString &connectionName, const QString &sql);
void forget(const QString &connectionName);

// How many statements the connection keeps.
int size(const QString &connectionName);

// The most statements one connection keeps.
inline constexpr int kMaxStatements = 64;

} // namespace statementcache
