#pragma once

// Firm statements for the suites that save, compare and export them.

#include "core/DbTools.h"
#include "firm/SavedStatement.h"
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

// The statement saved under `naics` and the data set of `volume` and
// `region` (none when 0); no industry without a code.
SavedStatement firmRecord(const QString &firmName, int year, const QString &naics,
                          const FirmStatement &statement, int volume = 0,
                          const QString &region = QString());

// The `n`th of many clients' statements, for measurements: three years a
// firm ("Client 00000 Ltd", …), 2004 to 2006, amounts that vary with `n`,
// saved under NAICS 236110, volume 3, Ontario.
SavedStatement numberedStatement(int n);

// A statement's amounts that are not zero, "Cash=12500 Ar=8000 …", in the
// items' order, whole dollars.
QString nonZeroAmounts(const FirmStatement &statement);

// Saves the statement in the user database through its statement store,
// over whatever is stored under its key.
void saveStatement(Connection &user, const SavedStatement &statement);

// The firm's saved statements in the user database, as the comparison's trend reads them.
QVector<SavedStatement> firmYears(Connection &user, const QString &firmName);

// What the firm screen hands to the comparison preparation for the
// statement: its identity, then the 33 amounts as typed, with two decimals.
QStringList comparisonValues(const QString &firmName, int year, const QString &naics,
                             const QString &industryName, const FirmStatement &statement);

} // namespace testsupport
