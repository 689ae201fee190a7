#pragma once

// Firm statements for the suites that save, compare and export them.

#include "firm/FirmRecordStore.h"
#include "reports/ComparisonFigures.h"

#include <QString>
#include <QStringList>

namespace testsupport {

// A firm whose every ratio has a meaning: revenue, sales, equity,
// receivables, inventory, current liabilities and interest are all positive,
// and the totals add up. `growth` scales the cash, receivables, inventory and
// the year's revenue and profits, so that the years of one firm differ while
// its margins (net profit 6% of revenue) stay the same.
FirmStatement healthyStatement(double growth = 1);

// The statement as MyValues holds it, saved under `naics` and the data set of
// `volume` and `region` (none when 0).
FirmRecord firmRecord(const QString &firmName, int year, const QString &naics,
                      const FirmStatement &statement, int volume = 0,
                      const QString &region = QString());

// What the firm screen hands to the comparison preparation for the
// statement: its identity, then the 33 amounts as typed, with two decimals.
QStringList comparisonValues(const QString &firmName, int year, const QString &naics,
                             const QString &industryName, const FirmStatement &statement);

} // namespace testsupport
