#pragma once

#include "reports/ComparisonFigures.h"

#include <optional>

// What it would take for the firm to stand at the industry median on a ratio:
// the amount that one input of the ratio's formula would need, every other
// amount held as entered. The input is the one a manager acts on: the profit
// line of a margin or return, the asset or liability a turnover or cover is
// taken over.

// The statement item a ratio's target moves: its member and its MyValues column.
struct TargetInput
{
    double FirmStatement::*amount;
    const char *column;
};
TargetInput targetInput(RatioId id);

// Why no amount can bring a ratio to the median.
enum class TargetObstacle {
    None,
    NotMeaningful,  // the ratio's denominator is zero or negative
    Negative,       // the amount would have to be below zero
    ZeroOrNegative, // a divisor would have to be zero or below
    NoAmount        // the ratio cannot equal the median whatever the amount
};

struct RatioTarget
{
    RatioId id;
    double amountNow = 0;
    std::optional<double> amountNeeded; // empty when there is an obstacle
    TargetObstacle obstacle = TargetObstacle::None;
};

// The amount the ratio's input needs for the ratio, as computeFirmRatios()
// gives it, to equal `median` (in the ratio's own unit: percent for the
// first nine).
RatioTarget ratioTarget(const FirmStatement &statement, RatioId id, double median);

// Whether a ratio reads as a percentage (the first nine).
bool isPercentRatio(RatioId id);
