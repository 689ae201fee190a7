#include "firm/StatementItems.h"

#include "firm/AmountText.h"

const std::array<StatementItem, kStatementItemCount> &statementItems()
{
    static const std::array<StatementItem, kStatementItemCount> items{{
        {"Cash", "lblCash", 152, false},
        {"Ar", "lblReceivables", 154, false},
        {"Inv", "lblInventory", 156, false},
        {"CA", "lblCapitalAssets", 158, false},
        {"OA", "lblOtherAssets", 160, false},
        {"Toa", "lblTotalOA", 162, true},
        {"Invest", "lblInvestments", 164, false},
        {"Ptfl", "lblPortfolio", 166, false},
        {"Ta", "lblTotalAssets", 168, true},
        {"OperatingRevenue", "lblOperatingRevenue", 254, false},
        {"Sales", "lblRevenue", 256, false},
        {"GrossProfit", "lblGrossProfit", 258, false},
        {"OperatingProfit", "lblOperatingProfit", 260, false},
        {"InterestExpense", "lblInterestExpense", 262, false},
        {"PretaxProfit", "lblPretaxProfit", 264, false},
        {"ProfitAfterTax", "lblAftertaxProfit", 266, false},
        {"AccountsPayable", "lblAccountPayable", 172, false},
        {"Banks", "lblBanks", 174, false},
        {"Paper", "lblShortterm", 176, false},
        {"Mtg", "lblMortgages", 178, false},
        {"Bonds", "lblBonds", 180, false},
        {"Ol", "lblOtherLoans", 182, false},
        {"AmtsAffil", "lblAffiliate", 184, false},
        {"OLiab", "lblOtherLiabilities", 186, false},
        {"DefTax", "lblDeferredTax", 188, false},
        {"Tliab", "lblLiabilities", 190, true},
        {"ShareC", "lblShareCapital", 192, false},
        {"RetEarn", "lblRetainedEarnings", 194, false},
        {"OtherSur", "lblOther", 196, false},
        {"Equity1", "lblEquity", 198, true},
        {"TotLiabShareEq", "lblTotal", 200, true},
        {"CurrentAssets", "lblCurrentAssets", 202, false},
        {"CurrentLiabilities", "lblCurrentLiabilities", 204, false},
    }};
    return items;
}

QString fncAmountBoxName(const char *column)
{
    return QStringLiteral("txt") + QString::fromLatin1(column);
}

const std::array<SubtotalRule, 5> &subtotalRules()
{
    static const std::array<SubtotalRule, 5> rules{{
        {"Toa", {"Cash", "Ar", "Inv", "CA", "OA"}},
        {"Ta", {"Invest", "Toa", "Ptfl"}},
        {"Tliab",
         {"AccountsPayable", "Banks", "Paper", "Mtg", "Bonds", "Ol", "AmtsAffil", "OLiab",
          "DefTax"}},
        {"Equity1", {"ShareC", "RetEarn", "OtherSur"}},
        {"TotLiabShareEq", {"Tliab", "Equity1"}},
    }};
    return rules;
}

void fncApplySubtotals(QHash<QString, QString> &amounts)
{
    for (const SubtotalRule &rule : subtotalRules()) {
        QStringList addends;
        for (const char *column : rule.addends)
            addends << amounts.value(QString::fromLatin1(column));
        amounts.insert(QString::fromLatin1(rule.column), fncSubtotalText(fncExactSum(addends)));
    }
}

QString fncEnterTarget(const QString &column)
{
    // Enter skips the subtotals and runs from the last income item back to
    // the first liability.
    static const QHash<QString, QString> next{
        {QStringLiteral("Cash"), QStringLiteral("Ar")},
        {QStringLiteral("Ar"), QStringLiteral("Inv")},
        {QStringLiteral("Inv"), QStringLiteral("CA")},
        {QStringLiteral("CA"), QStringLiteral("OA")},
        {QStringLiteral("OA"), QStringLiteral("Invest")},
        {QStringLiteral("Invest"), QStringLiteral("Ptfl")},
        {QStringLiteral("Ptfl"), QStringLiteral("AccountsPayable")},
        {QStringLiteral("AccountsPayable"), QStringLiteral("Banks")},
        {QStringLiteral("Banks"), QStringLiteral("Paper")},
        {QStringLiteral("Paper"), QStringLiteral("Mtg")},
        {QStringLiteral("Mtg"), QStringLiteral("Bonds")},
        {QStringLiteral("Bonds"), QStringLiteral("Ol")},
        {QStringLiteral("Ol"), QStringLiteral("AmtsAffil")},
        {QStringLiteral("AmtsAffil"), QStringLiteral("OLiab")},
        {QStringLiteral("OLiab"), QStringLiteral("DefTax")},
        {QStringLiteral("DefTax"), QStringLiteral("ShareC")},
        {QStringLiteral("ShareC"), QStringLiteral("RetEarn")},
        {QStringLiteral("RetEarn"), QStringLiteral("OtherSur")},
        {QStringLiteral("OtherSur"), QStringLiteral("CurrentAssets")},
        {QStringLiteral("CurrentAssets"), QStringLiteral("CurrentLiabilities")},
        {QStringLiteral("CurrentLiabilities"), QStringLiteral("OperatingRevenue")},
        {QStringLiteral("OperatingRevenue"), QStringLiteral("Sales")},
        {QStringLiteral("Sales"), QStringLiteral("GrossProfit")},
        {QStringLiteral("GrossProfit"), QStringLiteral("OperatingProfit")},
        {QStringLiteral("OperatingProfit"), QStringLiteral("InterestExpense")},
        {QStringLiteral("InterestExpense"), QStringLiteral("PretaxProfit")},
        {QStringLiteral("PretaxProfit"), QStringLiteral("ProfitAfterTax")},
        {QStringLiteral("ProfitAfterTax"), QStringLiteral("AccountsPayable")},
        {QStringLiteral("Toa"), QStringLiteral("Invest")},
        {QStringLiteral("Ta"), QStringLiteral("AccountsPayable")},
        {QStringLiteral("Tliab"), QStringLiteral("ShareC")},
        {QStringLiteral("Equity1"), QStringLiteral("CurrentAssets")},
        {QStringLiteral("TotLiabShareEq"), QStringLiteral("CurrentAssets")},
    };
    return next.value(column);
}

QStringList fncFocusOrder()
{
    return {QStringLiteral("txtFirmName"),
            QStringLiteral("cboYear"),
            QStringLiteral("txtCash"),
            QStringLiteral("txtAr"),
            QStringLiteral("txtInv"),
            QStringLiteral("txtCA"),
            QStringLiteral("txtOA"),
            QStringLiteral("txtToa"),
            QStringLiteral("txtInvest"),
            QStringLiteral("txtPtfl"),
            QStringLiteral("txtTa"),
            QStringLiteral("txtAccountsPayable"),
            QStringLiteral("txtBanks"),
            QStringLiteral("txtPaper"),
            QStringLiteral("txtMtg"),
            QStringLiteral("txtBonds"),
            QStringLiteral("txtOl"),
            QStringLiteral("txtAmtsAffil"),
            QStringLiteral("txtOLiab"),
            QStringLiteral("txtDefTax"),
            QStringLiteral("txtTliab"),
            QStringLiteral("txtShareC"),
            QStringLiteral("txtRetEarn"),
            QStringLiteral("txtOtherSur"),
            QStringLiteral("txtEquity1"),
            QStringLiteral("txtTotLiabShareEq"),
            QStringLiteral("txtCurrentAssets"),
            QStringLiteral("txtCurrentLiabilities"),
            QStringLiteral("txtOperatingRevenue"),
            QStringLiteral("txtSales"),
            QStringLiteral("txtGrossProfit"),
            QStringLiteral("txtOperatingProfit"),
            QStringLiteral("txtInterestExpense"),
            QStringLiteral("txtPretaxProfit"),
            QStringLiteral("txtProfitAfterTax")};
}

QStringList fncComparisonValues(const QString &firmName, qint16 year, const QString &naics,
                                const QString &industryName, const QStringList &amountTexts)
{
    QStringList values{firmName, QString::number(year), naics, industryName.trimmed()};
    values << amountTexts;
    return values;
}
