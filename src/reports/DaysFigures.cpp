#include "reports/DaysFigures.h"

#include <limits>

const char *daysKey(DaysId id)
{
    switch (id) {
    case DaysId::SalesOutstanding:
        return "DSO";
    case DaysId::Inventory:
        return "DIO";
    case DaysId::Payables:
        return "DPO";
    }
    return "";
}

std::optional<RatioId> daysTurnover(DaysId id)
{
    switch (id) {
    case DaysId::SalesOutstanding:
        return RatioId::RT;
    case DaysId::Inventory:
        return RatioId::IT;
    case DaysId::Payables:
        break;
    }
    return std::nullopt;
}

std::optional<double> daysOf(std::optional<double> turnover)
{
    if (!turnover || *turnover <= 0)
        return std::nullopt;
    return kDaysInYear / *turnover;
}

Quartiles daysQuartiles(const Quartiles &turnover)
{
    return {daysOf(turnover.q1), daysOf(turnover.q2), daysOf(turnover.q3)};
}

std::optional<double> firmDays(const FirmStatement &s, DaysId id)
{
    const double costOfSales = s.Sales - s.GrossProfit;
    double balance = 0;
    double flow = 0;
    switch (id) {
    case DaysId::SalesOutstanding:
        balance = s.Ar;
        flow = s.OperatingRevenue;
        break;
    case DaysId::Inventory:
        balance = s.Inv;
        flow = costOfSales;
        break;
    case DaysId::Payables:
        balance = s.AccountsPayable;
        flow = costOfSales;
        break;
    }
    if (flow <= 0 || balance < 0)
        return std::nullopt;
    return balance / flow * kDaysInYear;
}

std::optional<double> quickRatio(const FirmStatement &s)
{
    if (s.CurrentLiabilities <= 0)
        return std::nullopt;
    return (s.Cash + s.Ar) / s.CurrentLiabilities;
}

std::array<DaysReading, kDaysCount>
daysReadings(const FirmStatement &s, const std::array<Quartiles, kRatioCount> &turnovers)
{
    std::array<DaysReading, kDaysCount> readings{};
    for (int i = 0; i < kDaysCount; ++i) {
        DaysReading &r = readings[i];
        r.id = DaysId(i);
        r.firm = firmDays(s, r.id);
        const std::optional<RatioId> turnover = daysTurnover(r.id);
        if (!turnover)
            continue;
        const Quartiles &t = turnovers[int(*turnover)];
        r.industry = daysQuartiles(t);
        if (!r.firm)
            continue;
        r.position = quartilePosition(RatioScale::LowerIsBetter, r.industry, *r.firm);
        if (!r.position.better)
            continue;
        // Zero days is an endless turnover: above every quartile.
        const double asTurnover =
            *r.firm > 0 ? kDaysInYear / *r.firm : std::numeric_limits<double>::infinity();
        r.place = estimatedStanding(t, asTurnover);
    }
    return readings;
}
