#include "support/FirmStatements.h"

#include "store/SqliteStatementStore.h"

#include "firm/StatementItems.h"

namespace testsupport {

FirmStatement healthyStatement(double growth)
{
    FirmStatement s;
    // Cents, so that the amounts' texts carry decimals.
    s.Cash = 100.25 * growth;
    s.Ar = 400 * growth;
    s.Inv = 250 * growth;
    s.CA = 650;
    s.OA = 100;
    s.Toa = s.Cash + s.Ar + s.Inv + s.CA + s.OA;
    s.Invest = 300;
    s.Ptfl = 200;
    s.Ta = s.Toa + s.Invest + s.Ptfl;
    s.OperatingRevenue = 5000 * growth;
    s.Sales = 4000 * growth;
    s.GrossProfit = 1000 * growth;
    s.OperatingProfit = 500 * growth;
    s.InterestExpense = 50;
    s.PretaxProfit = 400 * growth;
    s.ProfitAfterTax = 300 * growth;
    s.AccountsPayable = 250;
    s.Banks = 100;
    s.Mtg = 250;
    s.Ol = 400;
    s.Tliab = s.AccountsPayable + s.Banks + s.Mtg + s.Ol;
    s.ShareC = 400;
    s.Equity1 = s.Ta - s.Tliab;
    s.RetEarn = s.Equity1 - s.ShareC;
    s.TotLiabShareEq = s.Tliab + s.Equity1;
    s.CurrentAssets = s.Cash + s.Ar + s.Inv;
    s.CurrentLiabilities = s.AccountsPayable + s.Banks;
    return s;
}

SavedStatement firmRecord(const QString &firmName, int year, const QString &naics,
                          const FirmStatement &statement, int volume, const QString &region)
{
    SavedStatement record;
    record.firmName = firmName;
    record.year = year;
    record.amounts = statement;
    if (!naics.isEmpty())
        record.industry = StatementIndustry{naics, volume, region};
    return record;
}

QString nonZeroAmounts(const FirmStatement &statement)
{
    QStringList parts;
    for (int i = 0; i < kStatementItemCount; ++i) {
        const double amount = statement.*firmStatementAmounts()[i];
        if (amount != 0)
            parts << QStringLiteral("%1=%2")
                         .arg(QLatin1String(statementItems()[i].column))
                         .arg(amount, 0, 'f', 0);
    }
    return parts.join(QLatin1Char(' '));
}

QVector<SavedStatement> firmYears(Connection &user, const QString &firmName)
{
    return SqliteStatementStore(user).firmYears(firmName);
}

void saveStatement(Connection &user, const SavedStatement &statement)
{
    SqliteStatementStore(user).save(statement, Expectation::anything(), QStringLiteral("tests"));
}

QStringList comparisonValues(const QString &firmName, int year, const QString &naics,
                             const QString &industryName, const FirmStatement &statement)
{
    QStringList amounts;
    for (const auto amount : firmStatementAmounts())
        amounts << QString::number(statement.*amount, 'f', 2);
    return fncComparisonValues(firmName, qint16(year), naics, industryName, amounts);
}

SavedStatement numberedStatement(int n)
{
    SavedStatement s;
    s.firmName = QStringLiteral("Client %1 Ltd").arg(n / 3, 5, 10, QLatin1Char('0'));
    s.year = 2004 + n % 3;
    s.amounts = healthyStatement(1 + n % 7);
    s.industry = StatementIndustry{QStringLiteral("236110"), 3, QStringLiteral("ON")};
    return s;
}

} // namespace testsupport
