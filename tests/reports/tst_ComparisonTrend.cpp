#include "reports/ComparisonTrend.h"
#include "reports/ReportCharts.h"
#include "reports/ReportPreparation.h"
#include "support/FirmStatements.h"
#include "support/ReportFixture.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using reportfixture::ReportDatabases;
using testsupport::firmRecord;
using testsupport::firmYears;
using testsupport::healthyStatement;
using testsupport::saveStatement;

namespace {

const QString kNaics = QStringLiteral("236110");

const RatioColumns &ratioNamed(const char *key)
{
    for (const RatioColumns &r : kRatioColumns)
        if (QLatin1String(r.key) == QLatin1String(key))
            return r;
    qFatal("no ratio %s", key);
}

Quartiles quartiles(double q1, double q2, double q3)
{
    return {q1, q2, q3};
}

SavedStatement recordOf(const QString &name, int year, const FirmStatement &s)
{
    return firmRecord(name, year, kNaics, s);
}

QStringList comparisonValues(const QString &name, int year, const FirmStatement &s)
{
    return testsupport::comparisonValues(name, year, kNaics, "Residential building construction",
                                         s);
}

// An industry row for each year given; NPM's quartiles grow by one a year.
void addIndustry(ReportDatabases &db, const QList<int> &yearsWithData)
{
    for (int year : {2006, 2005, 2004}) {
        db.createDatasetTable(3, "ON", year);
        if (!yearsWithData.contains(year))
            continue;
        const double shift = year - 2004;
        QVariantMap row{{"NAICS", kNaics}, {"NumberOfFirms", 100}};
        for (const char *prefix : {"NPM", "PPM", "OPM", "GPM", "ORTTNOA", "RNOA", "PPA", "RCE",
                                   "RE", "RT", "IT", "WC", "IC"})
            for (int q = 1; q <= 3; ++q)
                row.insert(QLatin1String(prefix) + QStringLiteral("Q%1").arg(q), q * 2 + shift);
        for (const char *prefix : {"DE", "LTA"})
            for (int q = 1; q <= 3; ++q)
                row.insert(QLatin1String(prefix) + QStringLiteral("Q%1").arg(q), 4 - q + shift);
        db.addIndustryRow(3, "ON", year, row);
    }
}

QVariantMap trendRow(ReportDatabases &db)
{
    return ReportDatabases::rows(db.user, "Rpt_Comparison_Trend").value(0);
}

} // namespace

class TestComparisonTrend : public QObject
{
    Q_OBJECT

private slots:
    void ratioWithoutMeaningHasNoValue_data()
    {
        QTest::addColumn<QByteArray>("ratio");
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<double>("amount");
        QTest::addColumn<bool>("meaningful");

        QTest::newRow("npm:no revenue") << QByteArray("NPM") << QByteArray("rev") << 0.0 << false;
        QTest::newRow("ppm:negative revenue")
            << QByteArray("PPM") << QByteArray("rev") << -5.0 << false;
        QTest::newRow("opm:no revenue") << QByteArray("OPM") << QByteArray("rev") << 0.0 << false;
        QTest::newRow("gpm:no sales") << QByteArray("GPM") << QByteArray("sales") << 0.0 << false;
        QTest::newRow("roe:negative equity")
            << QByteArray("ROE") << QByteArray("equity") << -500.0 << false;
        QTest::newRow("de:no equity") << QByteArray("DE") << QByteArray("equity") << 0.0 << false;
        QTest::newRow("rt:no receivables") << QByteArray("RT") << QByteArray("ar") << 0.0 << false;
        QTest::newRow("it:no inventory") << QByteArray("IT") << QByteArray("inv") << 0.0 << false;
        QTest::newRow("wc:no current liabilities")
            << QByteArray("WC") << QByteArray("curl") << 0.0 << false;
        QTest::newRow("ic:no interest")
            << QByteArray("IC") << QByteArray("interest") << 0.0 << false;
        QTest::newRow("npm:no profit is meaningful")
            << QByteArray("NPM") << QByteArray("profit") << 0.0 << true;
        QTest::newRow("roe:positive equity")
            << QByteArray("ROE") << QByteArray("equity") << 500.0 << true;
    }

    void ratioWithoutMeaningHasNoValue()
    {
        QFETCH(QByteArray, ratio);
        QFETCH(QByteArray, item);
        QFETCH(double, amount);
        QFETCH(bool, meaningful);
        FirmStatement s = healthyStatement();
        if (item == "rev")
            s.OperatingRevenue = amount;
        else if (item == "sales")
            s.Sales = amount;
        else if (item == "equity")
            s.Equity1 = amount;
        else if (item == "ar")
            s.Ar = amount;
        else if (item == "inv")
            s.Inv = amount;
        else if (item == "curl")
            s.CurrentLiabilities = amount;
        else if (item == "interest")
            s.InterestExpense = amount;
        else if (item == "profit")
            s.ProfitAfterTax = amount;
        const std::optional<double> value = meaningfulRatio(ratioNamed(ratio.constData()), s);
        QCOMPARE(value.has_value(), meaningful);
        if (item == "profit")
            QCOMPARE(*value, 0.0);
    }

    void seriesFollowTheYearsInOrderWithGaps()
    {
        TrendYear y2006{2006, healthyStatement(1.2), {}};
        TrendYear y2004{2004, healthyStatement(1.0), {}};
        y2004.industry.fill(quartiles(1, 2, 3));
        FirmStatement noRevenue = healthyStatement();
        noRevenue.OperatingRevenue = 0;
        TrendYear y2005{2005, noRevenue, {}};
        y2005.industry.fill(quartiles(4, 5, 6));

        const std::vector<TrendSeries> series = trendSeries({y2006, y2004, y2005});
        QCOMPARE(series.size(), kRatioColumns.size());
        const TrendSeries &npm = series.at(0);
        QCOMPARE(QLatin1String(npm.ratio->key), QLatin1String("NPM"));
        QCOMPARE(npm.years, (std::vector<int>{2004, 2005, 2006}));
        QCOMPARE(*npm.points.at(0).firm, 300.0 / 5000.0 * 100);
        QVERIFY(!npm.points.at(1).firm); // no revenue in 2005: a gap
        QCOMPARE(*npm.points.at(1).industry.q2, 5.0);
        QVERIFY(npm.points.at(2).firm.has_value());
        QVERIFY(!npm.points.at(2).industry.q2); // no industry data for 2006
    }

    void chartSpecReadsBackWithItsGaps()
    {
        TrendSeries series;
        series.ratio = &ratioNamed("DE");
        series.years = {2004, 2005, 2006};
        series.points = {{0.85, quartiles(2, 1.18, 0.5)},
                         {std::nullopt, quartiles(2.5, 1.5, 0.7)},
                         {1.25, Quartiles{}}};
        const QString spec = trendChartSpec(series);
        const std::optional<TrendChart> chart = parseTrendChart(spec);
        QVERIFY2(chart, qPrintable(spec));
        QVERIFY(chart->lowerIsBetter);
        QCOMPARE(chart->years, (QVector<int>{2004, 2005, 2006}));
        QCOMPARE(*chart->firm.at(0), 0.85);
        QVERIFY(!chart->firm.at(1));
        QCOMPARE(*chart->median.at(0), 1.18);
        QVERIFY(!chart->q1.at(2));
        QVERIFY(!chart->q3.at(2));
    }

    void malformedChartsAreRefused_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("not a trend") << "chart:pie;x=2004";
        QTest::newRow("lists disagree") << "chart:trend;lower=0;x=2004,2005;f=1;l=1,2;m=1,2;u=1,2";
        QTest::newRow("no years") << "chart:trend;lower=0;f=;l=;m=;u=";
        QTest::newRow("not a number") << "chart:trend;lower=0;x=2004;f=abc;l=1;m=2;u=3";
    }

    void malformedChartsAreRefused()
    {
        QFETCH(QString, source);
        QVERIFY(!parseTrendChart(source));
    }

    void aGapIsNotDrawnAsZero()
    {
        // The firm has values in the first and last year only; nothing of its
        // colour may appear over the middle year, where a zero would be drawn.
        TrendChart chart;
        chart.years = {2004, 2005, 2006};
        chart.firm = {10.0, std::nullopt, 12.0};
        chart.q1 = {std::nullopt, std::nullopt, std::nullopt};
        chart.median = chart.q1;
        chart.q3 = chart.q1;
        QImage image(300, 90, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            paintTrendChart(painter, QRectF(0, 0, 300, 90), chart);
        }
        const auto firmPixelsIn = [&](int fromX, int toX) {
            int count = 0;
            for (int x = fromX; x < toX; ++x)
                for (int y = 0; y < image.height(); ++y) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.red() > 150 && c.green() < 130 && c.blue() < 90)
                        ++count;
                }
            return count;
        };
        const double column = (300 - 12) / 3.0;
        QVERIFY(firmPixelsIn(0, int(column)) > 0);
        QVERIFY(firmPixelsIn(int(2 * column), 300) > 0);
        QCOMPARE(firmPixelsIn(int(column) + 8, int(2 * column) - 8), 0);
    }

    void rangeCoversEveryValueDrawn()
    {
        TrendChart chart;
        chart.years = {2005, 2006};
        chart.firm = {-3.0, 8.0};
        chart.q1 = {1.0, std::nullopt};
        chart.median = {2.0, 2.5};
        chart.q3 = {12.0, std::nullopt};
        const std::optional<ChartRange> range = trendChartRange(chart);
        QVERIFY(range);
        QVERIFY(range->low < -3.0);
        QVERIFY(range->high > 12.0);
        chart.firm = {std::nullopt, std::nullopt};
        chart.q1 = chart.firm;
        chart.median = chart.firm;
        chart.q3 = chart.firm;
        QVERIFY(!trendChartRange(chart));
    }

    void trendTableFollowsTheFirmsSavedYears_data()
    {
        QTest::addColumn<QList<int>>("savedYears");
        QTest::addColumn<int>("comparedYear");
        QTest::addColumn<QList<int>>("expectedYears"); // empty: no trend section

        QTest::newRow("one year") << QList<int>{} << 2006 << QList<int>{};
        QTest::newRow("two years") << QList<int>{2004} << 2006 << QList<int>{2004, 2006};
        QTest::newRow("three years")
            << QList<int>{2004, 2005} << 2006 << QList<int>{2004, 2005, 2006};
        QTest::newRow("compared year also saved")
            << QList<int>{2005, 2006} << 2005 << QList<int>{2005, 2006};
        QTest::newRow("a year outside the reference years")
            << QList<int>{2003} << 2006 << QList<int>{};
    }

    void trendTableFollowsTheFirmsSavedYears()
    {
        QFETCH(QList<int>, savedYears);
        QFETCH(int, comparedYear);
        QFETCH(QList<int>, expectedYears);
        ReportDatabases db;
        addIndustry(db, {2004, 2005, 2006});
        for (int year : savedYears)
            saveStatement(db.user, recordOf("Maple Ridge Homes", year,
                                            healthyStatement(1 + (year - 2004) * 0.1)));
        saveStatement(db.user, recordOf("Another Firm", 2005, healthyStatement()));

        QVERIFY(fncPrepareComparisonReport(
            db.reference, db.user, "com", 3, "ON", comparedYear, kNaics, "E",
            comparisonValues("Maple Ridge Homes", comparedYear, healthyStatement(2)),
            firmYears(db.user, "Maple Ridge Homes")));

        const QList<QVariantMap> rows = ReportDatabases::rows(db.user, "Rpt_Comparison_Trend");
        if (expectedYears.isEmpty()) {
            QVERIFY(rows.isEmpty());
            return;
        }
        QCOMPARE(rows.size(), 1);
        const QVariantMap row = rows.first();
        for (int slot = 1; slot <= kTrendYearSlots; ++slot) {
            const QVariant year = row.value(QStringLiteral("Year%1").arg(slot));
            if (slot <= expectedYears.size())
                QCOMPARE(year.toInt(), expectedYears.at(slot - 1));
            else
                QVERIFY(year.isNull());
        }
        // The compared year shows the statement on screen, not the saved one.
        const int comparedSlot = int(expectedYears.indexOf(comparedYear)) + 1;
        QCOMPARE(row.value(QStringLiteral("NPM_F%1").arg(comparedSlot)).toDouble(),
                 300.0 / 5000.0 * 100);
        // Industry medians come from each year's own row.
        for (int slot = 1; slot <= int(expectedYears.size()); ++slot)
            QCOMPARE(row.value(QStringLiteral("NPM_M%1").arg(slot)).toDouble(),
                     4.0 + (expectedYears.at(slot - 1) - 2004));
        QCOMPARE(row.value("Lbl_Trend_Title").toString(),
                 QStringLiteral("Your firm over the years"));
    }

    void firmNameMatchesWithoutRegardToCase()
    {
        ReportDatabases db;
        addIndustry(db, {2004, 2005, 2006});
        saveStatement(db.user, recordOf("ÉRABLE CONSTRUCTION", 2004, healthyStatement()));
        QVERIFY(fncPrepareComparisonReport(
            db.reference, db.user, "com", 3, "ON", 2006, kNaics, "F",
            comparisonValues("Érable construction", 2006, healthyStatement()),
            firmYears(db.user, "Érable construction")));
        const QVariantMap row = trendRow(db);
        QCOMPARE(row.value("Year1").toInt(), 2004);
        QCOMPARE(row.value("Year2").toInt(), 2006);
        QCOMPARE(row.value("Lbl_Trend_NotMeaningful").toString(), QStringLiteral("n.s."));
    }

    void yearsWithoutDataOrMeaningAreGapsNotZeros()
    {
        ReportDatabases db;
        addIndustry(db, {2005, 2006}); // 2004's table exists but holds no row
        FirmStatement negativeEquity = healthyStatement();
        negativeEquity.Equity1 = -500;
        saveStatement(db.user, recordOf("Maple Ridge Homes", 2004, healthyStatement()));
        saveStatement(db.user, recordOf("Maple Ridge Homes", 2005, negativeEquity));
        QVERIFY(fncPrepareComparisonReport(
            db.reference, db.user, "com", 3, "ON", 2006, kNaics, "E",
            comparisonValues("Maple Ridge Homes", 2006, healthyStatement()),
            firmYears(db.user, "Maple Ridge Homes")));
        const QVariantMap row = trendRow(db);
        // 2004: the firm's value stands, the industry's quartiles are gaps.
        QVERIFY(!row.value("ROE_F1").isNull());
        for (const char *column : {"ROE_L1", "ROE_M1", "ROE_U1"})
            QVERIFY2(row.value(column).isNull(), column);
        // 2005: negative equity leaves return on equity and debt to equity without meaning.
        QVERIFY(row.value("ROE_F2").isNull());
        QVERIFY(row.value("DE_F2").isNull());
        QVERIFY(!row.value("NPM_F2").isNull());
        QVERIFY(!row.value("ROE_M2").isNull());
        const std::optional<TrendChart> chart = parseTrendChart(row.value("Chart_ROE").toString());
        QVERIFY(chart);
        QVERIFY(!chart->firm.at(1));
        QVERIFY(!chart->median.at(0));
    }

    void olderUserDatabaseGetsTheTableOnFirstComparison()
    {
        ReportDatabases db;
        addIndustry(db, {2006});
        ReportDatabases::exec(db.user, "drop table if exists Rpt_Comparison_Trend");
        QVERIFY(fncPrepareComparisonReport(db.reference, db.user, "com", 3, "ON", 2006, kNaics, "E",
                                           comparisonValues("Solo", 2006, healthyStatement())));
        QVERIFY(ReportDatabases::rows(db.user, "Rpt_Comparison_Trend").isEmpty());
    }
};

QTEST_MAIN(TestComparisonTrend)
#include "tst_ComparisonTrend.moc"
