#include "reports/QuartileRules.h"
#include "support/LogicTestSupport.h"

#include <QTest>

namespace {
enum Rule { Better, Worse, ExceptionBetter, ExceptionWorse };

double applyRule(int rule, double q1, double q2, double q3, double m)
{
    switch (rule) {
    case Better:
        return fncCalcBetter(q1, q2, q3, m);
    case Worse:
        return fncCalcWorse(q1, q2, q3, m);
    case ExceptionBetter:
        return fncExceptionCalcBetter(q1, q2, q3, m);
    default:
        return fncExceptionCalcWorse(q1, q2, q3, m);
    }
}
} // namespace

class tst_QuartileRules : public QObject
{
    Q_OBJECT

private slots:
    void ratio_data()
    {
        QTest::addColumn<double>("numerator");
        QTest::addColumn<double>("denominator");
        QTest::addColumn<double>("expected");
        QTest::newRow("zero denominator") << 5.0 << 0.0 << 0.0;
        QTest::newRow("zero numerator") << 0.0 << 5.0 << 0.0;
        QTest::newRow("both zero") << 0.0 << 0.0 << 0.0;
        QTest::newRow("negative numerator") << -3.0 << 2.0 << -1.5;
        QTest::newRow("negative denominator") << 3.0 << -4.0 << -0.75;
        QTest::newRow("plain quotient") << 7.0 << 2.0 << 3.5;
    }
    void ratio()
    {
        QFETCH(double, numerator);
        QFETCH(double, denominator);
        QFETCH(double, expected);
        QCOMPARE(fncCalcRatio(numerator, denominator), expected);
    }

    void positions_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<double>("q1");
        QTest::addColumn<double>("q2");
        QTest::addColumn<double>("q3");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("expected");

        // Ascending boundaries 2 < 4 < 6.
        QTest::newRow("better: below Q1") << int(Better) << 2.0 << 4.0 << 6.0 << 1.0 << 0.0;
        QTest::newRow("better: Q1 to Q2") << int(Better) << 2.0 << 4.0 << 6.0 << 3.0 << 25.0;
        QTest::newRow("better: Q2 to Q3") << int(Better) << 2.0 << 4.0 << 6.0 << 5.0 << 50.0;
        QTest::newRow("better: above Q3") << int(Better) << 2.0 << 4.0 << 6.0 << 7.0 << 75.0;
        QTest::newRow("better: tie at Q1") << int(Better) << 2.0 << 4.0 << 6.0 << 2.0 << 0.0;
        QTest::newRow("better: tie at Q2") << int(Better) << 2.0 << 4.0 << 6.0 << 4.0 << 25.0;
        QTest::newRow("better: tie at Q3") << int(Better) << 2.0 << 4.0 << 6.0 << 6.0 << 50.0;
        QTest::newRow("worse: below Q1") << int(Worse) << 2.0 << 4.0 << 6.0 << 1.0 << 75.0;
        QTest::newRow("worse: Q1 to Q2") << int(Worse) << 2.0 << 4.0 << 6.0 << 3.0 << 50.0;
        QTest::newRow("worse: Q2 to Q3") << int(Worse) << 2.0 << 4.0 << 6.0 << 5.0 << 25.0;
        QTest::newRow("worse: above Q3") << int(Worse) << 2.0 << 4.0 << 6.0 << 7.0 << 0.0;
        QTest::newRow("worse: tie at Q2") << int(Worse) << 2.0 << 4.0 << 6.0 << 4.0 << 25.0;
        QTest::newRow("worse: tie at Q1") << int(Worse) << 2.0 << 4.0 << 6.0 << 2.0 << 50.0;
        QTest::newRow("worse: tie at Q3") << int(Worse) << 2.0 << 4.0 << 6.0 << 6.0 << 0.0;

        // Descending boundaries 6 > 4 > 2: the indebtedness scale.
        QTest::newRow("exception better: 1")
            << int(ExceptionBetter) << 6.0 << 4.0 << 2.0 << 1.0 << 75.0;
        QTest::newRow("exception better: 3")
            << int(ExceptionBetter) << 6.0 << 4.0 << 2.0 << 3.0 << 50.0;
        QTest::newRow("exception better: 5")
            << int(ExceptionBetter) << 6.0 << 4.0 << 2.0 << 5.0 << 25.0;
        QTest::newRow("exception better: 7")
            << int(ExceptionBetter) << 6.0 << 4.0 << 2.0 << 7.0 << 0.0;
        QTest::newRow("exception better: tie at Q3")
            << int(ExceptionBetter) << 6.0 << 4.0 << 2.0 << 2.0 << 50.0;
        QTest::newRow("exception worse: 1")
            << int(ExceptionWorse) << 6.0 << 4.0 << 2.0 << 1.0 << 0.0;
        QTest::newRow("exception worse: 3")
            << int(ExceptionWorse) << 6.0 << 4.0 << 2.0 << 3.0 << 25.0;
        QTest::newRow("exception worse: 5")
            << int(ExceptionWorse) << 6.0 << 4.0 << 2.0 << 5.0 << 50.0;
        QTest::newRow("exception worse: 7")
            << int(ExceptionWorse) << 6.0 << 4.0 << 2.0 << 7.0 << 75.0;
        QTest::newRow("exception worse: tie at Q1")
            << int(ExceptionWorse) << 6.0 << 4.0 << 2.0 << 6.0 << 50.0;

        // The exception rules over ascending boundaries: the last test decides.
        QTest::newRow("exception better ascending: 1")
            << int(ExceptionBetter) << 2.0 << 4.0 << 6.0 << 1.0 << 75.0;
        QTest::newRow("exception better ascending: 3")
            << int(ExceptionBetter) << 2.0 << 4.0 << 6.0 << 3.0 << 75.0;
        QTest::newRow("exception better ascending: 5")
            << int(ExceptionBetter) << 2.0 << 4.0 << 6.0 << 5.0 << 75.0;
        QTest::newRow("exception better ascending: 6")
            << int(ExceptionBetter) << 2.0 << 4.0 << 6.0 << 6.0 << 0.0;
        QTest::newRow("better descending: last test decides")
            << int(Better) << 6.0 << 4.0 << 2.0 << 5.0 << 75.0;
        QTest::newRow("worse descending: last test decides")
            << int(Worse) << 6.0 << 4.0 << 2.0 << 3.0 << 75.0;

        // A quartile of 0 is absent: its test is skipped.
        QTest::newRow("better: Q1 zero skipped") << int(Better) << 0.0 << 4.0 << 6.0 << 1.0 << 0.0;
        QTest::newRow("better: Q1 zero, above Q2")
            << int(Better) << 0.0 << 4.0 << 6.0 << 5.0 << 50.0;
        QTest::newRow("better: Q2 zero, below Q1")
            << int(Better) << 2.0 << 0.0 << 6.0 << 1.0 << 0.0;
        QTest::newRow("better: Q2 zero, Q1 to Q3")
            << int(Better) << 2.0 << 0.0 << 6.0 << 5.0 << 25.0;
        QTest::newRow("better: Q2 zero, above Q3")
            << int(Better) << 2.0 << 0.0 << 6.0 << 7.0 << 75.0;
        QTest::newRow("worse: Q3 zero skipped") << int(Worse) << 2.0 << 4.0 << 0.0 << 5.0 << 0.0;
        QTest::newRow("exception worse: Q1 zero skipped")
            << int(ExceptionWorse) << 0.0 << 4.0 << 2.0 << 7.0 << 50.0;
        QTest::newRow("exception better: Q3 zero skipped")
            << int(ExceptionBetter) << 6.0 << 4.0 << 0.0 << -1.0 << 50.0;
        for (int rule : {Better, Worse, ExceptionBetter, ExceptionWorse})
            for (double m : {-5.0, 0.0, 5.0})
                QTest::addRow("all quartiles zero: rule %d, ratio %g", rule, m)
                    << rule << 0.0 << 0.0 << 0.0 << m << 0.0;

        // Negative values are compared as they are.
        QTest::newRow("better: negative Q1") << int(Better) << -2.0 << 1.0 << 3.0 << 0.0 << 25.0;
        QTest::newRow("worse: negative Q1") << int(Worse) << -2.0 << 1.0 << 3.0 << 0.0 << 50.0;
        QTest::newRow("worse: below negative Q1")
            << int(Worse) << -2.0 << 1.0 << 3.0 << -3.0 << 75.0;
    }
    void positions()
    {
        QFETCH(int, rule);
        QFETCH(double, q1);
        QFETCH(double, q2);
        QFETCH(double, q3);
        QFETCH(double, ratio);
        QFETCH(double, expected);
        QCOMPARE(applyRule(rule, q1, q2, q3, ratio), expected);
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_QuartileRules)
#include "tst_QuartileRules.moc"
