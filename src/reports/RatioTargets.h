#pragma once

#include "reports/ComparisonFigures.h"

#include <optional>
#include <vector>

// What it would take for the firm to stand at the industry median on a ratio:
// the amount that one input of the ratio's formula would need. The input is
// the one a manager acts on: the profit line of a margin or return, the
// asset or liability a turnover or cover is taken over. The statement keeps
// its own arithmetic: the lines that follow from the input move with it (a
// lower interest expense raises pretax and after-tax profit; a higher revenue
// raises sales and the profits at the margins as entered), the balance sheet
// still balances, and each lever names what it holds fixed.

// The statement item a ratio's target moves: its member and its MyValues column.
struct TargetInput
{
    double FirmStatement::*amount;
    const char *column;
};
// The ratio's first lever.
TargetInput targetInput(RatioId id);
// Every lever of the ratio: two for the current ratio (raise current assets,
// or cut current liabilities), one for the others.
std::vector<TargetInput> targetInputs(RatioId id);

// Why no amount can bring a ratio to the median.
enum class TargetObstacle {
    None,
    NotMeaningful,         // the ratio's denominator is zero or negative
    Negative,              // the amount would have to be below zero
    ZeroOrNegative,        // a divisor would have to be zero or below
    NoAmount,              // the ratio cannot equal the median whatever the amount
    NoProfitBeforeInterest // interest coverage with a loss before interest
};

struct RatioTarget
{
    RatioId id;
    TargetInput input{};
    double amountNow = 0;
    std::optional<double> amountNeeded; // empty when there is an obstacle
    TargetObstacle obstacle = TargetObstacle::None;
    // NoProfitBeforeInterest: the profit before interest (pretax profit plus
    // interest) that the median needs at the interest as entered.
    std::optional<double> profitNeeded;
    // With an amount needed: the whole statement at the target, the input
    // replaced and the lines that follow from it moved.
    FirmStatement moved;
};

// The targets of a ratio, one per lever, for the ratio, as computeFirmRatios()
// gives it, to equal `median` (in the ratio's own unit: percent for the
// first nine).
std::vector<RatioTarget> ratioTargets(const FirmStatement &statement, RatioId id, double median);

// Whether a ratio reads as a percentage (the first nine).
bool isPercentRatio(RatioId id);
