#include "reports/ComparisonFigures.h"
#include "reports/DaysFigures.h"
#include "reports/RatioPercentile.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"

#include <QHash>
#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(Quartiles)

Q_DECLARE_METATYPE(FirmStatement)
Q_DECLARE_METATYPE(FirmRatios)
Q_DECLARE_METATYPE(std::optional<double>)

namespace {

// The reference firm of the report tests: total assets 2000, every figure
// chosen so that each percentage and ratio comes out exact.
FirmStatement referenceFirm()
{
    FirmStatement s;
    s.Cash = 100;
    s.Ar = 400;
    s.Inv = 250;
    s.CA = 650;
    s.OA = 100;
    s.Toa = 1500;
    s.Invest = 300;
    s.Ptfl = 200;
    s.Ta = 2000;
    s.OperatingRevenue = 5000;
    s.Sales = 4000;
    s.GrossProfit = 1000;
    s.OperatingProfit = 500;
    s.InterestExpense = 50;
    s.PretaxProfit = 400;
    s.ProfitAfterTax = 300;
    s.AccountsPayable = 250;
    s.Banks = 100;
    s.Paper = 50;
    s.Mtg = 250;
    s.Bonds = 100;
    s.Ol = 50;
    s.AmtsAffil = 50;
    s.OLiab = 100;
    s.DefTax = 50;
    s.Tliab = 1000;
    s.ShareC = 400;
    s.RetEarn = 500;
    s.OtherSur = 100;
    s.Equity1 = 1000;
    s.TotLiabShareEq = 2000;
    s.CurrentAssets = 700;
    s.CurrentLiabilities = 350;
    return s;
}

// The statement's members by name, read the way the formulas read them.
QHash<QString, double> membersByName(const FirmStatement &s)
{
    return {{"Cash", s.Cash},
            {"Ar", s.Ar},
            {"Inv", s.Inv},
            {"CA", s.CA},
            {"OA", s.OA},
            {"Toa", s.Toa},
            {"Invest", s.Invest},
            {"Ptfl", s.Ptfl},
            {"Ta", s.Ta},
            {"OperatingRevenue", s.OperatingRevenue},
            {"Sales", s.Sales},
            {"GrossProfit", s.GrossProfit},
            {"OperatingProfit", s.OperatingProfit},
            {"InterestExpense", s.InterestExpense},
            {"PretaxProfit", s.PretaxProfit},
            {"ProfitAfterTax", s.ProfitAfterTax},
            {"AccountsPayable", s.AccountsPayable},
            {"Banks", s.Banks},
            {"Paper", s.Paper},
            {"Mtg", s.Mtg},
            {"Bonds", s.Bonds},
            {"Ol", s.Ol},
            {"AmtsAffil", s.AmtsAffil},
            {"OLiab", s.OLiab},
            {"DefTax", s.DefTax},
            {"Tliab", s.Tliab},
            {"ShareC", s.ShareC},
            {"RetEarn", s.RetEarn},
            {"OtherSur", s.OtherSur},
            {"Equity1", s.Equity1},
            {"TotLiabShareEq", s.TotLiabShareEq},
            {"CurrentAssets", s.CurrentAssets},
            {"CurrentLiabilities", s.CurrentLiabilities}};
}

FirmRatios ratios(std::initializer_list<double> values)
{
    FirmRatios r;
    double *fields[] = {&r.NPM, &r.PPM, &r.OPM, &r.GPM, &r.ORTNOA, &r.RONOA, &r.PPTA, &r.ROCE,
                        &r.ROE, &r.RT,  &r.IT,  &r.WC,  &r.DE,     &r.LTA,   &r.IC};
    int i = 0;
    for (double v : values)
        *fields[i++] = v;
    return r;
}

} // namespace

class tst_ComparisonFigures : public QObject
{
    Q_OBJECT

private slots:
    void itemsWriteTheirMember_data()
    {
        QTest::addColumn<int>("item");
        for (int i = 0; i < kStatementItemCount; ++i)
            QTest::newRow(statementItems()[i].column) << i;
    }

    void itemsWriteTheirMember()
    {
        // Setting an item the way the statement is read (by position in the
        // item list) writes the member of the item's name, and no other.
        QFETCH(int, item);
        FirmStatement s;
        s.*firmStatementAmounts()[item] = 1;
        const QHash<QString, double> members = membersByName(s);
        QCOMPARE(members.size(), kStatementItemCount);
        QStringList written;
        for (auto it = members.cbegin(); it != members.cend(); ++it) {
            if (it.value() != 0)
                written << it.key();
        }
        QCOMPARE(written, QStringList{QString::fromLatin1(statementItems()[item].column)});
    }

    void derivedSums()
    {
        const FirmStatement s = referenceFirm();
        QCOMPARE(netOperatingAssets(s), 1250.0); // 2000 - 300 - 200 - 250
        QCOMPARE(borrowedFunds(s), 600.0);       // 250 + 100 + 100 + 50 + 50 + 50
        QCOMPARE(capitalEmployed(s), 1600.0);    // 100 + 1000 + 250 + 100 + 50 + 50 + 50
    }

    void percentages_data()
    {
        QTest::addColumn<double>("item");
        QTest::addColumn<double>("totalAssets");
        QTest::addColumn<double>("expected");
        QTest::newRow("cash 250 of 1000") << 250.0 << 1000.0 << 25.0;
        QTest::newRow("total assets itself") << 1000.0 << 1000.0 << 100.0;
        QTest::newRow("twelve and a half") << 250.0 << 2000.0 << 12.5;
        QTest::newRow("negative item") << -50.0 << 2000.0 << -2.5;
        QTest::newRow("zero item") << 0.0 << 2000.0 << 0.0;
    }
    void percentages()
    {
        QFETCH(double, item);
        QFETCH(double, totalAssets);
        QFETCH(double, expected);
        QCOMPARE(percentOfTotalAssets(item, totalAssets), expected);
    }

    void firmRatios_data()
    {
        QTest::addColumn<FirmStatement>("statement");
        QTest::addColumn<FirmRatios>("expected");

        //                                NPM PPM OPM GPM ORTNOA RONOA PPTA ROCE    ROE RT    IT  WC
        //                                DE   LTA IC
        QTest::newRow("reference firm")
            << referenceFirm()
            << ratios({6, 8, 10, 25, 400, 40, 20, 21.875, 30, 12.5, 12, 2, 0.6, 0.5, 9});

        FirmStatement s = referenceFirm();
        s.OperatingRevenue = 0;
        QTest::newRow("zero revenue")
            << s << ratios({0, 0, 0, 25, 0, 40, 20, 21.875, 30, 0, 12, 2, 0.6, 0.5, 9});

        s = referenceFirm();
        s.InterestExpense = 0; // ROCE = 300 / 1600 * 100
        QTest::newRow("zero interest")
            << s << ratios({6, 8, 10, 25, 400, 40, 20, 18.75, 30, 12.5, 12, 2, 0.6, 0.5, 0});

        s = referenceFirm();
        s.Inv = 0;
        QTest::newRow("zero inventory")
            << s << ratios({6, 8, 10, 25, 400, 40, 20, 21.875, 30, 12.5, 0, 2, 0.6, 0.5, 9});

        s = referenceFirm();
        s.ProfitAfterTax = 0; // ROCE = 50 / 1600 * 100
        QTest::newRow("zero profit after tax")
            << s << ratios({0, 8, 10, 25, 400, 40, 20, 3.125, 0, 12.5, 12, 2, 0.6, 0.5, 9});

        s = referenceFirm();
        s.ProfitAfterTax = -50; // interest + profit after tax = 0
        QTest::newRow("ROCE numerator zero")
            << s << ratios({-1, 8, 10, 25, 400, 40, 20, 0, -5, 12.5, 12, 2, 0.6, 0.5, 9});

        s = referenceFirm();
        s.Equity1 = -500; // capital employed 600 - 500 = 100
        QTest::newRow("negative equity")
            << s << ratios({6, 8, 10, 25, 400, 40, 20, 350, 0, 12.5, 12, 2, 0, 0.5, 9});

        s = referenceFirm();
        s.Equity1 = 0; // capital employed 600
        QTest::newRow("zero equity")
            << s << ratios({6, 8, 10, 25, 400, 40, 20, 350.0 / 6, 0, 12.5, 12, 2, 0, 0.5, 9});

        s = referenceFirm();
        s.Equity1 = 500;
        s.Mtg = 650; // borrowed funds 1000 over equity 500: a plain 2, capital employed 1500
        QTest::newRow("debt to equity is a plain ratio")
            << s << ratios({6, 8, 10, 25, 400, 40, 20, 350.0 / 15, 60, 12.5, 12, 2, 2, 0.5, 9});

        s = referenceFirm();
        s.Sales = 0; // inventory turnover (0 - 1000) / 250
        QTest::newRow("zero sales")
            << s << ratios({6, 8, 10, 0, 400, 40, 20, 21.875, 30, 12.5, -4, 2, 0.6, 0.5, 9});

        s = referenceFirm();
        s.Invest = 1550; // net operating assets 2000 - 1550 - 200 - 250 = 0
        QTest::newRow("zero net operating assets")
            << s << ratios({6, 8, 10, 25, 0, 0, 20, 21.875, 30, 12.5, 12, 2, 0.6, 0.5, 9});
    }
    void firmRatios()
    {
        QFETCH(FirmStatement, statement);
        QFETCH(FirmRatios, expected);
        const FirmRatios actual = computeFirmRatios(statement);
        QCOMPARE(actual.NPM, expected.NPM);
        QCOMPARE(actual.PPM, expected.PPM);
        QCOMPARE(actual.OPM, expected.OPM);
        QCOMPARE(actual.GPM, expected.GPM);
        QCOMPARE(actual.ORTNOA, expected.ORTNOA);
        QCOMPARE(actual.RONOA, expected.RONOA);
        QCOMPARE(actual.PPTA, expected.PPTA);
        QCOMPARE(actual.ROCE, expected.ROCE);
        QCOMPARE(actual.ROE, expected.ROE);
        QCOMPARE(actual.RT, expected.RT);
        QCOMPARE(actual.IT, expected.IT);
        QCOMPARE(actual.WC, expected.WC);
        QCOMPARE(actual.DE, expected.DE);
        QCOMPARE(actual.LTA, expected.LTA);
        QCOMPARE(actual.IC, expected.IC);
    }

    void positions_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<std::optional<double>>("q1");
        QTest::addColumn<std::optional<double>>("q2");
        QTest::addColumn<std::optional<double>>("q3");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<std::optional<double>>("better");
        QTest::addColumn<std::optional<double>>("worse");
        using O = std::optional<double>;
        const int higher = int(RatioScale::HigherIsBetter);
        const int lower = int(RatioScale::LowerIsBetter);
        QTest::newRow("higher is better")
            << higher << O(2) << O(4) << O(8) << 6.0 << O(50) << O(25);
        QTest::newRow("lower is better")
            << lower << O(2) << O(1) << O(0.5) << 0.6 << O(50) << O(25);
        QTest::newRow("lower is better, high debt")
            << lower << O(2) << O(1) << O(0.5) << 3.0 << O(0) << O(75);
        QTest::newRow("zero quartile is present, test skipped")
            << higher << O(0) << O(300) << O(500) << 400.0 << O(50) << O(25);
        QTest::newRow("missing Q1") << higher << O() << O(4) << O(8) << 6.0 << O() << O();
        QTest::newRow("missing Q2") << lower << O(2) << O() << O(0.5) << 0.6 << O() << O();
        QTest::newRow("missing Q3") << higher << O(2) << O(4) << O() << 6.0 << O() << O();
    }
    void positions()
    {
        QFETCH(int, scale);
        QFETCH(std::optional<double>, q1);
        QFETCH(std::optional<double>, q2);
        QFETCH(std::optional<double>, q3);
        QFETCH(double, ratio);
        QFETCH(std::optional<double>, better);
        QFETCH(std::optional<double>, worse);
        const QuartilePosition position =
            quartilePosition(RatioScale(scale), Quartiles{q1, q2, q3}, ratio);
        QCOMPARE(position.better, better);
        QCOMPARE(position.worse, worse);
    }

    void variance_data()
    {
        QTest::addColumn<double>("firmPercent");
        QTest::addColumn<std::optional<double>>("industry");
        QTest::addColumn<std::optional<double>>("expected");
        using O = std::optional<double>;
        QTest::newRow("cash 25 against 10") << 25.0 << O(10) << O(15);
        QTest::newRow("below the industry") << 5.0 << O(10) << O(-5);
        QTest::newRow("industry zero") << 5.0 << O(0) << O(5);
        QTest::newRow("industry missing") << 5.0 << O() << O();
    }
    void variance()
    {
        QFETCH(double, firmPercent);
        QFETCH(std::optional<double>, industry);
        QFETCH(std::optional<double>, expected);
        QCOMPARE(balanceSheetVariance(firmPercent, industry), expected);
    }

    // Percentiles printed from the quartiles, interpolated by hand: between
    // Q1 = 2 and Q2 = 4, a ratio of 2.68 stands 25 + 0.68 / 2 × 25 = 33.5,
    // printed 34th; lower-is-better quartiles run the other way.
    void percentile_data()
    {
        QTest::addColumn<std::optional<double>>("q1");
        QTest::addColumn<std::optional<double>>("q3");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("french");
        using O = std::optional<double>;
        QTest::newRow("between Q1 and Q2") << O(2) << O(8) << 2.68 << "34th"
                                           << "34e";
        QTest::newRow("between Q2 and Q3") << O(2) << O(8) << 6.08 << "63rd"
                                           << "63e";
        QTest::newRow("on the median") << O(2) << O(8) << 4.0 << "50th"
                                       << "50e";
        QTest::newRow("below Q1, Q1's slope") << O(2) << O(8) << 1.36 << "17th"
                                              << "17e";
        QTest::newRow("far below: the 1st") << O(2) << O(8) << -50.0 << "1st"
                                            << "1er";
        QTest::newRow("far above: the 99th") << O(2) << O(8) << 90.0 << "99th"
                                             << "99e";
        QTest::newRow("lower is better: 8/4/2, 2.5 is 68.75") << O(8) << O(2) << 2.5 << "69th"
                                                              << "69e";
        QTest::newRow("eleventh, not first") << O(2) << O(8) << 2.0 - 14.0 / 25 * 2 << "11th"
                                             << "11e";
        QTest::newRow("no Q1: no percentile") << O() << O(8) << 5.0 << "\u2014"
                                              << "\u2014";
    }
    void percentile()
    {
        QFETCH(std::optional<double>, q1);
        QFETCH(std::optional<double>, q3);
        QFETCH(double, ratio);
        QFETCH(QString, english);
        QFETCH(QString, french);
        const Quartiles q{q1, 4.0, q3};
        const std::optional<int> p = estimatedPercentile(q, ratio);
        QCOMPARE(percentileText(p, ReportLanguage::English), english);
        QCOMPARE(percentileText(p, ReportLanguage::French), french);
    }

    // Days from the turnovers: 365 ÷ each, the quartiles weakest first (the
    // most days first), the firm's standing that of its turnover.
    void days_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<std::optional<double>>("firm");
        QTest::addColumn<Quartiles>("industry");
        QTest::addColumn<std::optional<double>>("better");
        QTest::addColumn<std::optional<double>>("place");
        using O = std::optional<double>;
        // healthyStatement: Ar 400, revenue 5000; Inv 250, AP 250, cost of sales 3000.
        // RT quartiles 5 / 10 / 20: days 73 / 36.5 / 18.25; the firm's 29.2 days is
        // its RT of 12.5, 50 + 2.5 / 10 × 25 = 56.25.
        QTest::newRow("DSO") << int(DaysId::SalesOutstanding) << O(29.2)
                             << Quartiles{73.0, 36.5, 18.25} << O(50) << O(56.25);
        // IT quartiles 6 / 10 / 24: days 60.83 / 36.5 / 15.21; the firm's 30.42
        // days is IT 12, 50 + 2 / 14 × 25 from the median.
        QTest::newRow("DIO") << int(DaysId::Inventory) << O(365.0 * 250 / 3000)
                             << Quartiles{365.0 / 6, 36.5, 365.0 / 24} << O(50)
                             << O(50 + 2.0 / 14 * 25);
        QTest::newRow("DPO: no quartiles")
            << int(DaysId::Payables) << O(365.0 * 250 / 3000) << Quartiles{} << O() << O();
    }
    void days()
    {
        QFETCH(int, days);
        QFETCH(std::optional<double>, firm);
        QFETCH(Quartiles, industry);
        QFETCH(std::optional<double>, better);
        QFETCH(std::optional<double>, place);
        std::array<Quartiles, kRatioCount> turnovers{};
        turnovers[int(RatioId::RT)] = {5.0, 10.0, 20.0};
        turnovers[int(RatioId::IT)] = {6.0, 10.0, 24.0};
        const DaysReading r = daysReadings(testsupport::healthyStatement(), turnovers)[days];
        const auto near = [](std::optional<double> a, std::optional<double> b) {
            return a.has_value() == b.has_value() && (!a || std::fabs(*a - *b) < 1e-9);
        };
        QVERIFY(near(r.firm, firm));
        QVERIFY(near(r.industry.q1, industry.q1));
        QVERIFY(near(r.industry.q2, industry.q2));
        QVERIFY(near(r.industry.q3, industry.q3));
        QCOMPARE(r.position.better, better);
        QVERIFY(near(r.place, place));
        // A turnover of zero or below gives no days.
        QCOMPARE(daysOf(0.0), std::optional<double>());
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_ComparisonFigures)
#include "tst_ComparisonFigures.moc"
