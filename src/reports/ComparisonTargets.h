#pragma once

#include "core/DbTools.h"
#include "reports/ComparisonReading.h"
#include "reports/IndustryYear.h"
#include "reports/RatioTargets.h"

#include <QString>
#include <array>
#include <vector>

// The comparison's "What it would take" section: for each ratio on which the
// firm stands below the industry median, the amount its input would need to
// bring it to the median, or why no amount can.

// One text per ratio from the comparison's title table, just filled in
// `language`: each ratio's column of Rpt_Comparison_Titles, or its fallback
// where the table lacks the column or a row. The columns are ones the table
// copies from its source as they are (not NAICS, nor the sample's note).
std::array<QString, kRatioCount>
comparisonTitleTexts(Connection &cnUser, const QString &language,
                     const std::array<QString, kRatioCount> &columns,
                     std::array<QString, kRatioCount> fallbacks);

// The ratios the section names, in the report's order: those below the
// median, and those without meaning where the industry gives a median.
std::vector<RatioTarget> comparisonTargets(const FirmStatement &statement,
                                           const RatioQuartiles &quartiles,
                                           const std::array<Standing, kRatioCount> &standings);

// Why a target has no figure, in the language; `itemName` names the input.
QString targetObstacleText(const RatioTarget &target, const FirmStatement &statement,
                           const QString &itemName, ReportLanguage language);

// Refills Rpt_Comparison_Targets (the figures), Rpt_Comparison_TargetRows
// (the section as shown) and Rpt_Comparison_TargetText (its headings) inside
// the caller's transaction, once the added user tables exist. `names` are
// the ratios' titles in the report's language.
void writeComparisonTargets(Connection &cnUser, const FirmStatement &statement,
                            const RatioQuartiles &quartiles,
                            const std::array<Standing, kRatioCount> &standings,
                            const std::array<QString, kRatioCount> &names, const QString &language);
