#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <string_view>
#include <vector>

// The screen's three groups of items. The current assets and current
// liabilities sit with the liabilities and equity, as on the screen.
enum class StatementSection { Assets, Income, LiabilitiesAndEquity };

// The 33 items of a firm statement, in the order of the MyValues table (its
// columns 4 to 36), with the screen controls that carry them.
struct StatementItem
{
    const char *column;       // MyValues column; the amount box is "txt" + column
    const char *labelName;    // caption label (these do not follow the columns)
    int captionId;            // English caption; French at captionId + 1
    StatementSection section; // the screen group the item is shown in
    bool computed;            // a subtotal of other items, not typed
};

inline constexpr int kStatementItemCount = 33;

// The one list of the statement items: the stored row, the screen's boxes,
// the comparison's figures and the item definitions all follow it.
inline constexpr std::array<StatementItem, kStatementItemCount> kStatementItems{{
    {"Cash", "lblCash", 152, StatementSection::Assets, false},
    {"Ar", "lblReceivables", 154, StatementSection::Assets, false},
    {"Inv", "lblInventory", 156, StatementSection::Assets, false},
    {"CA", "lblCapitalAssets", 158, StatementSection::Assets, false},
    {"OA", "lblOtherAssets", 160, StatementSection::Assets, false},
    {"Toa", "lblTotalOA", 162, StatementSection::Assets, true},
    {"Invest", "lblInvestments", 164, StatementSection::Assets, false},
    {"Ptfl", "lblPortfolio", 166, StatementSection::Assets, false},
    {"Ta", "lblTotalAssets", 168, StatementSection::Assets, true},
    {"OperatingRevenue", "lblOperatingRevenue", 254, StatementSection::Income, false},
    {"Sales", "lblRevenue", 256, StatementSection::Income, false},
    {"GrossProfit", "lblGrossProfit", 258, StatementSection::Income, false},
    {"OperatingProfit", "lblOperatingProfit", 260, StatementSection::Income, false},
    {"InterestExpense", "lblInterestExpense", 262, StatementSection::Income, false},
    {"PretaxProfit", "lblPretaxProfit", 264, StatementSection::Income, false},
    {"ProfitAfterTax", "lblAftertaxProfit", 266, StatementSection::Income, false},
    {"AccountsPayable", "lblAccountPayable", 172, StatementSection::LiabilitiesAndEquity, false},
    {"Banks", "lblBanks", 174, StatementSection::LiabilitiesAndEquity, false},
    {"Paper", "lblShortterm", 176, StatementSection::LiabilitiesAndEquity, false},
    {"Mtg", "lblMortgages", 178, StatementSection::LiabilitiesAndEquity, false},
    {"Bonds", "lblBonds", 180, StatementSection::LiabilitiesAndEquity, false},
    {"Ol", "lblOtherLoans", 182, StatementSection::LiabilitiesAndEquity, false},
    {"AmtsAffil", "lblAffiliate", 184, StatementSection::LiabilitiesAndEquity, false},
    {"OLiab", "lblOtherLiabilities", 186, StatementSection::LiabilitiesAndEquity, false},
    {"DefTax", "lblDeferredTax", 188, StatementSection::LiabilitiesAndEquity, false},
    {"Tliab", "lblLiabilities", 190, StatementSection::LiabilitiesAndEquity, true},
    {"ShareC", "lblShareCapital", 192, StatementSection::LiabilitiesAndEquity, false},
    {"RetEarn", "lblRetainedEarnings", 194, StatementSection::LiabilitiesAndEquity, false},
    {"OtherSur", "lblOther", 196, StatementSection::LiabilitiesAndEquity, false},
    {"Equity1", "lblEquity", 198, StatementSection::LiabilitiesAndEquity, true},
    {"TotLiabShareEq", "lblTotal", 200, StatementSection::LiabilitiesAndEquity, true},
    {"CurrentAssets", "lblCurrentAssets", 202, StatementSection::LiabilitiesAndEquity, false},
    {"CurrentLiabilities", "lblCurrentLiabilities", 204, StatementSection::LiabilitiesAndEquity,
     false},
}};

constexpr const std::array<StatementItem, kStatementItemCount> &statementItems()
{
    return kStatementItems;
}

// The position of a column in the item list, for code that names one item:
// evaluated while compiling, so a column the list does not hold is a
// compile error.
consteval int statementItemIndex(std::string_view column)
{
    for (int i = 0; i < kStatementItemCount; ++i) {
        if (column == kStatementItems[i].column)
            return i;
    }
    throw "not a statement item column";
}

// The items' indexes in the order the screen shows them: the assets, the
// liabilities and equity, then the income statement.
const std::array<int, kStatementItemCount> &statementScreenOrder();

// Name of the amount box of a column ("txtCash" for "Cash").
QString fncAmountBoxName(const char *column);

// A subtotal and the items it adds up, in the order of addition.
struct SubtotalRule
{
    const char *column;
    std::vector<const char *> addends;
};

// The five subtotals in the order they are recomputed; later ones read the
// earlier results.
const std::array<SubtotalRule, 5> &subtotalRules();

// Recomputes the five subtotals of `amounts` (column -> box text) exactly, in
// double precision, and writes each into the map as the screen shows it.
void fncApplySubtotals(QHash<QString, QString> &amounts);

// The column whose box takes the focus when Enter is pressed in `column`'s box:
// the next typed item in screen order (assets, liabilities and equity, then
// income), skipping the subtotals; after the last income item, the first
// liability. Empty for a column that is not an item.
QString fncEnterTarget(const QString &column);

// Names of the screen's boxes in focus (tab) order: firm name, year, then the
// items' boxes in screen order, subtotals included.
QStringList fncFocusOrder();

// Positions of the list handed to the comparison report.
inline constexpr int kComparisonFirmName = 0;
inline constexpr int kComparisonYear = 1;
inline constexpr int kComparisonNaics = 2;
inline constexpr int kComparisonIndustry = 3;
inline constexpr int kComparisonFirstAmount = 4;
inline constexpr int kComparisonValueCount = kComparisonFirstAmount + kStatementItemCount;
// After the amounts, the accountant's comment (a list without it has none).
inline constexpr int kComparisonComment = kComparisonValueCount;

// The statement as the comparison report receives it: firm name, year, the
// industry's code and name (blanks trimmed), the 33 amount texts in table
// order, then the comment when there is one.
QStringList fncComparisonValues(const QString &firmName, qint16 year, const QString &naics,
                                const QString &industryName, const QStringList &amountTexts,
                                const QString &comment = QString());
