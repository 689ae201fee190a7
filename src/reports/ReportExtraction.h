#pragma once

#include "core/DbTools.h"

#include <QString>

// The copy of an industry's three year rows into the year work tables,
// without a transaction of its own, for the preparations that run it inside
// theirs. The reference database must be attached to the user connection
// (attachReference, before the transaction). subExtractReportData
// (ReportPreparation.h) is the same in one transaction.
// The work table that holds `year`'s row once the rows of `reportYear` and
// the two years before it are extracted; empty for any other year.
QString workTableOfYear(int reportYear, int year);

void extractIndustryRows(Connection &cnReference, Connection &cnUser, qint16 volume,
                         const QString &region, qint16 year, const QString &naics,
                         const QString &language);
