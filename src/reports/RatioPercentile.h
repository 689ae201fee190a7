#pragma once

#include "reports/ComparisonFigures.h"
#include "reports/ReportNumberFormat.h"

#include <QString>
#include <optional>

// The firm's estimated percentile on a ratio, as the comparison prints it:
// its estimated standing (estimatedStanding()) rounded to a whole percentile
// from 1 to 99, since a sample of firms has no 0th or 100th.
std::optional<int> estimatedPercentile(const Quartiles &quartiles, double ratio);
// The same rounding of an estimated standing (0 to 100).
std::optional<int> percentileOf(std::optional<double> standing);

// "42nd" / "42e"; "—" without a percentile.
QString percentileText(std::optional<int> percentile, ReportLanguage language);
