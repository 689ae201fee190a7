#pragma once

#include "reports/ComparisonFigures.h"

#include <array>

// The comparison's fifteen ratios: the firm row's column, the year row's
// quartile columns, the position columns, which way the ratio improves, and
// whether it reads as a percentage. `key` names the ratio in the work tables
// that hold one column per ratio and year.
struct RatioColumns
{
    const char *key;
    const char *column;
    double FirmRatios::*value;
    const char *q1;
    const char *q2;
    const char *q3;
    const char *better;
    const char *worse;
    RatioScale scale;
    bool percent;
};

namespace comparisonratios {
inline constexpr auto kHigher = RatioScale::HigherIsBetter;
inline constexpr auto kLower = RatioScale::LowerIsBetter;
} // namespace comparisonratios

inline constexpr std::array<RatioColumns, 15> kRatioColumns = {{
    {"NPM", "MyNPM", &FirmRatios::NPM, "NPMQ1", "npmq2", "NPMQ3", "BetterNPM", "WorseNPM",
     comparisonratios::kHigher, true},
    {"PPM", "MyPPM", &FirmRatios::PPM, "PPMQ1", "ppmq2", "PPMQ3", "BetterPPM", "WorsePPM",
     comparisonratios::kHigher, true},
    {"OPM", "MyOPM", &FirmRatios::OPM, "OPMQ1", "opmq2", "OPMQ3", "BetterOPM", "WorseOPM",
     comparisonratios::kHigher, true},
    {"GPM", "MyGPM", &FirmRatios::GPM, "GPMQ1", "gpmq2", "GPMQ3", "BetterGPM", "WorseGPM",
     comparisonratios::kHigher, true},
    {"ORTNOA", "MyORTNOA", &FirmRatios::ORTNOA, "ORTTNOAQ1", "orttnoaq2", "ORTTNOAQ3",
     "BetterORTNOA", "WorseORTNOA", comparisonratios::kHigher, true},
    {"RONOA", "MyRONOA", &FirmRatios::RONOA, "RNOAQ1", "rnoaq2", "RNOAQ3", "BetterRONOA",
     "WorseRONOA", comparisonratios::kHigher, true},
    {"PPTA", "MyPPTA", &FirmRatios::PPTA, "ppaq1", "ppaq2", "ppaq3", "BetterPPA", "WorsePPA",
     comparisonratios::kHigher, true},
    {"ROCE", "MyROCE", &FirmRatios::ROCE, "RCEQ1", "rceq2", "RCEQ3", "BetterRCE", "WorseRCE",
     comparisonratios::kHigher, true},
    {"ROE", "MyROE", &FirmRatios::ROE, "REQ1", "req2", "REQ3", "BetterRE", "WorseRE",
     comparisonratios::kHigher, true},
    {"RT", "MyRT", &FirmRatios::RT, "RTQ1", "rtq2", "RTQ3", "BetterRT", "WorseRT",
     comparisonratios::kHigher, false},
    {"IT", "MyIT", &FirmRatios::IT, "ITQ1", "itq2", "ITQ3", "BetterIT", "WorseIT",
     comparisonratios::kHigher, false},
    {"WC", "MyWC", &FirmRatios::WC, "WCQ1", "wcq2", "WCQ3", "BetterWC", "WorseWC",
     comparisonratios::kHigher, false},
    {"DE", "MyDE", &FirmRatios::DE, "DEQ1", "deq2", "DEQ3", "BetterDE", "WorseDE",
     comparisonratios::kLower, false},
    {"LTA", "MyLTA", &FirmRatios::LTA, "LTAQ1", "ltaq2", "LTAQ3", "BetterLTA", "WorseLTA",
     comparisonratios::kLower, false},
    {"IC", "MyIC", &FirmRatios::IC, "ICQ1", "icq2", "ICQ3", "BetterIC", "WorseIC",
     comparisonratios::kHigher, false},
}};
