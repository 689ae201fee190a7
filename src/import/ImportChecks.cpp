#include "import/ImportChecks.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kCurrentAssets = statementItemIndex("CurrentAssets");
constexpr int kInterestExpense = statementItemIndex("InterestExpense");
constexpr int kTotalAssets = statementItemIndex("Ta");
constexpr int kTotalLiabilitiesAndEquity = statementItemIndex("TotLiabShareEq");
constexpr int kOperatingRevenue = statementItemIndex("OperatingRevenue");
constexpr int kSales = statementItemIndex("Sales");
constexpr int kGrossProfit = statementItemIndex("GrossProfit");
constexpr int kOperatingProfit = statementItemIndex("OperatingProfit");

// The lines that cannot be below zero on a statement: what the firm holds
// (cash, as an overdraft belongs in bank loans; receivables, inventory and
// capital assets net of their allowances and amortization; other assets and
// investments), its revenue and sales, the interest it pays, what it owes
// (a payable below zero is a receivable), its share capital, and its current
// assets and liabilities. Other liabilities and deferred tax (a net deferred
// tax asset), retained earnings and other surplus (a deficit) and the profits
// (a loss) can be.
constexpr std::array kNeverNegative{
    statementItemIndex("Cash"),
    statementItemIndex("Ar"),
    statementItemIndex("Inv"),
    statementItemIndex("CA"),
    statementItemIndex("OA"),
    statementItemIndex("Invest"),
    statementItemIndex("Ptfl"),
    kOperatingRevenue,
    kSales,
    kInterestExpense,
    statementItemIndex("AccountsPayable"),
    statementItemIndex("Banks"),
    statementItemIndex("Paper"),
    statementItemIndex("Mtg"),
    statementItemIndex("Bonds"),
    statementItemIndex("Ol"),
    statementItemIndex("AmtsAffil"),
    statementItemIndex("ShareC"),
    kCurrentAssets,
    statementItemIndex("CurrentLiabilities"),
};

double amountOf(const StatementImport &import, int item)
{
    return import.statement.*firmStatementAmounts()[item];
}

bool differs(double amount, double other)
{
    return std::fabs(std::round(amount) - std::round(other)) >= 1;
}
} // namespace

bool isCreditItem(int item)
{
    switch (statementItems()[item].section) {
    case StatementSection::Assets:
        return false;
    case StatementSection::Income:
        return item != kInterestExpense;
    case StatementSection::LiabilitiesAndEquity:
        // The screen shows the current assets with the liabilities.
        return item != kCurrentAssets;
    }
    return false;
}

QList<ImportCheck> importChecks(const StatementImport &import,
                                const std::array<int, kStatementItemCount> &rowOf)
{
    QList<ImportCheck> checks;
    const double assets = amountOf(import, kTotalAssets);
    const double claims = amountOf(import, kTotalLiabilitiesAndEquity);
    if (differs(assets, claims))
        checks << ImportCheck{ImportCheck::Kind::Unbalanced,
                              kTotalAssets,
                              kTotalLiabilitiesAndEquity,
                              assets,
                              claims,
                              0};

    for (const TotalDifference &total : import.totalDifferences) {
        if (differs(total.inFile, total.computed))
            checks << ImportCheck{ImportCheck::Kind::FileTotal,
                                  total.item,
                                  -1,
                                  total.inFile,
                                  total.computed,
                                  total.row};
    }

    // Income lines that are part of another, so never above it where the
    // file gives both. Sales of goods and services are part of operating
    // revenue, beside rentals and commissions; gross profit is sales less
    // the cost of what was sold (held to operating revenue when the file
    // gives no sales); operating profit is operating revenue less the
    // operating expenses. Operating profit is not held to gross profit, as
    // the operating revenue besides sales can lift it above; nor are the
    // profits after interest, other gains and taxes to the ones before, as a
    // gain or a tax recovery can raise them.
    const int grossWhole = import.filled[kSales] ? kSales : kOperatingRevenue;
    const std::array<std::pair<int, int>, 3> orders{{
        {kSales, kOperatingRevenue},
        {kGrossProfit, grossWhole},
        {kOperatingProfit, kOperatingRevenue},
    }};
    for (const auto &[part, whole] : orders) {
        if (!import.filled[part] || !import.filled[whole])
            continue;
        const double amount = amountOf(import, part);
        const double other = amountOf(import, whole);
        if (std::round(amount) - std::round(other) >= 1)
            checks << ImportCheck{
                ImportCheck::Kind::IncomeOrder, part, whole, amount, other, rowOf[part]};
    }

    for (int item = 0; item < kStatementItemCount; ++item) {
        const bool never = std::find(kNeverNegative.cbegin(), kNeverNegative.cend(), item) !=
                           kNeverNegative.cend();
        const double amount = amountOf(import, item);
        if (never && import.filled[item] && std::round(amount) <= -1)
            checks << ImportCheck{ImportCheck::Kind::Negative, item, -1, amount, 0, rowOf[item]};
    }
    return checks;
}
