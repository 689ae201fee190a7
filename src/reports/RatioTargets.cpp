#include "reports/RatioTargets.h"

namespace {
// Profits may be losses; assets, liabilities and revenue may not go below zero.
bool mayBeNegative(RatioId id)
{
    switch (id) {
    case RatioId::NPM:
    case RatioId::PPM:
    case RatioId::OPM:
    case RatioId::GPM:
    case RatioId::RONOA:
    case RatioId::PPTA:
    case RatioId::ROCE:
    case RatioId::ROE:
        return true;
    default:
        return false;
    }
}

// The input divides the ratio's other part: the ratio is other / input.
bool isDivisor(RatioId id)
{
    switch (id) {
    case RatioId::RT:
    case RatioId::IT:
    case RatioId::WC:
    case RatioId::DE:
    case RatioId::IC:
        return true;
    default:
        return false;
    }
}

// For a divisor input, the amount the input divides: the needed input is
// dividend / median (interest coverage adds the input to its own dividend).
double dividend(const FirmStatement &s, RatioId id)
{
    switch (id) {
    case RatioId::RT:
        return s.OperatingRevenue;
    case RatioId::IT:
        return s.Sales - s.GrossProfit;
    case RatioId::WC:
        return s.CurrentAssets;
    case RatioId::DE:
        return borrowedFunds(s);
    case RatioId::IC:
        return s.PretaxProfit;
    default:
        return 0;
    }
}

// For a numerator input: the needed input is median × base − offset.
std::pair<double, double> baseAndOffset(const FirmStatement &s, RatioId id)
{
    switch (id) {
    case RatioId::NPM:
    case RatioId::PPM:
    case RatioId::OPM:
        return {s.OperatingRevenue, 0};
    case RatioId::GPM:
        return {s.Sales, 0};
    case RatioId::ORTNOA:
    case RatioId::RONOA:
        return {netOperatingAssets(s), 0};
    case RatioId::PPTA:
    case RatioId::LTA:
        return {s.Ta, 0};
    case RatioId::ROCE:
        return {capitalEmployed(s), s.InterestExpense};
    case RatioId::ROE:
        return {s.Equity1, 0};
    default:
        return {0, 0};
    }
}
} // namespace

TargetInput targetInput(RatioId id)
{
    switch (id) {
    case RatioId::NPM:
    case RatioId::ROCE:
    case RatioId::ROE:
        return {&FirmStatement::ProfitAfterTax, "ProfitAfterTax"};
    case RatioId::PPM:
    case RatioId::PPTA:
        return {&FirmStatement::PretaxProfit, "PretaxProfit"};
    case RatioId::IC:
        return {&FirmStatement::InterestExpense, "InterestExpense"};
    case RatioId::OPM:
    case RatioId::RONOA:
        return {&FirmStatement::OperatingProfit, "OperatingProfit"};
    case RatioId::GPM:
        return {&FirmStatement::GrossProfit, "GrossProfit"};
    case RatioId::ORTNOA:
        return {&FirmStatement::OperatingRevenue, "OperatingRevenue"};
    case RatioId::RT:
        return {&FirmStatement::Ar, "Ar"};
    case RatioId::IT:
        return {&FirmStatement::Inv, "Inv"};
    case RatioId::WC:
        return {&FirmStatement::CurrentLiabilities, "CurrentLiabilities"};
    case RatioId::DE:
        return {&FirmStatement::Equity1, "Equity1"};
    case RatioId::LTA:
        return {&FirmStatement::Tliab, "Tliab"};
    }
    return {&FirmStatement::Ta, "Ta"};
}

bool isPercentRatio(RatioId id)
{
    return int(id) <= int(RatioId::ROE);
}

RatioTarget ratioTarget(const FirmStatement &statement, RatioId id, double median)
{
    RatioTarget target{id, statement.*targetInput(id).amount, std::nullopt, TargetObstacle::None};
    if (!isMeaningful(statement, id)) {
        target.obstacle = TargetObstacle::NotMeaningful;
        return target;
    }
    const double m = isPercentRatio(id) ? median / 100 : median;
    if (isDivisor(id)) {
        // other / x = m, or for interest coverage (x + pretax) / x = m.
        const double other = dividend(statement, id);
        const double divisor = id == RatioId::IC ? m - 1 : m;
        if (divisor == 0 || other == 0) {
            target.obstacle = TargetObstacle::NoAmount;
            return target;
        }
        const double needed = other / divisor;
        if (needed <= 0) {
            target.obstacle = TargetObstacle::ZeroOrNegative;
            return target;
        }
        target.amountNeeded = needed;
        return target;
    }
    const auto [base, offset] = baseAndOffset(statement, id);
    const double needed = m * base - offset;
    if (needed < 0 && !mayBeNegative(id)) {
        target.obstacle = TargetObstacle::Negative;
        return target;
    }
    target.amountNeeded = needed;
    return target;
}
