#include "reports/ComparisonRatios.h"
#include "reports/RatioTargets.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"

#include <QTest>
#include <algorithm>
#include <cmath>

Q_DECLARE_METATYPE(FirmStatement)

using testsupport::healthyStatement;

class tst_RatioTargets : public QObject
{
    Q_OBJECT

private slots:
    void neededAmountGivesTheMedian_data();
    void neededAmountGivesTheMedian();
    void obstacles_data();
    void obstacles();
};

namespace {
bool near(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// The statement's own arithmetic: its subtotals, a balance sheet that
// balances, and the income statement's steps (other items between operating
// and pretax profit, income tax, cost of sales at the gross margin entered).
QString brokenIdentity(const FirmStatement &before, const FirmStatement &s, bool costOfSalesLever)
{
    const auto other = [](const FirmStatement &f) {
        return f.OperatingProfit - f.InterestExpense - f.PretaxProfit;
    };
    const auto tax = [](const FirmStatement &f) { return f.PretaxProfit - f.ProfitAfterTax; };
    const auto grossMargin = [](const FirmStatement &f) { return f.GrossProfit / f.Sales; };
    const std::pair<const char *, bool> checks[] = {
        {"Toa", near(s.Toa, s.Cash + s.Ar + s.Inv + s.CA + s.OA)},
        {"Ta", near(s.Ta, s.Toa + s.Invest + s.Ptfl)},
        {"Tliab", near(s.Tliab, s.AccountsPayable + s.Banks + s.Paper + s.Mtg + s.Bonds + s.Ol +
                                    s.AmtsAffil + s.OLiab + s.DefTax)},
        {"Equity1", near(s.Equity1, s.ShareC + s.RetEarn + s.OtherSur)},
        {"TotLiabShareEq", near(s.TotLiabShareEq, s.Tliab + s.Equity1)},
        {"balance", near(s.TotLiabShareEq, s.Ta)},
        {"other items", near(other(s), other(before))},
        {"income tax", near(tax(s), tax(before))},
        // Gross profit is moved by the cost of sales; otherwise the gross margin holds.
        {"gross margin", costOfSalesLever || near(grossMargin(s), grossMargin(before))},
    };
    for (const auto &[name, holds] : checks)
        if (!holds)
            return QLatin1String(name);
    return QString();
}
} // namespace

// Every ratio's every lever, with a median a third beyond the firm's value on
// its worse side, a loss or a return below the interest paid where they are
// reachable, and the typical bakery's interest cover (operating profit
// $140,000, interest $25,000, median 6.39): the whole statement at the
// target reaches the median with its arithmetic intact.
void tst_RatioTargets::neededAmountGivesTheMedian_data()
{
    QTest::addColumn<FirmStatement>("firm");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<double>("median");
    QTest::addColumn<double>("expected"); // the amount by hand, or 0 to skip
    const FirmStatement healthy = healthyStatement();
    const FirmRatios ratios = computeFirmRatios(healthy);
    for (int i = 0; i < kRatioCount; ++i) {
        const bool lowerIsBetter = kRatioColumns[i].scale == RatioScale::LowerIsBetter;
        QTest::newRow(kRatioColumns[i].key)
            << healthy << i << ratios.*kRatioColumns[i].value * (lowerIsBetter ? 0.7 : 1.3) << 0.0;
    }
    QTest::newRow("NPM:loss") << healthy << int(RatioId::NPM) << ratios.NPM * -0.5 << 0.0;
    QTest::newRow("ROCE:below interest")
        << healthy << int(RatioId::ROCE) << ratios.ROCE * 0.1 << 0.0;
    FirmStatement bakery = healthy;
    bakery.OperatingProfit = 140000;
    bakery.InterestExpense = 25000;
    bakery.PretaxProfit = 115000;
    bakery.ProfitAfterTax = 92000;
    QTest::newRow("IC:typical bakery") << bakery << int(RatioId::IC) << 6.39 << 140000 / 6.39;
    // Working capital's two levers: 1.5 times 350 of current liabilities, or
    // 750.25 of current assets over 1.5.
    QTest::newRow("WC:current assets needed")
        << healthy << int(RatioId::WC) << 1.5 * 750.25 / 350 * 1.4 << 1.5 * 750.25 * 1.4;
}

void tst_RatioTargets::neededAmountGivesTheMedian()
{
    QFETCH(FirmStatement, firm);
    QFETCH(int, ratio);
    QFETCH(double, median);
    QFETCH(double, expected);
    const RatioColumns &columns = kRatioColumns[ratio];
    const std::vector<RatioTarget> targets = ratioTargets(firm, RatioId(ratio), median);
    QCOMPARE(targets.size(), ratio == int(RatioId::WC) ? size_t(2) : size_t(1));
    for (const RatioTarget &target : targets) {
        const QString lever = QLatin1String(target.input.column);
        QVERIFY2(target.obstacle == TargetObstacle::None, qPrintable(lever));
        QVERIFY(target.amountNeeded.has_value());
        QCOMPARE(target.amountNow, firm.*target.input.amount);
        QCOMPARE(target.moved.*target.input.amount, *target.amountNeeded);
        if (expected != 0 && &target == &targets.front())
            QVERIFY2(near(*target.amountNeeded, expected),
                     qPrintable(QString::number(*target.amountNeeded, 'f', 2)));
        const double reached = computeFirmRatios(target.moved).*columns.value;
        QVERIFY2(near(reached, median), qPrintable(QStringLiteral("%1 by %2 reaches %3, median %4")
                                                       .arg(QLatin1String(columns.key), lever)
                                                       .arg(reached, 0, 'g', 12)
                                                       .arg(median, 0, 'g', 12)));
        const QString broken =
            brokenIdentity(firm, target.moved, target.input.amount == &FirmStatement::GrossProfit);
        QVERIFY2(broken.isEmpty(), qPrintable(lever + QStringLiteral(" breaks ") + broken));
    }
}

void tst_RatioTargets::obstacles_data()
{
    QTest::addColumn<int>("ratio");
    QTest::addColumn<QString>("item");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("median");
    QTest::addColumn<TargetObstacle>("obstacle");

    using O = TargetObstacle;
    QTest::newRow("IT:no inventory") << int(RatioId::IT) << "Inv" << 0.0 << 5.0 << O::NotMeaningful;
    QTest::newRow("ROE:negative equity")
        << int(RatioId::ROE) << "Equity1" << -100.0 << 10.0 << O::NotMeaningful;
    QTest::newRow("RT:no revenue")
        << int(RatioId::RT) << "OperatingRevenue" << 0.0 << 8.0 << O::NoAmount;
    QTest::newRow("WC:negative median")
        << int(RatioId::WC) << "CurrentAssets" << 700.0 << -1.0 << O::Negative;
    QTest::newRow("IC:loss before interest")
        << int(RatioId::IC) << "PretaxProfit" << -60.0 << 3.0 << O::NoProfitBeforeInterest;
    QTest::newRow("IC:median zero")
        << int(RatioId::IC) << "PretaxProfit" << -40.0 << 0.0 << O::NoAmount;
    QTest::newRow("LTA:negative median")
        << int(RatioId::LTA) << "Tliab" << 1000.0 << -0.2 << O::Negative;
    QTest::newRow("ORTNOA:negative median")
        << int(RatioId::ORTNOA) << "OperatingRevenue" << 5000.0 << -50.0 << O::Negative;
}

void tst_RatioTargets::obstacles()
{
    QFETCH(int, ratio);
    QFETCH(QString, item);
    QFETCH(double, value);
    QFETCH(double, median);
    QFETCH(TargetObstacle, obstacle);
    FirmStatement firm = healthyStatement();
    int index = 0;
    while (index < kStatementItemCount && item != QLatin1String(statementItems()[index].column))
        ++index;
    QVERIFY(index < kStatementItemCount);
    firm.*firmStatementAmounts()[index] = value;

    const RatioTarget target = ratioTargets(firm, RatioId(ratio), median).front();
    QCOMPARE(target.obstacle, obstacle);
    QVERIFY(!target.amountNeeded.has_value());
    // With a loss before interest, the profit the median needs at the interest paid.
    if (obstacle == TargetObstacle::NoProfitBeforeInterest)
        QCOMPARE(target.profitNeeded, std::optional<double>(median * firm.InterestExpense));
}

QUORVEL_LOGIC_TEST_MAIN(tst_RatioTargets)
#include "tst_RatioTargets.moc"
