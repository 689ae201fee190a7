#pragma once

#include "core/Language.h"
#include "firm/SavedStatement.h"

#include <QVector>

// Sorts the list as the user reads it: firm names in the language's
// alphabetical order, letter case and accents aside, then years ascending.
void sortStatementEntries(QVector<StatementEntry> &entries, Language language);
