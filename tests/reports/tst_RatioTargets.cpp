#include "reports/ComparisonRatios.h"
#include "reports/RatioTargets.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"

#include <QTest>
#include <cmath>

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

// Every ratio, with a median a third beyond the firm's value on its worse
// side, and a loss or a return below the interest paid where they are reachable.
void tst_RatioTargets::neededAmountGivesTheMedian_data()
{
    QTest::addColumn<int>("ratio");
    QTest::addColumn<double>("factor");
    for (int i = 0; i < kRatioCount; ++i) {
        const bool lowerIsBetter = kRatioColumns[i].scale == RatioScale::LowerIsBetter;
        QTest::newRow(kRatioColumns[i].key) << i << (lowerIsBetter ? 0.7 : 1.3);
    }
    QTest::newRow("NPM:loss") << int(RatioId::NPM) << -0.5;
    QTest::newRow("ROCE:below interest") << int(RatioId::ROCE) << 0.1;
}

void tst_RatioTargets::neededAmountGivesTheMedian()
{
    QFETCH(int, ratio);
    QFETCH(double, factor);
    const FirmStatement firm = healthyStatement();
    const RatioColumns &columns = kRatioColumns[ratio];
    const double median = computeFirmRatios(firm).*columns.value * factor;

    const RatioTarget target = ratioTarget(firm, RatioId(ratio), median);
    QCOMPARE(target.obstacle, TargetObstacle::None);
    QVERIFY(target.amountNeeded.has_value());
    const TargetInput input = targetInput(RatioId(ratio));
    QCOMPARE(target.amountNow, firm.*input.amount);

    FirmStatement moved = firm;
    moved.*input.amount = *target.amountNeeded;
    const double reached = computeFirmRatios(moved).*columns.value;
    QVERIFY2(std::fabs(reached - median) <= 1e-9 * std::max(1.0, std::fabs(median)),
             qPrintable(QStringLiteral("%1 reaches %2, median %3")
                            .arg(QLatin1String(columns.key))
                            .arg(reached, 0, 'g', 12)
                            .arg(median, 0, 'g', 12)));
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
        << int(RatioId::WC) << "CurrentAssets" << 700.0 << -1.0 << O::ZeroOrNegative;
    QTest::newRow("IC:pretax loss")
        << int(RatioId::IC) << "PretaxProfit" << -40.0 << 3.0 << O::ZeroOrNegative;
    QTest::newRow("IC:median of one")
        << int(RatioId::IC) << "PretaxProfit" << -40.0 << 1.0 << O::NoAmount;
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

    const RatioTarget target = ratioTarget(firm, RatioId(ratio), median);
    QCOMPARE(target.obstacle, obstacle);
    QVERIFY(!target.amountNeeded.has_value());
}

QUORVEL_LOGIC_TEST_MAIN(tst_RatioTargets)
#include "tst_RatioTargets.moc"
