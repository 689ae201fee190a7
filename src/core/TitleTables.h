#pragma once

#include "core/DbTools.h"

#include <QString>
#include <QStringList>

// The report title tables of the user database are the program's own data,
// not the user's: a new heading adds a column to them. A user who keeps an
// older myData.mdb gets them refreshed from the sources built into the
// program (data/user/*_Titles_Source.tsv), with the work table each one
// fills; the saved statements are not touched.

// The title source tables and the work tables they fill.
QStringList titleTables();

// The rows of a table source (comment lines and the header line skipped),
// each split into its cells with "\t", "\n" and "\\" read back.
QList<QStringList> fncSourceRows(const QString &sourceText);

// Rebuilds every title source table whose columns differ from its source,
// and its work table, in one transaction; tables already up to date are
// left as they are.
void subRefreshTitleTables(Connection &connection);
