#pragma once

#include <QStringList>

class SqliteFile;

// Writes the user database: one table per source file (a header-only source
// gives an empty table), an empty twin without the suffix for every
// "..._Source" table (the report titles table filled from it), and the three
// year work tables with the benchmark dataset's columns.
void buildUserDatabase(SqliteFile &file, const QStringList &sourceFiles);
