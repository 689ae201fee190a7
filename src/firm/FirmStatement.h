#pragma once

#include "firm/StatementItems.h"

#include <array>

// The firm's 33 statement amounts, one member per statement item, named after
// its column (the formulas below read them by name).
struct FirmStatement
{
    double Cash = 0;
    double Ar = 0;
    double Inv = 0;
    double CA = 0;
    double OA = 0;
    double Toa = 0;
    double Invest = 0;
    double Ptfl = 0;
    double Ta = 0;
    double OperatingRevenue = 0;
    double Sales = 0;
    double GrossProfit = 0;
    double OperatingProfit = 0;
    double InterestExpense = 0;
    double PretaxProfit = 0;
    double ProfitAfterTax = 0;
    double AccountsPayable = 0;
    double Banks = 0;
    double Paper = 0;
    double Mtg = 0;
    double Bonds = 0;
    double Ol = 0;
    double AmtsAffil = 0;
    double OLiab = 0;
    double DefTax = 0;
    double Tliab = 0;
    double ShareC = 0;
    double RetEarn = 0;
    double OtherSur = 0;
    double Equity1 = 0;
    double TotLiabShareEq = 0;
    double CurrentAssets = 0;
    double CurrentLiabilities = 0;
};

// The statement's amounts in the order of statementItems(): the member of
// each item, for code that walks the items.
const std::array<double FirmStatement::*, kStatementItemCount> &firmStatementAmounts();
