#pragma once

#include <QString>

// Writes the tables of a built database and their columns, one table a line
// ("Table<TAB>Column<TAB>Column..."), tables in name order. The program
// carries this list to check at start-up that a database file holds every
// table and column it reads or writes.
void writeSchemaManifest(const QString &databasePath, const QString &manifestPath);
