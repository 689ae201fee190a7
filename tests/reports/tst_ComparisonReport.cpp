#include "core/DatabaseError.h"
#include "core/UserDatabaseBackup.h"
#include "reports/ComparisonRatios.h"
#include "reports/RatioTargets.h"
#include "reports/ReportPreparation.h"
#include "support/LogicTestSupport.h"
#include "support/ReportFixture.h"

#include <QLocale>
#include <QTest>
#include <QThread>

#include <cmath>

using reportfixture::ReportDatabases;

namespace {

const QString kNaics = QStringLiteral("236110");

// The reference firm: total assets 2000; every percentage, ratio, position
// and variance below was worked out by hand from these amounts.
QStringList firmValues(const QString &year = "2006")
{
    return {"Joe's Garage", year, kNaics, "Builders' residential construction",
            // Cash, Ar, Inv, CA, OA, Toa, Invest, Ptfl, Ta
            "100", "400", "250", "650", "100", "1500", "300", "200", "2000",
            // OperatingRevenue, Sales, GrossProfit, OperatingProfit, InterestExpense,
            // PretaxProfit, ProfitAfterTax
            "5000", "4000", "1000", "500", "50", "400", "300",
            // AccountsPayable, Banks, Paper, Mtg, Bonds, Ol, AmtsAffil, OLiab, DefTax, Tliab
            "250", "100", "50", "250", "100", "50", "50", "100", "50", "1000",
            // ShareC, RetEarn, OtherSur, Equity1, TotLiabShareEq, CurrentAssets,
            // CurrentLiabilities
            "400", "500", "100", "1000", "2000", "700", "350"};
}

// The industry's 2006 row, its quartiles set to give every kind of position.
QVariantMap industryRow2006()
{
    QVariantMap row{{"NAICS", kNaics}, {"NumberOfFirms", 120}};
    const QList<std::pair<const char *, QList<double>>> quartiles = {
        {"NPM", {2, 4, 8}},    {"PPM", {3, 5, 7}},         {"OPM", {10, 12, 15}},
        {"GPM", {20, 30, 40}}, {"ORTTNOA", {0, 300, 500}}, {"RNOA", {10, 20, 30}},
        {"PPA", {25, 30, 35}}, {"RCE", {-5, 0, 25}},       {"RE", {10, 20, 30}},
        {"DE", {2, 1, 0.5}},   {"RT", {5, 10, 12.5}},      {"IT", {4, 8, 16}},
        {"WC", {1, 1.5, 3}},   {"LTA", {0.8, 0.6, 0.4}},   {"IC", {2, 5, 10}}};
    for (const auto &[prefix, q] : quartiles)
        for (int i = 0; i < 3; ++i)
            row.insert(QLatin1String(prefix) + QStringLiteral("Q%1").arg(i + 1), q.at(i));
    const QList<std::pair<const char *, double>> figures = {
        {"opp", 70},    {"opl", 30},    {"ppp", 65},      {"ppl", 35},     {"npp", 60},
        {"npl", 40},    {"a11", 10},    {"a12", 14},      {"a13", 10},     {"a18", 31},
        {"a19", 4},     {"totoa", 68},  {"a14", 11},      {"a151617", 21}, {"totass", 100},
        {"a22", 9},     {"a25100", 8},  {"a25200", 0.25}, {"a25500", 15},  {"a25400", 4.5},
        {"a25180", 3},  {"a24", 4},     {"a2329", 6},     {"a27", 2.25},   {"totliab", 52},
        {"totse", 48},  {"a31", 12},    {"a38", 16},      {"a283334", 20}, {"totlse", 99.25},
        {"curass", 45}, {"curliab", 24}};
    for (const auto &[name, value] : figures)
        row.insert(QLatin1String(name), value);
    return row;
}

// An industry with rows in all three years; the older years differ in
// their number of firms and cash share.
void addIndustry(ReportDatabases &db)
{
    for (int year : {2006, 2005, 2004}) {
        db.createDatasetTable(3, "ON", year);
        QVariantMap row = industryRow2006();
        if (year == 2005) {
            row["NumberOfFirms"] = 95;
            row["a11"] = 20;
        } else if (year == 2004) {
            row["NumberOfFirms"] = 80;
            row["a11"] = 30;
        }
        db.addIndustryRow(3, "ON", year, row);
    }
}

PreparationOutcome compare(ReportDatabases &db, qint16 year, const QString &language,
                           const QStringList &values)
{
    return fncPrepareComparisonReport(db.reference, db.user, "com", 3, "ON", year, kNaics, language,
                                      values);
}

// The ratios' title columns, each given "<column> <tag>" in the title source
// for one language; the titles table gets the columns too.
const QStringList kRatioTitleColumns = {"Lbl_NPM",  "Lbl_PPM", "Lbl_OPM", "Lbl_GPM", "Lbl_ORTTNOA",
                                        "Lbl_RNOA", "Lbl_PPA", "Lbl_RCE", "Lbl_RE",  "Lbl_RT",
                                        "Lbl_IT",   "Lbl_WC",  "Lbl_DE",  "Lbl_LTA", "Lbl_IC"};

void addRatioTitleColumns(Connection &user)
{
    for (const char *table : {"Rpt_Comparison_Titles_Source", "Rpt_Comparison_Titles"})
        for (const QString &column : kRatioTitleColumns)
            ReportDatabases::exec(user, QStringLiteral("alter table %1 add column %2 TEXT")
                                            .arg(QLatin1String(table), column));
}

void setRatioTitles(Connection &user, const QString &language, const QString &tag)
{
    QStringList assignments;
    for (const QString &column : kRatioTitleColumns)
        assignments << QStringLiteral("%1 = '%1 %2'").arg(column, tag);
    ReportDatabases::exec(user, QStringLiteral("update Rpt_Comparison_Titles_Source set %1 where "
                                               "Language = '%2'")
                                    .arg(assignments.join(", "), language));
}

// The tables a comparison fills, row by row.
QList<QList<QVariantMap>> comparisonTables(Connection &user)
{
    QList<QList<QVariantMap>> tables;
    for (const char *table :
         {"Rpt_Comparison", "Rpt_Comparison_Titles", "Rpt_Comparison_Notes", "Rpt_Comparison_Days",
          "Rpt_Comparison_Targets", "Rpt_Comparison_TargetRows", "Rpt_Comparison_TargetText",
          "Rpt_Comparison_Trend"})
        tables << ReportDatabases::rows(user, QLatin1String(table));
    return tables;
}

// How many values of the tables hold `text`.
int valuesHolding(const QList<QList<QVariantMap>> &tables, const QString &text)
{
    int count = 0;
    for (const QList<QVariantMap> &rows : tables)
        for (const QVariantMap &row : rows)
            for (const QVariant &value : row)
                count += value.toString().contains(text) ? 1 : 0;
    return count;
}

// The comparison prepared on connections of its own, opened afresh (they
// share nothing kept with the suite's): its tables, or why it failed.
QString prepareOnOwnConnections(ReportDatabases &db, const QString &language,
                                QList<QList<QVariantMap>> &tables)
{
    Connection reference;
    Connection user;
    QString failure;
    try {
        ConnectToFile(reference, db.reference.filePath(), "unknown");
        ConnectToFile(user, db.user.filePath(), "unknown");
        if (!fncPrepareComparisonReport(reference, user, "com", 3, "ON", 2006, kNaics, language,
                                        firmValues()))
            failure = "no data";
        tables = comparisonTables(user);
    } catch (const DatabaseError &error) {
        failure = error.description();
    }
    DisconnectFromDB(user);
    DisconnectFromDB(reference);
    return failure;
}

QVariantMap comparisonRow(ReportDatabases &db)
{
    const QList<QVariantMap> rows = ReportDatabases::rows(db.user, "Rpt_Comparison");
    if (rows.size() != 1)
        qWarning("Rpt_Comparison holds %d rows", int(rows.size()));
    return rows.value(0);
}

} // namespace

class tst_ComparisonReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_db = std::make_unique<ReportDatabases>();
        addIndustry(*m_db);
        const PreparationOutcome outcome = compare(*m_db, 2006, "E", firmValues());
        QVERIFY(outcome);
        QCOMPARE(outcome.message, QString());
        m_row = comparisonRow(*m_db);
    }

    void firmRow_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("expected");
        const QList<std::pair<const char *, QVariant>> expected = {
            // Identity
            {"MyFirmName", "Joe's Garage"},
            {"MyYear", 2006},
            {"MyNAICS", "236110"},
            {"MyIndustry", "Builders' residential construction"},
            {"MyVol", "V3E firms' title - Ontario"},
            // Percentages of total assets 2000
            {"MyCash", 5},
            {"MyAr", 20},
            {"MyInv", 12.5},
            {"MyCA", 32.5},
            {"MyOA", 5},
            {"MyToa", 75},
            {"MyInvest", 15},
            {"MyPtfl", 10},
            {"MyTa", 100},
            {"MyAccountsPayable", 12.5},
            {"MyBanks", 5},
            {"MyPaper", 2.5},
            {"MyMtg", 12.5},
            {"MyBonds", 5},
            {"MyOl", 2.5},
            {"MyAmtsAffil", 2.5},
            {"MyOLiab", 5},
            {"MyDefTax", 2.5},
            {"MyTliab", 50},
            {"MyShareC", 20},
            {"MyRetEarn", 25},
            {"MyOtherSur", 5},
            {"MyEquity1", 50},
            {"MyTotLiabShareEq", 100},
            {"MyCurrentAssets", 35},
            {"MyCurrentLiabilities", 17.5},
            // Income amounts as given
            {"MyOperatingRevenue", 5000},
            {"MyGrossProfit", 1000},
            {"MyOperatingProfit", 500},
            {"MyInterestExpense", 50},
            {"MyPretaxProfit", 400},
            {"MyProfitAfterTax", 300},
            // Ratios: NOA 1250, borrowed funds 600, capital employed 1600
            {"MyNPM", 6},
            {"MyPPM", 8},
            {"MyOPM", 10},
            {"MyGPM", 25},
            {"MyORTNOA", 400},
            {"MyRONOA", 40},
            {"MyPPTA", 20},
            {"MyROCE", 21.875},
            {"MyROE", 30},
            {"MyRT", 12.5},
            {"MyIT", 12},
            {"MyWC", 2},
            {"MyDE", 0.6},
            {"MyLTA", 0.5},
            {"MyIC", 9},
            // Positions
            {"BetterNPM", 50},
            {"WorseNPM", 25}, // 6 within 4..8
            {"BetterPPM", 75},
            {"WorsePPM", 0}, // 8 above 7
            {"BetterOPM", 0},
            {"WorseOPM", 50}, // 10 ties Q1
            {"BetterGPM", 25},
            {"WorseGPM", 50}, // 25 within 20..30
            {"BetterORTNOA", 50},
            {"WorseORTNOA", 25}, // Q1 0 skipped
            {"BetterRONOA", 75},
            {"WorseRONOA", 0}, // 40 above 30
            {"BetterPPA", 0},
            {"WorsePPA", 75}, // 20 below 25
            {"BetterRCE", 25},
            {"WorseRCE", 25}, // Q2 0 skipped
            {"BetterRE", 50},
            {"WorseRE", 0}, // 30 ties Q3
            {"BetterRT", 50},
            {"WorseRT", 0}, // 12.5 ties Q3
            {"BetterIT", 50},
            {"WorseIT", 25}, // 12 within 8..16
            {"BetterWC", 50},
            {"WorseWC", 25}, // 2 within 1.5..3
            {"BetterDE", 50},
            {"WorseDE", 25}, // lower is better: 0.6 within 1..0.5
            {"BetterLTA", 50},
            {"WorseLTA", 25}, // lower is better: 0.5 within 0.6..0.4
            {"BetterIC", 50},
            {"WorseIC", 25}, // 9 within 5..10
            // Variances: firm percentage minus industry percentage
            {"VarianceCash", -5},
            {"VarianceAR", 6},
            {"VarianceInvent", 2.5},
            {"VarianceCA", 1.5},
            {"VarianceOA", 1},
            {"VarianceTOA", 7},
            {"VarianceInvest", 4},
            {"VariancePTFL", -11},
            {"VarianceTOTASS", 0},
            {"VarianceAP", 3.5},
            {"VarianceBanks", -3},
            {"VarianceSTPAPER", 2.25},
            {"VarianceMTG", -2.5},
            {"VarianceBonds", 0.5},
            {"VarianceOLoans", -0.5},
            {"VarianceAOTA", -1.5},
            {"VarianceOLiab", -1},
            {"VarianceDefTax", 0.25},
            {"VarianceTL", -2},
            {"VarianceEq", 2},
            {"VarianceSC", 8},
            {"VarianceRE", 9},
            {"VarianceOS", -15},
            {"VarianceSETL", 0.75},
            {"VarianceCurrA", -10},
            {"VarianceCurrL", -6.5},
            // Industry figures copied from the 2006 row
            {"NumberOfFirms", 120},
            {"PPAQ2", 30},
            {"LTAQ2", 0.6},
            {"NPMQ2", 4},
            {"PPMQ2", 5},
            {"OPMQ2", 12},
            {"GPMQ2", 30},
            {"ORTTNOAQ2", 300},
            {"RNOAQ2", 20},
            {"RCEQ2", 0},
            {"REQ2", 20},
            {"RTQ2", 10},
            {"ITQ2", 8},
            {"WCQ2", 1.5},
            {"DEQ2", 1},
            {"ICQ2", 5},
            {"OPP", 70},
            {"OPL", 30},
            {"PPP", 65},
            {"PPL", 35},
            {"NPP", 60},
            {"NPL", 40},
            {"A11", 10},
            {"A12", 14},
            {"A13", 10},
            {"A18", 31},
            {"A19", 4},
            {"TOTOA", 68},
            {"A14", 11},
            {"A151617", 21},
            {"TOTASS", 100},
            {"A22", 9},
            {"A25100", 8},
            {"A25200", 0.25},
            {"A25500", 15},
            {"A25400", 4.5},
            {"A25180", 3},
            {"A24", 4},
            {"A2329", 6},
            {"A27", 2.25},
            {"TOTLIAB", 52},
            {"A31", 12},
            {"A38", 16},
            {"A283334", 20},
            {"TOTSE", 48},
            {"TOTLSE", 99.25},
            {"CURASS", 45},
            {"CURLIAB", 24}};
        for (const auto &[column, value] : expected)
            QTest::newRow(column) << QString::fromLatin1(column) << value;
    }
    void firmRow()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, expected);
        QVERIFY2(m_row.contains(column), qPrintable(column));
        const QVariant actual = m_row.value(column);
        QVERIFY2(!actual.isNull(), qPrintable(column + " is null"));
        if (expected.typeId() == QMetaType::QString)
            QCOMPARE(actual.toString(), expected.toString());
        else
            QCOMPARE(actual.toDouble(), expected.toDouble());
    }

    void everyColumnFilled()
    {
        // 156 columns, none left empty for a complete industry row.
        QCOMPARE(m_row.size(), 156);
        for (auto it = m_row.cbegin(); it != m_row.cend(); ++it)
            QVERIFY2(!it.value().isNull(), qPrintable(it.key()));
        QCOMPARE(ReportDatabases::sqlType(m_db->user, "Rpt_Comparison", "MyCash"), "real");
        QCOMPARE(ReportDatabases::sqlType(m_db->user, "Rpt_Comparison", "BetterNPM"), "real");
    }

    void titles()
    {
        const QList<QVariantMap> rows = ReportDatabases::rows(m_db->user, "Rpt_Comparison_Titles");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().value("Language").toString(), QStringLiteral("E"));
        QCOMPARE(rows.first().value("NAICS").toString(), kNaics);
        QCOMPARE(rows.first().value("Heading_Firm").toString(), QStringLiteral("Firm E"));
    }

    void firmYearPicksItsWorkTable_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<double>("firms");
        QTest::addColumn<double>("industryCash");
        QTest::addColumn<double>("cashVariance");
        QTest::newRow("2006") << 2006 << 120.0 << 10.0 << -5.0;
        QTest::newRow("2005") << 2005 << 95.0 << 20.0 << -15.0;
        QTest::newRow("2004") << 2004 << 80.0 << 30.0 << -25.0;
    }
    void firmYearPicksItsWorkTable()
    {
        QFETCH(int, year);
        QFETCH(double, firms);
        QFETCH(double, industryCash);
        QFETCH(double, cashVariance);
        ReportDatabases db;
        addIndustry(db);
        // The year in the list is not the one written: the argument is.
        QVERIFY(compare(db, qint16(year), "E", firmValues("2006")));
        const QVariantMap row = comparisonRow(db);
        QCOMPARE(row.value("MyYear").toInt(), year);
        QCOMPARE(row.value("NumberOfFirms").toDouble(), firms);
        QCOMPARE(row.value("A11").toDouble(), industryCash);
        QCOMPARE(row.value("VarianceCash").toDouble(), cashVariance);
        // The extraction always covers 2006, 2005 and 2004.
        QCOMPARE(
            ReportDatabases::rows(db.user, "Rpt_Data_CY").first().value("NumberOfFirms").toInt(),
            120);
        QCOMPARE(
            ReportDatabases::rows(db.user, "Rpt_Data_CYM1").first().value("NumberOfFirms").toInt(),
            95);
        QCOMPARE(
            ReportDatabases::rows(db.user, "Rpt_Data_CYM2").first().value("NumberOfFirms").toInt(),
            80);
    }

    void noDataForTheFirmsYear_data()
    {
        QTest::addColumn<QList<int>>("tables");
        QTest::addColumn<QList<int>>("industryIn");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("en: year table absent")
            << QList<int>{2006, 2004} << QList<int>{2006, 2004} << 2005 << "E"
            << "This industry has no data for 2005";
        QTest::newRow("fr: year table absent")
            << QList<int>{2006, 2004} << QList<int>{2006, 2004} << 2005 << "F"
            << "Il n'y a pas de données pour cette industrie pour2005";
        QTest::newRow("en: report year absent, firm year 2004")
            << QList<int>{2005, 2004} << QList<int>{2005, 2004} << 2004 << "E"
            << "This industry has no data for 2004";
        QTest::newRow("fr: industry missing from the year's table")
            << QList<int>{2006, 2005, 2004} << QList<int>{2006, 2005} << 2004 << "f"
            << "Il n'y a pas de données pour cette industrie pour2004";
        QTest::newRow("en: year outside the three")
            << QList<int>{2006, 2005, 2004} << QList<int>{2006, 2005, 2004} << 2003 << "E"
            << "This industry has no data for 2003";
    }
    void noDataForTheFirmsYear()
    {
        QFETCH(QList<int>, tables);
        QFETCH(QList<int>, industryIn);
        QFETCH(int, year);
        QFETCH(QString, language);
        QFETCH(QString, message);
        ReportDatabases db;
        addIndustry(db);
        QVERIFY(compare(db, 2006, "E", firmValues()));
        const QList<QVariantMap> titlesBefore =
            ReportDatabases::rows(db.user, "Rpt_Comparison_Titles");
        for (int y : {2006, 2005, 2004})
            ReportDatabases::exec(db.reference,
                                  "drop table " + ReportDatabases::datasetTable(3, "ON", y));
        for (int y : tables) {
            db.createDatasetTable(3, "ON", y);
            db.addIndustryRow(3, "ON", y, {{"NAICS", "111110"}, {"NumberOfFirms", 5}});
            if (industryIn.contains(y))
                db.addIndustryRow(3, "ON", y, industryRow2006());
        }

        const PreparationOutcome outcome = compare(db, qint16(year), language, firmValues());
        QVERIFY(!outcome);
        QCOMPARE(outcome.message, message);
        QCOMPARE(ReportDatabases::rows(db.user, "Rpt_Comparison").size(), 0);
        QCOMPARE(ReportDatabases::rows(db.user, "Rpt_Comparison_Titles"), titlesBefore);
    }

    // Each amount needed, put in place of its input with every other amount
    // as entered, gives the industry's median through the firm's ratio code.
    void targetsReachTheMedian()
    {
        const QStringList values = firmValues();
        FirmStatement firm;
        for (int i = 0; i < kStatementItemCount; ++i)
            firm.*firmStatementAmounts()[i] = values.at(4 + i).toDouble();
        QStringList codes;
        for (const QVariantMap &target :
             ReportDatabases::rows(m_db->user, "Rpt_Comparison_Targets")) {
            const QString code = target.value("RatioCode").toString();
            codes << code;
            const auto ratio = std::find_if(kRatioColumns.begin(), kRatioColumns.end(),
                                            [&](const RatioColumns &r) { return code == r.key; });
            QVERIFY2(ratio != kRatioColumns.end(), qPrintable(code));
            const TargetInput input = targetInput(RatioId(ratio - kRatioColumns.begin()));
            QCOMPARE(target.value("Item").toString(), QLatin1String(input.column));
            QCOMPARE(target.value("AmountNow").toDouble(), firm.*input.amount);
            FirmStatement moved = firm;
            moved.*input.amount = target.value("AmountNeeded").toDouble();
            double median = 0;
            for (auto it = m_row.cbegin(); it != m_row.cend(); ++it)
                if (it.key().compare(QLatin1String(ratio->q2), Qt::CaseInsensitive) == 0)
                    median = it.value().toDouble();
            QVERIFY2(std::fabs(computeFirmRatios(moved).*ratio->value - median) < 1e-9,
                     qPrintable(code));
        }
        // Below the median: operating and gross margins, pretax profit to assets.
        QCOMPARE(codes, QStringList({"OPM", "GPM", "PPTA"}));
        const QList<QVariantMap> text =
            ReportDatabases::rows(m_db->user, "Rpt_Comparison_TargetText");
        QCOMPARE(text.value(0).value("Sec_Targets").toString(),
                 QStringLiteral("What it would take"));
        QCOMPARE(text.value(0).value("TargetCount").toInt(), 3);
    }

    void frenchReport()
    {
        ReportDatabases db;
        addIndustry(db);
        QVERIFY(compare(db, 2006, "F", firmValues()));
        QCOMPARE(comparisonRow(db).value("MyVol").toString(),
                 QStringLiteral("V3F firms' title - Ontario (fr)"));
        const QList<QVariantMap> titles = ReportDatabases::rows(db.user, "Rpt_Comparison_Titles");
        QCOMPARE(titles.size(), 1);
        QCOMPARE(titles.first().value("Heading_Firm").toString(), QStringLiteral("Firm F"));
        const QList<QVariantMap> text = ReportDatabases::rows(db.user, "Rpt_Comparison_TargetText");
        QCOMPARE(text.value(0).value("Sec_Targets").toString(),
                 QStringLiteral("Ce qu'il faudrait"));
    }

    // Ratios over a zero or negative denominator keep the value the formulas
    // give but get no position; the composed texts say why, in both languages.
    void negativeEquity_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("mark");
        QTest::newRow("en") << "E"
                            << "n/m";
        QTest::newRow("fr") << "F"
                            << "n.s.";
    }

    void negativeEquity()
    {
        QFETCH(QString, language);
        QFETCH(QString, mark);
        ReportDatabases db;
        addIndustry(db);
        QStringList values = firmValues();
        values[30] = "-1000"; // ShareC
        values[33] = "-400";  // Equity1: capital employed 600 - 400 = 200
        values[34] = "600";   // TotLiabShareEq
        QVERIFY(compare(db, 2006, language, values));
        const QVariantMap row = comparisonRow(db);
        QCOMPARE(row.value("MyROE").toDouble(), 0.0);
        QCOMPARE(row.value("MyDE").toDouble(), 0.0);
        QCOMPARE(row.value("MyROCE").toDouble(), 175.0);    // 350 / 200 * 100
        QCOMPARE(row.value("MyEquity1").toDouble(), -20.0); // -400 / 2000 * 100
        QCOMPARE(row.value("MyShareC").toDouble(), -50.0);
        QCOMPARE(row.value("VarianceEq").toDouble(), -68.0); // -20 - 48
        for (const char *column : {"BetterDE", "WorseDE", "BetterRE", "WorseRE"})
            QVERIFY2(row.value(column).isNull(), column);
        // Capital employed is still positive: return on capital employed is ranked.
        QCOMPARE(row.value("BetterRCE").toDouble(), 75.0);

        const QList<QVariantMap> notes = ReportDatabases::rows(db.user, "Rpt_Comparison_Notes");
        QCOMPARE(notes.size(), 1);
        const QVariantMap n = notes.first();
        QCOMPARE(n.value("NM_ROE").toString(), mark);
        QCOMPARE(n.value("NM_DE").toString(), mark);
        QVERIFY(n.value("NM_ROCE").isNull());
        QVERIFY(n.value("Pic_ROE").isNull());
        QCOMPARE(n.value("Pic_ROCE").toDouble(), 100.0); // far above Q3 of 25
        QCOMPARE(n.value("Alerts").toString(),
                 language == "E" ? QStringLiteral("Shareholders' equity is negative (a deficit of "
                                                  "$400).")
                                 : QStringLiteral("Les capitaux propres sont négatifs (un déficit "
                                                  "de 400\u00a0$)."));
        QCOMPARE(n.value("Footnotes").toString().count("<br>"), 0); // one cause
        QVERIFY2(n.value("Footnotes")
                     .toString()
                     .contains(language == "E" ? "is negative" : "sont négatifs"),
                 qPrintable(n.value("Footnotes").toString()));
        QVERIFY(n.value("Verdict").toString().contains(language == "E" ? "Left out" : "Exclus"));
        QCOMPARE(n.value("MySales").toDouble(), 4000.0);

        // No amount is computed for them: "What it would take" names them with the cause.
        QStringList named;
        for (const QVariantMap &target :
             ReportDatabases::rows(db.user, "Rpt_Comparison_TargetRows")) {
            if (!target.value("AmountNeeded").isNull())
                continue;
            named << target.value("RatioCode").toString();
            QVERIFY2(target.value("Reason").toString().startsWith(
                         language == "E" ? "Shareholders' equity is negative: the ratio has no"
                                         : "Les capitaux propres sont négatifs : le ratio n'a pas"),
                     qPrintable(target.value("Reason").toString()));
        }
        QCOMPARE(named, QStringList({"ROE", "DE"}));
        for (const QVariantMap &target : ReportDatabases::rows(db.user, "Rpt_Comparison_Targets"))
            QVERIFY(!named.contains(target.value("RatioCode").toString()));
    }

    void zeroRevenueInterestInventory()
    {
        ReportDatabases db;
        addIndustry(db);
        QStringList values = firmValues();
        values[13] = "0"; // OperatingRevenue
        values[17] = "0"; // InterestExpense
        values[6] = "0";  // Inv
        QVERIFY(compare(db, 2006, "E", values));
        const QVariantMap row = comparisonRow(db);
        for (const char *column : {"MyNPM", "MyPPM", "MyOPM", "MyRT", "MyIC", "MyIT", "MyORTNOA",
                                   "MyInv", "MyOperatingRevenue", "MyInterestExpense"})
            QVERIFY2(!row.value(column).isNull() && row.value(column).toDouble() == 0.0, column);
        QCOMPARE(row.value("MyROCE").toDouble(), 18.75); // 300 / 1600 * 100
        // Revenue, interest and inventory divide these: no position.
        for (const char *column : {"BetterNPM", "WorseNPM", "BetterPPM", "BetterOPM", "BetterIC",
                                   "WorseIC", "BetterIT", "WorseIT"})
            QVERIFY2(row.value(column).isNull(), column);
        // Revenue over net operating assets only has a zero numerator: ranked.
        QCOMPARE(row.value("BetterORTNOA").toDouble(), 0.0);
        QCOMPARE(row.value("WorseORTNOA").toDouble(), 50.0);
        QCOMPARE(row.value("BetterRT").toDouble(), 0.0);
        QCOMPARE(row.value("VarianceInvent").toDouble(), -10.0);
    }

    void missingIndustryFigures()
    {
        ReportDatabases db;
        addIndustry(db);
        for (const char *column : {"NPMQ1", "deq2", "a11", "opp", "totse"})
            ReportDatabases::exec(db.reference,
                                  QStringLiteral("update ROVAL_Vol3_ON_2006_Final_Ratios set ") +
                                      column + " = null");
        QVERIFY(compare(db, 2006, "E", firmValues()));
        const QVariantMap row = comparisonRow(db);
        for (const char *column : {"BetterNPM", "WorseNPM", "BetterDE", "WorseDE", "VarianceCash",
                                   "VarianceEq", "A11", "OPP", "TOTSE", "DEQ2"})
            QVERIFY2(row.value(column).isNull(), column);
        QCOMPARE(row.value("NPMQ2").toDouble(), 4.0);
        QCOMPARE(row.value("BetterPPM").toDouble(), 75.0);
        QCOMPARE(row.value("VarianceAR").toDouble(), 6.0);
        QCOMPARE(row.value("MyNPM").toDouble(), 6.0);
    }

    void amountsReadTheSameInEveryLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("en_CA") << "en_CA";
        QTest::newRow("fr_CA") << "fr_CA";
        QTest::newRow("de_DE") << "de_DE";
    }
    void amountsReadTheSameInEveryLocale()
    {
        QFETCH(QString, locale);
        const QLocale previous;
        QLocale::setDefault(QLocale(locale));
        ReportDatabases db;
        addIndustry(db);
        QStringList values = firmValues();
        values[4] = "250.5";    // Cash
        values[5] = "249,5";    // Ar, with a decimal comma
        values[13] = "5.0E+03"; // OperatingRevenue in scientific form
        const bool prepared = bool(compare(db, 2006, "E", values));
        QLocale::setDefault(previous);
        QVERIFY(prepared);
        const QVariantMap row = comparisonRow(db);
        QCOMPARE(row.value("MyCash").toDouble(), 12.525); // 250.5 / 2000 * 100
        QCOMPARE(row.value("MyAr").toDouble(), 12.475);
        QCOMPARE(row.value("MyOperatingRevenue").toDouble(), 5000.0);
        QCOMPARE(row.value("MyRT").toDouble(), 5000 / 249.5);
        QCOMPARE(ReportDatabases::sqlType(db.user, "Rpt_Comparison", "MyCash"), "real");
    }

    // Cash as typed: a plain or scientific number with either decimal mark
    // and a sign is read; grouping, two signs, words and non-finite values
    // are a type mismatch (error 13).
    void cashAmountTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("cash"); // NaN: refused
        const double refused = std::nan("");
        QTest::newRow("plain") << "100" << 5.0;
        QTest::newRow("spaces around") << "  100 " << 5.0;
        QTest::newRow("plus sign") << "+100" << 5.0;
        QTest::newRow("minus sign") << "-100" << -5.0;
        QTest::newRow("decimal comma") << "100,0" << 5.0;
        QTest::newRow("trailing point") << "100." << 5.0;
        QTest::newRow("leading point") << ".5" << 0.025;
        QTest::newRow("exponent") << "1e2" << 5.0;
        QTest::newRow("exponent with sign") << "1.0E+02" << 5.0;
        QTest::newRow("two signs") << "+-100" << refused;
        QTest::newRow("grouped") << "1,000.5" << refused;
        QTest::newRow("grouped with a space") << "1 000" << refused;
        QTest::newRow("word") << "12abc" << refused;
        QTest::newRow("empty") << "" << refused;
        QTest::newRow("sign alone") << "+" << refused;
        QTest::newRow("infinity") << "inf" << refused;
        QTest::newRow("not a number") << "nan" << refused;
        QTest::newRow("too large") << "1e400" << refused;
        QTest::newRow("other digits") << QString::fromUtf8("\u0661\u0660\u0660") << refused;
    }
    void cashAmountTexts()
    {
        QFETCH(QString, text);
        QFETCH(double, cash);
        ReportDatabases db;
        addIndustry(db);
        QStringList values = firmValues();
        values[4] = text; // Cash; total assets stay 2000
        if (std::isnan(cash)) {
            try {
                compare(db, 2006, "E", values);
                QFAIL("the amount was read");
            } catch (const DatabaseError &error) {
                QCOMPARE(error.number(), 13);
            }
            return;
        }
        QVERIFY(compare(db, 2006, "E", values));
        QCOMPARE(comparisonRow(db).value("MyCash").toDouble(), cash);
    }

    // A failure anywhere leaves the work tables and the comparison row of the
    // previous report.
    void failureLeavesTablesUnchanged_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<int>("badAmount");
        QTest::newRow("variance column dropped")
            << "alter table Rpt_Comparison drop column VarianceOS" << -1;
        QTest::newRow("titles column dropped")
            << "alter table Rpt_Comparison_Titles drop column Heading_Firm" << -1;
        QTest::newRow("amount not a number") << QString() << 10;
    }
    void failureLeavesTablesUnchanged()
    {
        QFETCH(QString, breakage);
        QFETCH(int, badAmount);
        ReportDatabases db;
        addIndustry(db);
        QStringList first = firmValues();
        first[0] = "First firm";
        QVERIFY(compare(db, 2006, "E", first));
        ReportDatabases::exec(db.reference,
                              "update ROVAL_Vol3_ON_2006_Final_Ratios set NumberOfFirms = 1");
        const QList<QVariantMap> dataBefore = ReportDatabases::rows(db.user, "Rpt_Data_CY");

        if (!breakage.isEmpty())
            ReportDatabases::exec(db.user, breakage);
        QStringList values = firmValues();
        if (badAmount >= 0)
            values[badAmount] = "12abc";
        QVERIFY_THROWS_EXCEPTION(DatabaseError, compare(db, 2006, "F", values));

        // A dropped column changes the rows' shape, so the previous report is
        // recognised by its content.
        QCOMPARE(ReportDatabases::rows(db.user, "Rpt_Data_CY"), dataBefore);
        QCOMPARE(dataBefore.first().value("NumberOfFirms").toInt(), 120);
        const QList<QVariantMap> comparison = ReportDatabases::rows(db.user, "Rpt_Comparison");
        QCOMPARE(comparison.size(), 1);
        QCOMPARE(comparison.first().value("MyFirmName").toString(), QStringLiteral("First firm"));
        QCOMPARE(comparison.first().value("MyVol").toString(),
                 QStringLiteral("V3E firms' title - Ontario"));
        const QList<QVariantMap> titles = ReportDatabases::rows(db.user, "Rpt_Comparison_Titles");
        QCOMPARE(titles.size(), 1);
        QCOMPARE(titles.first().value("Language").toString(), QStringLiteral("E"));
    }

    // Texts and statements kept between preparations never give a later
    // preparation another answer than a program just started would: after
    // the language changes, after the title source is replaced (a backup
    // restored, the title tables refreshed, by this connection or another),
    // and on another thread with its own connections.
    void keptTextsFollowTheirSources_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("expectedTag");
        QTest::newRow("language changed") << "language"
                                          << "F"
                                          << "[F]";
        // A restored database is brought up to this release: its title
        // tables come from the program's own title source.
        QTest::newRow("backup restored") << "restore"
                                         << "E"
                                         << "Net profit margin";
        QTest::newRow("title source rebuilt") << "rebuild"
                                              << "E"
                                              << "[rebuilt]";
        QTest::newRow("title source rebuilt by another connection") << "rebuild elsewhere"
                                                                    << "E"
                                                                    << "[rebuilt]";
        QTest::newRow("other thread") << "thread"
                                      << "E"
                                      << "[E]";
    }
    void keptTextsFollowTheirSources()
    {
        QFETCH(QString, change);
        QFETCH(QString, language);
        QFETCH(QString, expectedTag);
        ReportDatabases db;
        addIndustry(db);
        addRatioTitleColumns(db.user);
        QTemporaryDir dir;
        const QString saved = dir.filePath("saved.mdb");
        setRatioTitles(db.user, "E", "[kept]");
        fncBackUpDatabase(db.user, saved);
        setRatioTitles(db.user, "E", "[E]");
        setRatioTitles(db.user, "F", "[F]");
        QVERIFY(compare(db, 2006, "E", firmValues()));
        QVERIFY(valuesHolding(comparisonTables(db.user), "[E]") > 0);

        const auto rebuild = [](Connection &user) {
            ReportDatabases::exec(user, "create table Rebuilt as select * from "
                                        "Rpt_Comparison_Titles_Source");
            ReportDatabases::exec(user, "drop table Rpt_Comparison_Titles_Source");
            ReportDatabases::exec(user,
                                  "alter table Rebuilt rename to Rpt_Comparison_Titles_Source");
            setRatioTitles(user, "E", "[rebuilt]");
        };
        if (change == "restore") {
            fncRestoreDatabase(db.user, saved, dir.filePath("aside.mdb"));
        } else if (change == "rebuild") {
            rebuild(db.user);
        } else if (change == "rebuild elsewhere") {
            Connection other;
            ConnectToFile(other, db.user.filePath(), "unknown");
            rebuild(other);
            DisconnectFromDB(other);
        }
        QList<QList<QVariantMap>> tables;
        if (change == "thread") {
            QString failure;
            std::unique_ptr<QThread> worker(
                QThread::create([&] { failure = prepareOnOwnConnections(db, language, tables); }));
            worker->start();
            QVERIFY(worker->wait(60000));
            QCOMPARE(failure, QString());
        } else {
            QVERIFY(compare(db, 2006, language, firmValues()));
            tables = comparisonTables(db.user);
        }

        // The same preparation on connections opened afresh, which share nothing kept.
        QList<QList<QVariantMap>> fresh;
        QCOMPARE(prepareOnOwnConnections(db, language, fresh), QString());
        QCOMPARE(tables, fresh);
        QVERIFY(valuesHolding(tables, expectedTag) > 0);
        for (const QString &stale : {QStringLiteral("[E]"), QStringLiteral("[F]"),
                                     QStringLiteral("[kept]"), QStringLiteral("[rebuilt]")})
            if (stale != expectedTag)
                QCOMPARE(valuesHolding(tables, stale), 0);
    }

private:
    std::unique_ptr<ReportDatabases> m_db;
    QVariantMap m_row;
};

QUORVEL_LOGIC_TEST_MAIN(tst_ComparisonReport)
#include "tst_ComparisonReport.moc"
