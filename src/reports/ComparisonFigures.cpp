#include "reports/ComparisonFigures.h"

#include "reports/QuartileRules.h"

#include <algorithm>
#include <string_view>

double netOperatingAssets(const FirmStatement &s)
{
    return s.Ta - s.Invest - s.Ptfl - s.AccountsPayable;
}

double borrowedFunds(const FirmStatement &s)
{
    return s.Mtg + s.Banks + s.Bonds + s.Ol + s.Paper + s.AmtsAffil;
}

double capitalEmployed(const FirmStatement &s)
{
    return s.Banks + s.Equity1 + s.Mtg + s.Bonds + s.Ol + s.Paper + s.AmtsAffil;
}

double percentOfTotalAssets(double item, double totalAssets)
{
    return item / totalAssets * 100;
}

FirmRatios computeFirmRatios(const FirmStatement &s)
{
    const double noa = netOperatingAssets(s);
    FirmRatios r;
    r.NPM = fncCalcRatio(s.ProfitAfterTax, s.OperatingRevenue) * 100;
    r.PPM = fncCalcRatio(s.PretaxProfit, s.OperatingRevenue) * 100;
    r.OPM = fncCalcRatio(s.OperatingProfit, s.OperatingRevenue) * 100;
    r.GPM = fncCalcRatio(s.GrossProfit, s.Sales) * 100;
    r.ORTNOA = fncCalcRatio(s.OperatingRevenue, noa) * 100;
    r.RONOA = fncCalcRatio(s.OperatingProfit, noa) * 100;
    r.PPTA = fncCalcRatio(s.PretaxProfit, s.Ta) * 100;
    r.ROCE = fncCalcRatio(s.InterestExpense + s.ProfitAfterTax, capitalEmployed(s)) * 100;
    // A negative equity would turn the sign of these two: they read 0 instead.
    r.ROE = s.Equity1 >= 0 ? fncCalcRatio(s.ProfitAfterTax, s.Equity1) * 100 : 0;
    r.DE = s.Equity1 >= 0 ? fncCalcRatio(borrowedFunds(s), s.Equity1) : 0;
    r.RT = fncCalcRatio(s.OperatingRevenue, s.Ar);
    r.IT = fncCalcRatio(s.Sales - s.GrossProfit, s.Inv);
    r.WC = fncCalcRatio(s.CurrentAssets, s.CurrentLiabilities);
    r.LTA = fncCalcRatio(s.Tliab, s.Ta);
    r.IC = fncCalcRatio(s.InterestExpense + s.PretaxProfit, s.InterestExpense);
    return r;
}

Denominator denominatorOf(RatioId id)
{
    switch (id) {
    case RatioId::NPM:
    case RatioId::PPM:
    case RatioId::OPM:
        return Denominator::OperatingRevenue;
    case RatioId::GPM:
        return Denominator::Sales;
    case RatioId::ORTNOA:
    case RatioId::RONOA:
        return Denominator::NetOperatingAssets;
    case RatioId::PPTA:
    case RatioId::LTA:
        return Denominator::TotalAssets;
    case RatioId::ROCE:
        return Denominator::CapitalEmployed;
    case RatioId::ROE:
    case RatioId::DE:
        return Denominator::Equity;
    case RatioId::RT:
        return Denominator::Receivables;
    case RatioId::IT:
        return Denominator::Inventory;
    case RatioId::WC:
        return Denominator::CurrentLiabilities;
    case RatioId::IC:
        return Denominator::InterestExpense;
    }
    return Denominator::TotalAssets;
}

double denominatorValue(const FirmStatement &s, Denominator denominator)
{
    switch (denominator) {
    case Denominator::OperatingRevenue:
        return s.OperatingRevenue;
    case Denominator::Sales:
        return s.Sales;
    case Denominator::NetOperatingAssets:
        return netOperatingAssets(s);
    case Denominator::TotalAssets:
        return s.Ta;
    case Denominator::CapitalEmployed:
        return capitalEmployed(s);
    case Denominator::Equity:
        return s.Equity1;
    case Denominator::Receivables:
        return s.Ar;
    case Denominator::Inventory:
        return s.Inv;
    case Denominator::CurrentLiabilities:
        return s.CurrentLiabilities;
    case Denominator::InterestExpense:
        return s.InterestExpense;
    }
    return 0;
}

NumeratorTerms numeratorTerms(const FirmStatement &s, RatioId id)
{
    switch (id) {
    case RatioId::NPM:
    case RatioId::ROE:
        return {{s.ProfitAfterTax, 0}, 1};
    case RatioId::PPM:
    case RatioId::PPTA:
        return {{s.PretaxProfit, 0}, 1};
    case RatioId::OPM:
    case RatioId::RONOA:
        return {{s.OperatingProfit, 0}, 1};
    case RatioId::GPM:
        return {{s.GrossProfit, 0}, 1};
    case RatioId::ORTNOA:
    case RatioId::RT:
        return {{s.OperatingRevenue, 0}, 1};
    case RatioId::ROCE:
        return {{s.InterestExpense, s.ProfitAfterTax}, 2};
    case RatioId::IT:
        return {{s.Sales, -s.GrossProfit}, 2};
    case RatioId::WC:
        return {{s.CurrentAssets, 0}, 1};
    case RatioId::DE:
        return {{borrowedFunds(s), 0}, 1};
    case RatioId::LTA:
        return {{s.Tliab, 0}, 1};
    case RatioId::IC:
        return {{s.InterestExpense, s.PretaxProfit}, 2};
    }
    return {};
}

bool isMeaningful(const FirmStatement &s, RatioId id)
{
    return denominatorValue(s, denominatorOf(id)) > 0;
}

QuartilePosition quartilePosition(RatioScale scale, const Quartiles &quartiles, double ratio)
{
    if (!quartiles.q1 || !quartiles.q2 || !quartiles.q3)
        return {};
    const double q1 = *quartiles.q1;
    const double q2 = *quartiles.q2;
    const double q3 = *quartiles.q3;
    if (scale == RatioScale::LowerIsBetter)
        return {fncExceptionCalcBetter(q1, q2, q3, ratio),
                fncExceptionCalcWorse(q1, q2, q3, ratio)};
    return {fncCalcBetter(q1, q2, q3, ratio), fncCalcWorse(q1, q2, q3, ratio)};
}

std::optional<double> estimatedStanding(const Quartiles &quartiles, double ratio)
{
    if (!quartiles.q1 || !quartiles.q2 || !quartiles.q3)
        return std::nullopt;
    // Turned so that the weakest quartile comes first on a rising line.
    const double sign = *quartiles.q3 > *quartiles.q1 ? 1.0 : -1.0;
    const std::array<double, 3> x = {sign * *quartiles.q1, sign * *quartiles.q2,
                                     sign * *quartiles.q3};
    const std::array<double, 3> y = {25.0, 50.0, 75.0};
    if (!(x[0] <= x[1] && x[1] <= x[2] && x[0] < x[2]))
        return std::nullopt;
    const double m = sign * ratio;
    // 25 points of standing per quarter; a quarter of no width lends the other's slope.
    const auto slope = [&](int part, int other) {
        const double width =
            x[part + 1] - x[part] > 0 ? x[part + 1] - x[part] : x[other + 1] - x[other];
        return 25.0 / width;
    };
    if (m < x[0])
        return std::max(0.0, 25.0 - (x[0] - m) * slope(0, 1));
    if (m > x[2])
        return std::min(100.0, 75.0 + (m - x[2]) * slope(1, 0));
    // On a quartile shared by two points: halfway between their standings.
    double low = 100, high = 0;
    for (int i = 0; i < 3; ++i)
        if (x[i] == m) {
            low = std::min(low, y[i]);
            high = std::max(high, y[i]);
        }
    if (low <= high)
        return (low + high) / 2;
    const int part = m < x[1] ? 0 : 1;
    return y[part] + (m - x[part]) * slope(part, 1 - part);
}

std::optional<double> balanceSheetVariance(double firmPercent,
                                           std::optional<double> industryPercent)
{
    if (!industryPercent)
        return std::nullopt;
    return firmPercent - *industryPercent;
}
