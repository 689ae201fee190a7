#pragma once

#include "reports/ComparisonFigures.h"

#include <array>
#include <optional>

// Readings in days that accountants take beside the turnovers: days sales
// outstanding, days inventory and days payables. They are derived, not part
// of the dataset: the firm's from its statement, the industry's as 365 ÷ each
// quartile of the matching turnover. The quartiles stay weakest first, as the
// dataset keeps them; since fewer days is better, their values run the other
// way from the turnovers' (the first quartile is the most days).

inline constexpr double kDaysInYear = 365;

enum class DaysId { SalesOutstanding, Inventory, Payables };
inline constexpr int kDaysCount = 3;

// The short name the report's tables and texts use ("DSO", "DIO", "DPO").
const char *daysKey(DaysId id);

// The turnover a reading in days is derived from; none for days payables,
// for which the dataset gives no turnover.
std::optional<RatioId> daysTurnover(DaysId id);

// 365 ÷ a turnover; empty for a turnover of zero or below.
std::optional<double> daysOf(std::optional<double> turnover);

// The industry's quartiles in days from a turnover's: each 365 ÷ the same
// quartile; empty where the turnover's quartile is missing or not positive.
Quartiles daysQuartiles(const Quartiles &turnover);

// The firm's reading, from its statement: receivables ÷ operating revenue,
// inventory or accounts payable ÷ cost of goods sold (sales less gross
// profit), × 365. Empty when the divisor is zero or negative, or the
// balance is negative.
std::optional<double> firmDays(const FirmStatement &s, DaysId id);

// (Cash + receivables) ÷ current liabilities; empty without current liabilities.
std::optional<double> quickRatio(const FirmStatement &s);

struct DaysReading
{
    DaysId id;
    std::optional<double> firm;
    Quartiles industry;
    QuartilePosition position;   // empty without the firm's figure or the quartiles
    std::optional<double> place; // the firm's estimated standing, 0 to 100
};

// The three readings, with the industry's quartiles drawn from `turnovers`
// (the quartiles of the fifteen ratios in RatioId order). The standing is
// the turnover's at the same point, so days and turnover never disagree.
std::array<DaysReading, kDaysCount>
daysReadings(const FirmStatement &s, const std::array<Quartiles, kRatioCount> &turnovers);
