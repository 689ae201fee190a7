#include "TestSupport.h"
#include "reports/QuartileRules.h"
#include "reports/ReportPreparation.h"

#include <QTest>

// Timings of the three report preparations for one industry, on copies of
// the shipped databases, and of the position rules.
class bench_builder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::openShippedDatabases(m_dir));
        const RecordSet first = GetRS(appState().gcnReference,
                                      "select NAICS from ROVAL_Vol3_ON_2006_Final_Ratios "
                                      "where NumberOfFirms is not null order by NAICS limit 1",
                                      "read");
        QCOMPARE(first.RecordCount(), 1);
        m_naics = first.field(0).toString();
    }

    void ratiosReport()
    {
        AppState &s = appState();
        QBENCHMARK
        {
            fncPrepareRatiosReport(s.gcnReference, s.gcnUser, "rat", 3, "ON", 2006, m_naics, "F");
        }
    }

    void balanceSheetReport()
    {
        AppState &s = appState();
        QBENCHMARK
        {
            fncPrepareBalanceSheetReport(s.gcnReference, s.gcnUser, "bal", 3, "ON", 2006, m_naics,
                                         "F");
        }
    }

    void comparisonReport()
    {
        AppState &s = appState();
        const QStringList firm = {
            "Joe's Garage", "2005", m_naics, "Industry", "100",  "400",  "250",  "650",
            "100",          "1500", "300",   "200",      "2000", "5000", "4000", "1000",
            "500",          "50",   "400",   "300",      "250",  "100",  "50",   "250",
            "100",          "50",   "50",    "100",      "50",   "1000", "400",  "500",
            "100",          "1000", "2000",  "700",      "350"};
        QBENCHMARK
        {
            fncPrepareComparisonReport(s.gcnReference, s.gcnUser, "com", 3, "ON", 2005, m_naics,
                                       "E", firm);
        }
    }

    // A million calls of each of the five rules, over varying ratios.
    void rulesMillionCalls()
    {
        volatile double sink = 0;
        QBENCHMARK
        {
            double total = 0;
            for (int i = 0; i < 1000000; ++i) {
                const double m = (i % 97) * 0.1;
                total += fncCalcRatio(m, (i % 13) * 0.5) + fncCalcBetter(2, 4, 6, m) +
                         fncCalcWorse(2, 4, 6, m) + fncExceptionCalcBetter(6, 4, 2, m) +
                         fncExceptionCalcWorse(6, 4, 2, m);
            }
            sink = total;
        }
        Q_UNUSED(sink);
    }

private:
    QTemporaryDir m_dir;
    QString m_naics;
};

QUORVEL_TEST_MAIN(bench_builder)
#include "bench_builder.moc"
