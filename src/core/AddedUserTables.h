#pragma once

#include "core/DatabaseCheck.h"
#include "core/DbTools.h"

#include <QString>
#include <QStringList>

// Tables of the user database that came after its first release. A user
// keeps an older myData.mdb, so the program creates these tables in it when
// they are missing, from the same sources (data/user/*.tsv) the shipped
// database is built from.

// The names of the added tables.
QStringList addedUserTables();

// The CREATE TABLE statement of a table source's header ("Name:TYPE:KEY"
// cells, comment lines first); empty when the text holds no header.
QString fncCreateStatementFromSource(const QString &table, const QString &sourceText);

// The statements that add to a table the columns of its source that
// `existing` lacks (any letter case), in the source's order.
QStringList fncAddColumnStatementsFromSource(const QString &table, const QString &sourceText,
                                             const QStringList &existing);

// Whether the database holds a table of this name (any letter case).
bool fncTableExists(Connection &connection, const QString &table);

// Creates each added table the database does not hold yet and adds the
// columns a later release gave to those it holds; their rows are kept.
void subEnsureAddedUserTables(Connection &connection);

// The tables and columns a user database must hold to be used: those of the
// first release, less the tables the program makes itself (the added tables
// and the title tables).
DatabaseSchema requiredUserSchema();

// The user database's version this release writes, kept in the file's
// user_version: a file of a higher one comes from a newer release, whose
// tables this one may not keep whole.
// 3: statements carry comments (StatementComment), which an older release
// would not delete or copy with them.
inline constexpr int kUserDatabaseVersion = 3;

// Brings an opened user database up to this release: the added tables and
// columns it lacks, title tables refreshed from the reference data, and its
// version (never lowered).
void subCompleteUserDatabase(Connection &connection);
