#pragma once

#include "core/DbTools.h"
#include "core/RecordSet.h"
#include "reports/ComparisonRatios.h"

#include <QStringList>

#include <array>
#include <optional>

// The industry's row of one reference year, as the extraction left it in the
// year work tables.

using RatioQuartiles = std::array<Quartiles, kRatioColumns.size()>;

// Where the columns asked of industryYearRow() start in its row.
inline constexpr int kFirstYearRowColumn = 1;

// The work table of a reference year, or an empty name for any other year.
QString yearWorkTable(int year);

// The year's row: NumberOfFirms, then `columns` from kFirstYearRowColumn on;
// nothing when the year is not a reference year or the dataset has no data
// for it.
std::optional<RecordSet> industryYearRow(Connection &cnUser, int year, const QStringList &columns);

// The quartile columns of the fifteen ratios, first, median and third of each.
const QStringList &ratioQuartileColumns();

// The quartiles of each ratio of a year row read with ratioQuartileColumns()
// first among its columns.
RatioQuartiles ratioQuartiles(const RecordSet &yearRow);
