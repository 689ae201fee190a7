#pragma once

#include "core/DbTools.h"
#include "core/Language.h"

#include <QString>
#include <QVariant>

// The user database's list of saved statements, and the read of one of them.
// Private to the SQLite statement store.

// The list query in the language; the French one only renames the columns, so
// that the grid's headings read "Nom" and "Année".
QString fncFirmListQuery(Language language);

// Every stored firm name and year: names in alphabetical order, letter case
// and accents aside (the database alone would put "abc" after "Zed" and
// "École" after "Zoo"), each name's years ascending across its spellings.
RecordSet fncReadFirmList(Connection &connection, Language language);

// Every column of the statement stored under this firm name (blanks and
// quotes included, letter case aside) and year, the exact spelling first;
// no row when there is none.
RecordSet fncReadFirmStatement(Connection &connection, const QString &firmName,
                               const QVariant &year);
