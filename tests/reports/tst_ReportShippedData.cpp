#include "reports/ReportPreparation.h"
#include "support/LogicTestSupport.h"

#include <QTest>

// The preparations over copies of the databases the program ships with.
namespace {

QStringList referenceFirm(const QString &naics)
{
    return {"Joe's Garage", "2006", naics,  "Industry", "100",  "400",  "250", "650", "100", "1500",
            "300",          "200",  "2000", "5000",     "4000", "1000", "500", "50",  "400", "300",
            "250",          "100",  "50",   "250",      "100",  "50",   "50",  "100", "50",  "1000",
            "400",          "500",  "100",  "1000",     "2000", "700",  "350"};
}

RecordSet read(const QString &sql)
{
    return GetRS(appState().gcnUser, sql, "read");
}

} // namespace

class tst_ReportShippedData : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_state = std::make_unique<testsupport::StateScope>();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(testsupport::openShippedDatabases(*m_dir));
        const RecordSet first = GetRS(appState().gcnReference,
                                      "select NAICS from ROVAL_Vol3_ON_2006_Final_Ratios "
                                      "where NumberOfFirms is not null order by NAICS limit 1",
                                      "read");
        QCOMPARE(first.RecordCount(), 1);
        m_naics = first.field(0).toString();
    }
    void cleanup()
    {
        m_state.reset();
        m_dir.reset();
    }

    void ratiosAndBalanceSheet_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << "E";
        QTest::newRow("fr") << "F";
    }
    void ratiosAndBalanceSheet()
    {
        QFETCH(QString, language);
        AppState &s = appState();
        QVERIFY(fncPrepareRatiosReport(s.gcnReference, s.gcnUser, "rat", 3, "ON", 2006, m_naics,
                                       language));
        for (const char *table : {"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"}) {
            const RecordSet row = read(QStringLiteral("select * from ") + table);
            QCOMPARE(row.RecordCount(), 1);
            QCOMPARE(row.text("NAICS"), m_naics);
            QVERIFY(!row.isNull("NumberOfFirms"));
        }
        if (language == "F") {
            const RecordSet french = GetRS(s.gcnReference,
                                           "select trim(Description_French) from "
                                           "ROVAL_NAICS_Description_Ind_Raw where Naics = ?",
                                           "read", {m_naics});
            QCOMPARE(read("select IndustryDescription from Rpt_Data_CYM2").field(0).toString(),
                     french.field(0).toString());
        }
        const RecordSet ratios = read("select * from Rpt_Ratios_Titles");
        QVERIFY(ratios.RecordCount() > 0);
        QCOMPARE(ratios.text("Language"), language);
        QCOMPARE(ratios.text("Year_3"), QStringLiteral("2003"));
        QVERIFY(ratios.text("Title_LowerRight").endsWith(" 2004, 2005, 2006"));
        QVERIFY(ratios.text("Title_UpperLeft").endsWith(" - Ontario"));

        QVERIFY(fncPrepareBalanceSheetReport(s.gcnReference, s.gcnUser, "bal", 3, "ON", 2006,
                                             m_naics, language));
        const RecordSet balance = read("select * from Rpt_BalanceSheet_Titles");
        QVERIFY(balance.RecordCount() > 0);
        QCOMPARE(balance.text("Year_2"), QStringLiteral("2004"));
        QVERIFY(balance.text("Title_UpperLeft").endsWith(" - Ontario"));
    }

    void comparison_data()
    {
        QTest::addColumn<int>("year");
        QTest::newRow("2006") << 2006;
        QTest::newRow("2005") << 2005;
        QTest::newRow("2004") << 2004;
    }
    void comparison()
    {
        QFETCH(int, year);
        AppState &s = appState();
        const PreparationOutcome outcome =
            fncPrepareComparisonReport(s.gcnReference, s.gcnUser, "com", 3, "ON", qint16(year),
                                       m_naics, "E", referenceFirm(m_naics));
        QVERIFY(outcome);
        QCOMPARE(outcome.message, QString());
        const RecordSet row = read("select * from Rpt_Comparison");
        QCOMPARE(row.RecordCount(), 1);
        QCOMPARE(row.field("MyYear").toInt(), year);
        QCOMPARE(row.field("MyCash").toDouble(), 5.0);
        QCOMPARE(row.field("MyROCE").toDouble(), 21.875);
        QVERIFY(row.text("MyVol").endsWith(" - Ontario"));
        for (int i = 0; i < row.fieldCount(); ++i) {
            const QString name = row.fieldName(i);
            if (name.startsWith("Better") || name.startsWith("Worse")) {
                const double position = row.field(i).toDouble();
                QVERIFY2(position == 0 || position == 25 || position == 50 || position == 75,
                         qPrintable(name));
            }
        }
        QVERIFY(read("select * from Rpt_Comparison_Titles where NAICS = '" + m_naics + "'")
                    .RecordCount() > 0);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<testsupport::StateScope> m_state;
    QString m_naics;
};

QUORVEL_LOGIC_TEST_MAIN(tst_ReportShippedData)
#include "tst_ReportShippedData.moc"
