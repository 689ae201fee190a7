#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

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
    quint64 lastUse = 0; // on the connection's clock of uses
};

// The kept statement for `sql` on the named connection, or nullptr.
KeptStatement *find(const QString &connectionName, const QString &sql);

// Keeps a prepared statement, taking it over, and returns it. Each
// connection keeps the statements it used most recently, so that statements
// built around changing names cannot pile up, while those run again and
// again (a report's) stay however many others pass by. A kept statement
// lives until it is dropped or forgotten, or until it is the least recently
// used of too many.
KeptStatement *keep(const QString &connectionName, const QString &sql, sqlite3_stmt *statement);

// Drops one statement (after it failed) or every statement of a connection
// (before it closes, as a closing connection must have no statement left).
void drop(const QString &connectionName, const QString &sql);
void forget(const QString &connectionName);

// How many statements the connection keeps.
int size(const QString &connectionName);

// The most statements one connection keeps: the three report preparations
// alone run some fifty on the user database, beside the other screens'.
inline constexpr int kMaxStatements = 128;

} // namespace statementcache
