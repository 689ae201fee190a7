#include "core/DatabaseError.h"
#include "reports/ReportPreparation.h"
#include "reports/ReportTitles.h"
#include "support/LogicTestSupport.h"
#include "support/ReportFixture.h"

#include <QTest>

using reportfixture::ReportDatabases;

namespace {

const QString kNaics = QStringLiteral("236110");

void addIndustry(ReportDatabases &db, const QString &naics)
{
    for (int year : {2006, 2005, 2004}) {
        if (!DoesReportTableExist(ReportDatabases::datasetTable(3, "ON", year), db.reference))
            db.createDatasetTable(3, "ON", year);
        db.addIndustryRow(3, "ON", year, {{"NAICS", naics}, {"NumberOfFirms", year - 1900}});
    }
}

enum Report { Ratios, BalanceSheet };

bool prepare(Report report, ReportDatabases &db, const QString &naics, const QString &language,
             const QString &region = "ON", qint16 volume = 3)
{
    if (report == Ratios)
        return fncPrepareRatiosReport(db.reference, db.user, "rat", volume, region, 2006, naics,
                                      language);
    return fncPrepareBalanceSheetReport(db.reference, db.user, "bal", volume, region, 2006, naics,
                                        language);
}

QString titlesTable(Report report)
{
    return report == Ratios ? QStringLiteral("Rpt_Ratios_Titles")
                            : QStringLiteral("Rpt_BalanceSheet_Titles");
}

} // namespace

class tst_ReportTitles : public QObject
{
    Q_OBJECT

private slots:
    void titles_data()
    {
        QTest::addColumn<int>("report");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("upperLeft");
        QTest::addColumn<QString>("lowerLeft");
        QTest::newRow("en: ratios") << int(Ratios) << "E"
                                    << "Ratios E"
                                    << "V3E firms' title - Ontario"
                                    << "V3E second";
        QTest::newRow("fr: ratios") << int(Ratios) << "F"
                                    << "Ratios F"
                                    << "V3F firms' title - Ontario (fr)"
                                    << "V3F second";
        QTest::newRow("en: balance sheet") << int(BalanceSheet) << "E"
                                           << "Balance E"
                                           << "V3E firms' title - Ontario"
                                           << "V3E second";
        QTest::newRow("fr: balance sheet") << int(BalanceSheet) << "F"
                                           << "Balance F"
                                           << "V3F firms' title - Ontario (fr)"
                                           << "V3F second";
    }
    void titles()
    {
        QFETCH(int, report);
        QFETCH(QString, language);
        QFETCH(QString, label);
        QFETCH(QString, upperLeft);
        QFETCH(QString, lowerLeft);
        ReportDatabases db;
        addIndustry(db, kNaics);
        QVERIFY(prepare(Report(report), db, kNaics, language));

        const QList<QVariantMap> rows = ReportDatabases::rows(db.user, titlesTable(Report(report)));
        QCOMPARE(rows.size(), 1);
        const QVariantMap &row = rows.first();
        QCOMPARE(row.value("Language").toString(), language);
        QCOMPARE(row.value("Report_Label").toString(), label);
        QCOMPARE(row.value("Naics").toString(), kNaics);
        QCOMPARE(row.value("Title_LowerRight").toString(),
                 QStringLiteral("Years %1: 2004, 2005, 2006").arg(language));
        QCOMPARE(row.value("Title_UpperLeft").toString(), upperLeft);
        QCOMPARE(row.value("Title_LowerLeft").toString(), lowerLeft);
        QCOMPARE(row.value("Year_0").toString(), QStringLiteral("2006"));
        QCOMPARE(row.value("Year_1").toString(), QStringLiteral("2005"));
        QCOMPARE(row.value("Year_2").toString(), QStringLiteral("2004"));
        QCOMPARE(ReportDatabases::sqlType(db.user, titlesTable(Report(report)), "Year_0"), "text");
        if (report == Ratios) {
            QCOMPARE(row.value("Year_3").toString(), QStringLiteral("2003"));
            QCOMPARE(row.value("ML_Title").toString(), QStringLiteral("V3%1 large").arg(language));
            QCOMPARE(row.value("MM_Title").toString(), QStringLiteral("V3%1 medium").arg(language));
        } else {
            QVERIFY(!row.contains("Year_3"));
        }
        // The extraction ran first.
        QCOMPARE(
            ReportDatabases::rows(db.user, "Rpt_Data_CY").first().value("NumberOfFirms").toInt(),
            106);
    }

    void runningTwiceGivesTheSameTitles_data()
    {
        QTest::addColumn<int>("report");
        QTest::newRow("ratios") << int(Ratios);
        QTest::newRow("balance sheet") << int(BalanceSheet);
    }
    void runningTwiceGivesTheSameTitles()
    {
        QFETCH(int, report);
        ReportDatabases db;
        addIndustry(db, kNaics);
        QVERIFY(prepare(Report(report), db, kNaics, "E"));
        const QList<QVariantMap> first =
            ReportDatabases::rows(db.user, titlesTable(Report(report)));
        QVERIFY(prepare(Report(report), db, kNaics, "E"));
        QCOMPARE(ReportDatabases::rows(db.user, titlesTable(Report(report))), first);
        QCOMPARE(first.first().value("Title_LowerRight").toString(),
                 QStringLiteral("Years E: 2004, 2005, 2006"));
    }

    // Fixed columns take the value given, whatever their letter case; one the
    // source lacks is added; a source that gains a column is copied whole.
    void copyWithFixedColumns()
    {
        ReportDatabases db;
        ReportDatabases::exec(db.user, "create table T_Source (Language text, A text, Naics text)");
        ReportDatabases::exec(db.user,
                              "create table T (Language text, A text, Naics text, Extra text, "
                              "B text)");
        ReportDatabases::insert(db.user, "T_Source", {{"Language", "E"}, {"A", "a-en"}});
        ReportDatabases::insert(db.user, "T_Source", {{"Language", "F"}, {"A", "a-fr"}});
        for (const QString &naics : {QStringLiteral("111"), QStringLiteral("222")}) {
            copyTitleRows(db.user, "T", "T_Source", "e",
                          {{QStringLiteral("NAICS"), naics}, {QStringLiteral("Extra"), "x"}});
            const QList<QVariantMap> rows = ReportDatabases::rows(db.user, "T");
            QCOMPARE(rows.size(), 1);
            QCOMPARE(rows.first().value("A").toString(), QStringLiteral("a-en"));
            QCOMPARE(rows.first().value("Naics").toString(), naics);
            QCOMPARE(rows.first().value("Extra").toString(), QStringLiteral("x"));
        }
        ReportDatabases::exec(db.user, "alter table T_Source add column B text");
        ReportDatabases::exec(db.user, "update T_Source set B = 'b'");
        copyTitleRows(db.user, "T", "T_Source", "F", {{QStringLiteral("naics"), "333"}});
        const QList<QVariantMap> rows = ReportDatabases::rows(db.user, "T");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().value("A").toString(), QStringLiteral("a-fr"));
        QCOMPARE(rows.first().value("B").toString(), QStringLiteral("b"));
        QCOMPARE(rows.first().value("Naics").toString(), QStringLiteral("333"));
        QVERIFY(rows.first().value("Extra").isNull());
    }

    void severalSourceRowsForOneLanguage()
    {
        ReportDatabases db;
        addIndustry(db, kNaics);
        ReportDatabases::insert(db.user, "Rpt_Ratios_Titles_Source",
                                {{"Language", "F"}, {"Report_Label", "Deuxième"}});
        QVERIFY(prepare(Ratios, db, kNaics, "F"));
        const QList<QVariantMap> rows = ReportDatabases::rows(db.user, "Rpt_Ratios_Titles");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(1).value("Report_Label").toString(), QStringLiteral("Deuxième"));
        for (const QVariantMap &row : rows) {
            QCOMPARE(row.value("Naics").toString(), kNaics);
            QCOMPARE(row.value("Year_3").toString(), QStringLiteral("2003"));
            QCOMPARE(row.value("Title_UpperLeft").toString(),
                     QStringLiteral("V3F firms' title - Ontario (fr)"));
        }
        // A row without a lower-right title still gets the years.
        QCOMPARE(rows.at(1).value("Title_LowerRight").toString(),
                 QStringLiteral(" 2004, 2005, 2006"));
    }

    void missingLookupRows_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<int>("volume");
        QTest::addColumn<QString>("upperLeft");
        QTest::addColumn<QString>("mlTitle");
        QTest::newRow("region not in ProvinceCodes") << "YT" << 3 << "V3E firms' title - "
                                                     << "V3E large";
        QTest::newRow("volume not in Volume_Descriptions") << "ON" << 2 << "Upper E"
                                                           << "Large E";
    }
    void missingLookupRows()
    {
        QFETCH(QString, region);
        QFETCH(int, volume);
        QFETCH(QString, upperLeft);
        QFETCH(QString, mlTitle);
        ReportDatabases db;
        QVERIFY(prepare(Ratios, db, kNaics, "E", region, qint16(volume)));
        const QVariantMap row = ReportDatabases::rows(db.user, "Rpt_Ratios_Titles").first();
        QCOMPARE(row.value("Title_UpperLeft").toString(), upperLeft);
        QCOMPARE(row.value("ML_Title").toString(), mlTitle);
        QCOMPARE(row.value("Year_0").toString(), QStringLiteral("2006"));
    }

    // A failing statement part way through leaves the work tables and the
    // titles of the previous report.
    void failureLeavesTablesUnchanged_data()
    {
        QTest::addColumn<int>("report");
        QTest::newRow("ratios") << int(Ratios);
        QTest::newRow("balance sheet") << int(BalanceSheet);
    }
    void failureLeavesTablesUnchanged()
    {
        QFETCH(int, report);
        ReportDatabases db;
        addIndustry(db, kNaics);
        addIndustry(db, "111110");
        QVERIFY(prepare(Report(report), db, "111110", "E"));
        const QString titles = titlesTable(Report(report));
        const QList<QVariantMap> titlesBefore = ReportDatabases::rows(db.user, titles);
        const QList<QVariantMap> dataBefore = ReportDatabases::rows(db.user, "Rpt_Data_CYM1");

        // The volume titles update names a column the titles table no longer has.
        ReportDatabases::exec(db.user, "alter table Volume_Descriptions drop column Title2");
        QVERIFY_THROWS_EXCEPTION(DatabaseError, prepare(Report(report), db, kNaics, "F"));

        QCOMPARE(ReportDatabases::rows(db.user, titles), titlesBefore);
        QCOMPARE(ReportDatabases::rows(db.user, "Rpt_Data_CYM1"), dataBefore);
        QCOMPARE(dataBefore.first().value("NAICS").toString(), QStringLiteral("111110"));
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_ReportTitles)
#include "tst_ReportTitles.moc"
