#pragma once

#include "core/DbTools.h"
#include "firm/SavedStatement.h"
#include "reports/ComparisonFigures.h"
#include "reports/ComparisonRatios.h"
#include "reports/IndustryYear.h"

#include <QString>
#include <QVector>
#include <array>
#include <optional>
#include <vector>

// The trend section of the comparison: the firm's fifteen ratios in each
// reference year it has a statement for, beside the industry's quartiles of
// the same years. It needs two years at least; a year whose ratio has no
// meaning, or whose industry has no data, is a gap, never a zero.

inline constexpr int kTrendYearSlots = 3;

// One year of the firm: its statement and its industry's quartiles, one per
// ratio of kRatioColumns (all empty when the industry has no data that year).
struct TrendYear
{
    int year = 0;
    FirmStatement statement;
    RatioQuartiles industry{};
};

// One ratio over the firm's years.
struct TrendPoint
{
    std::optional<double> firm;
    Quartiles industry;
};

struct TrendSeries
{
    const RatioColumns *ratio = nullptr;
    std::vector<int> years;
    std::vector<TrendPoint> points; // one per year
};

// The firm's ratio when it has a meaning: its denominator (revenue, sales,
// assets, equity, ...) must be above zero. A zero numerator is meaningful.
std::optional<double> meaningfulRatio(const RatioColumns &ratio, const FirmStatement &statement);

// The fifteen series in the order of kRatioColumns, over `years` sorted by year.
std::vector<TrendSeries> trendSeries(std::vector<TrendYear> years);

// The chart of one series as the report's image name ("chart:trend;..."):
// years, the firm's values and the industry's quartiles, gaps left empty.
QString trendChartSpec(const TrendSeries &series);

// Refills Rpt_Comparison_Trend for the firm compared now: its statement on
// screen for `year` beside `currentIndustry`, its saved statements of the other
// reference years (`saved`: the firm's statements as the store gives them), the
// industry's quartiles from the year work tables. Leaves the table empty when
// the firm has fewer than two years. Runs inside the caller's transaction, once
// the added user tables exist.
void writeComparisonTrend(Connection &cnUser, const QVector<SavedStatement> &saved, int year,
                          const FirmStatement &current, const RatioQuartiles &currentIndustry,
                          const QString &language);
