#pragma once

#include "firm/FirmStatement.h"

#include <array>
#include <optional>

// The comparison report's arithmetic over plain values: the firm's
// percentages of total assets, its fifteen ratios, their quartile positions
// and the balance-sheet variances. An industry figure the dataset leaves
// empty is an empty optional, and so is every figure derived from it.

// The firm's ratios: the first nine are percentages, the last six plain ratios.
struct FirmRatios
{
    double NPM = 0;
    double PPM = 0;
    double OPM = 0;
    double GPM = 0;
    double ORTNOA = 0;
    double RONOA = 0;
    double PPTA = 0;
    double ROCE = 0;
    double ROE = 0;
    double RT = 0;
    double IT = 0;
    double WC = 0;
    double DE = 0;
    double LTA = 0;
    double IC = 0;
};

// Ta - Invest - Ptfl - AccountsPayable.
double netOperatingAssets(const FirmStatement &s);
// Mtg + Banks + Bonds + Ol + Paper + AmtsAffil.
double borrowedFunds(const FirmStatement &s);
// Banks + Equity1 + Mtg + Bonds + Ol + Paper + AmtsAffil.
double capitalEmployed(const FirmStatement &s);

// item / totalAssets * 100; the firm screen never hands over a zero total.
double percentOfTotalAssets(double item, double totalAssets);

FirmRatios computeFirmRatios(const FirmStatement &s);

// The fifteen ratios, in the order of FirmRatios and of kRatioColumns.
enum class RatioId { NPM, PPM, OPM, GPM, ORTNOA, RONOA, PPTA, ROCE, ROE, RT, IT, WC, DE, LTA, IC };
inline constexpr int kRatioCount = 15;

// The figure a ratio divides by. A ratio whose denominator is zero or
// negative has no meaning: its formula gives 0 or turns its sign, and a
// position drawn from that number would mislead.
enum class Denominator {
    OperatingRevenue,
    Sales,
    NetOperatingAssets,
    TotalAssets,
    CapitalEmployed,
    Equity,
    Receivables,
    Inventory,
    CurrentLiabilities,
    InterestExpense
};
inline constexpr int kDenominatorCount = 10;

Denominator denominatorOf(RatioId id);
double denominatorValue(const FirmStatement &s, Denominator denominator);
// The amounts a ratio divides, added: (interest expense, profit after tax)
// for return on capital employed, (sales, -gross profit) for inventory
// turnover; one amount for most ratios.
struct NumeratorTerms
{
    std::array<double, 2> terms{};
    int count = 1;
};
NumeratorTerms numeratorTerms(const FirmStatement &s, RatioId id);
// A zero numerator (no profit) still means something: only the denominator counts.
bool isMeaningful(const FirmStatement &s, RatioId id);

// Which way a ratio improves: the indebtedness ratios (debt to equity,
// liabilities to assets) are better when lower.
enum class RatioScale { HigherIsBetter, LowerIsBetter };

struct Quartiles
{
    std::optional<double> q1;
    std::optional<double> q2;
    std::optional<double> q3;
};

struct QuartilePosition
{
    std::optional<double> better;
    std::optional<double> worse;
};

// Both positions of a firm's ratio; empty when any of the three quartiles is
// missing from the dataset, since a position needs the whole scale.
QuartilePosition quartilePosition(RatioScale scale, const Quartiles &quartiles, double ratio);

// The firm's estimated standing among its industry's firms, from 0 (weakest)
// to 100 (strongest): a straight line through (Q1, 25), (median, 50) and
// (Q3, 75), carried on beyond them with the slope of the nearest part and
// kept within 0 to 100. The quartiles are stored weakest first whichever way
// the ratio improves, so the one rule serves both. Empty when a quartile is
// missing, or when the quartiles are not in order or all equal, since no
// line can then be drawn.
std::optional<double> estimatedStanding(const Quartiles &quartiles, double ratio);

// The firm's percentage minus the industry's; empty without the industry's.
std::optional<double> balanceSheetVariance(double firmPercent,
                                           std::optional<double> industryPercent);
