#include "reports/ComparisonFigures.h"
#include "support/LogicTestSupport.h"

#include <QHash>
#include <QTest>

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
};

QUORVEL_LOGIC_TEST_MAIN(tst_ComparisonFigures)
#include "tst_ComparisonFigures.moc"
