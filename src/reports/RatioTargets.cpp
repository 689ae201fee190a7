#include "reports/RatioTargets.h"

namespace {
using Amount = double FirmStatement::*;

// Profits may be losses; assets, liabilities and revenue may not go below zero.
bool mayBeNegative(const TargetInput &input)
{
    return input.amount == &FirmStatement::ProfitAfterTax ||
           input.amount == &FirmStatement::PretaxProfit ||
           input.amount == &FirmStatement::OperatingProfit ||
           input.amount == &FirmStatement::GrossProfit;
}

// The liability lines that add up to total liabilities.
constexpr std::array<Amount, 9> kLiabilityLines = {
    &FirmStatement::AccountsPayable, &FirmStatement::Banks,
    &FirmStatement::Paper,           &FirmStatement::Mtg,
    &FirmStatement::Bonds,           &FirmStatement::Ol,
    &FirmStatement::AmtsAffil,       &FirmStatement::OLiab,
    &FirmStatement::DefTax};

// A divisor input: the ratio is dividend / input, so the input needs
// dividend / median. Empty for an input the ratio is a multiple of.
std::optional<double> dividend(const FirmStatement &s, RatioId id, const TargetInput &input)
{
    switch (id) {
    case RatioId::RT:
        return s.OperatingRevenue;
    case RatioId::IT:
        return s.Sales - s.GrossProfit;
    case RatioId::WC:
        if (input.amount == &FirmStatement::CurrentLiabilities)
            return s.CurrentAssets;
        return std::nullopt;
    case RatioId::DE:
        return borrowedFunds(s);
    case RatioId::IC:
        // Lower interest raises pretax profit by as much: their sum holds.
        return s.InterestExpense + s.PretaxProfit;
    default:
        return std::nullopt;
    }
}

// For a multiple input: the needed input is median × base − offset.
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
    case RatioId::WC:
        return {s.CurrentLiabilities, 0};
    default:
        return {0, 0};
    }
}

// Cash that comes in or goes out, with the subtotals above it.
void addCash(FirmStatement &s, double change)
{
    s.Cash += change;
    s.Toa += change;
    s.Ta += change;
    s.CurrentAssets += change;
}

// The statement with `input` at `needed` and the lines that follow from it moved.
FirmStatement movedStatement(FirmStatement s, const TargetInput &input, double needed)
{
    const double change = needed - s.*input.amount;
    const Amount a = input.amount;
    if (a == &FirmStatement::OperatingRevenue) {
        // Sales and the profits down to operating profit grow with revenue
        // at the margins as entered; the lines below operating profit follow.
        const double operatingBefore = s.OperatingProfit;
        if (s.OperatingRevenue != 0) {
            const double factor = needed / s.OperatingRevenue;
            s.Sales *= factor;
            s.GrossProfit *= factor;
            s.OperatingProfit *= factor;
        }
        s.PretaxProfit += s.OperatingProfit - operatingBefore;
        s.ProfitAfterTax += s.OperatingProfit - operatingBefore;
    } else if (a == &FirmStatement::GrossProfit) {
        s.OperatingProfit += change;
        s.PretaxProfit += change;
        s.ProfitAfterTax += change;
    } else if (a == &FirmStatement::OperatingProfit || a == &FirmStatement::PretaxProfit ||
               a == &FirmStatement::ProfitAfterTax) {
        // A profit line moves through the operating costs: every profit from
        // operating profit down moves by as much, interest, other items and
        // income tax held.
        s.OperatingProfit += change;
        s.PretaxProfit += change;
        s.ProfitAfterTax += change;
    } else if (a == &FirmStatement::InterestExpense) {
        s.PretaxProfit -= change;
        s.ProfitAfterTax -= change;
    } else if (a == &FirmStatement::Ar || a == &FirmStatement::Inv) {
        // Collected or sold for cash: the totals hold.
        s.Cash -= change;
    } else if (a == &FirmStatement::CurrentAssets) {
        // Cash raised by long-term loans.
        addCash(s, change);
        s.Ol += change;
        s.Tliab += change;
        s.TotLiabShareEq += change;
    } else if (a == &FirmStatement::Equity1) {
        // New share capital, kept in cash.
        addCash(s, change);
        s.ShareC += change;
        s.TotLiabShareEq += change;
    } else if (a == &FirmStatement::Tliab) {
        // Liabilities turned into share capital, each line in proportion.
        if (s.Tliab != 0) {
            const double factor = needed / s.Tliab;
            for (const Amount line : kLiabilityLines)
                s.*line *= factor;
        } else {
            s.OLiab += change;
        }
        s.ShareC -= change;
        s.Equity1 -= change;
    }
    s.*a = needed;
    return s;
}

RatioTarget leverTarget(const FirmStatement &s, RatioId id, const TargetInput &input, double median)
{
    RatioTarget target{id,           input, s.*input.amount, std::nullopt, TargetObstacle::None,
                       std::nullopt, s};
    if (!isMeaningful(s, id)) {
        target.obstacle = TargetObstacle::NotMeaningful;
        return target;
    }
    const double m = isPercentRatio(id) ? median / 100 : median;
    double needed = 0;
    if (const std::optional<double> other = dividend(s, id, input)) {
        if (id == RatioId::IC && *other <= 0 && m > 0) {
            target.obstacle = TargetObstacle::NoProfitBeforeInterest;
            target.profitNeeded = m * s.InterestExpense;
            return target;
        }
        if (m == 0 || *other == 0) {
            target.obstacle = TargetObstacle::NoAmount;
            return target;
        }
        needed = *other / m;
        if (needed <= 0) {
            target.obstacle = TargetObstacle::ZeroOrNegative;
            return target;
        }
    } else {
        const auto [base, offset] = baseAndOffset(s, id);
        needed = m * base - offset;
        if (needed < 0 && !mayBeNegative(input)) {
            target.obstacle = TargetObstacle::Negative;
            return target;
        }
    }
    target.amountNeeded = needed;
    target.moved = movedStatement(s, input, needed);
    return target;
}
} // namespace

std::vector<TargetInput> targetInputs(RatioId id)
{
    switch (id) {
    case RatioId::NPM:
    case RatioId::ROCE:
    case RatioId::ROE:
        return {{&FirmStatement::ProfitAfterTax, "ProfitAfterTax"}};
    case RatioId::PPM:
    case RatioId::PPTA:
        return {{&FirmStatement::PretaxProfit, "PretaxProfit"}};
    case RatioId::IC:
        return {{&FirmStatement::InterestExpense, "InterestExpense"}};
    case RatioId::OPM:
    case RatioId::RONOA:
        return {{&FirmStatement::OperatingProfit, "OperatingProfit"}};
    case RatioId::GPM:
        return {{&FirmStatement::GrossProfit, "GrossProfit"}};
    case RatioId::ORTNOA:
        return {{&FirmStatement::OperatingRevenue, "OperatingRevenue"}};
    case RatioId::RT:
        return {{&FirmStatement::Ar, "Ar"}};
    case RatioId::IT:
        return {{&FirmStatement::Inv, "Inv"}};
    case RatioId::WC:
        return {{&FirmStatement::CurrentAssets, "CurrentAssets"},
                {&FirmStatement::CurrentLiabilities, "CurrentLiabilities"}};
    case RatioId::DE:
        return {{&FirmStatement::Equity1, "Equity1"}};
    case RatioId::LTA:
        return {{&FirmStatement::Tliab, "Tliab"}};
    }
    return {{&FirmStatement::Ta, "Ta"}};
}

TargetInput targetInput(RatioId id)
{
    return targetInputs(id).front();
}

bool isPercentRatio(RatioId id)
{
    return int(id) <= int(RatioId::ROE);
}

std::vector<RatioTarget> ratioTargets(const FirmStatement &statement, RatioId id, double median)
{
    std::vector<RatioTarget> targets;
    for (const TargetInput &input : targetInputs(id))
        targets.push_back(leverTarget(statement, id, input, median));
    return targets;
}
