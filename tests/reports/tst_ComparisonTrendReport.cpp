// The comparison report of a firm saved for several years, rendered from the
// shipped databases and layout: the trend section appears in the report's
// language, with its charts drawn and its gaps marked.
#include "reports/ComparisonFigures.h"
#include "reports/ReportDocument.h"
#include "reports/ReportEngine.h"
#include "reports/ReportPreparation.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"

#include <QImage>

using namespace testsupport;

namespace {

// The firm's statement of a year: it grows from year to year.
FirmStatement firmOfYear(int year, bool negativeEquity)
{
    FirmStatement s = healthyStatement(1 + (year - 2004) * 0.15);
    if (negativeEquity)
        s.Equity1 = -500;
    return s;
}

// Share of a page's pixels in the firm line's orange.
int chartPixels(const QImage &page)
{
    int count = 0;
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() > 170 && c.green() > 60 && c.green() < 130 && c.blue() < 70)
                ++count;
        }
    return count;
}

} // namespace

class tst_ComparisonTrendReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_state = std::make_unique<StateScope>();
        QVERIFY(m_dir.isValid());
        QVERIFY(openShippedDatabases(m_dir));
        QVERIFY(copyProgramFiles(m_dir, {QStringLiteral("rpt_Comparison.rpt")}));
        // An industry of volume 1 with data in all three reference years.
        RecordSet rs =
            GetRS(appState().gcnReference,
                  QStringLiteral("select A.NAICS from ROVAL_Vol1_ALL_2006_Final_Ratios A "
                                 "join ROVAL_Vol1_ALL_2005_Final_Ratios B on A.NAICS = "
                                 "B.NAICS join ROVAL_Vol1_ALL_2004_Final_Ratios C on "
                                 "A.NAICS = C.NAICS where A.NumberOfFirms is not null "
                                 "and B.NumberOfFirms is not null and C.NumberOfFirms "
                                 "is not null order by A.NAICS"),
                  QStringLiteral("read"));
        QVERIFY2(rs.RecordCount() > 0, "the sample data should cover three years");
        m_naics = rs.text(QStringLiteral("NAICS"));
    }

    void cleanupTestCase() { m_state.reset(); }

    void trendSectionInBothLanguages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("en") << "E" << QStringList{"Your firm over the years",
                                                  "2004",
                                                  "2005",
                                                  "2006",
                                                  "n/m",
                                                  "Industry: Q1 · median · Q3",
                                                  "the orange line is your firm"};
        QTest::newRow("fr") << "F" << QStringList{"Votre entreprise au fil des ans",
                                                  "2004",
                                                  "2005",
                                                  "2006",
                                                  "n.s.",
                                                  "Industrie : Q1 · médiane · Q3",
                                                  "la ligne orange, votre entreprise"};
    }

    void trendSectionInBothLanguages()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        Connection &user = appState().gcnUser;
        const QString firm = QStringLiteral("Maple Ridge Homes Ltd");
        saveStatement(user, firmRecord(firm, 2004, m_naics, firmOfYear(2004, false)));
        // 2005: negative equity, so return on equity and debt to equity have no meaning.
        saveStatement(user, firmRecord(firm, 2005, m_naics, firmOfYear(2005, true)));
        QVERIFY(fncPrepareComparisonReport(
            appState().gcnReference, user, "com", 1, "ALL", 2006, m_naics, language,
            comparisonValues(firm, 2006, m_naics, "Industry", firmOfYear(2006, false)),
            firmYears(user, firm)));

        const std::unique_ptr<ReportDocument> document = render();
        const QString text = document->toPlainText();
        const qsizetype section = text.indexOf(expected.first());
        QVERIFY2(section >= 0, qPrintable(text));
        const QString trend = text.mid(section);
        for (const QString &part : expected)
            QVERIFY2(trend.contains(part), qPrintable(part + QStringLiteral(" in:\n") + trend));

        // The charts are drawn on the section's page.
        const int last = document->pageCount() - 1;
        const QString evidence = qEnvironmentVariable("QUORVEL_EVIDENCE_DIR");
        if (!evidence.isEmpty())
            document->pageImage(last, 110).save(evidence +
                                                QStringLiteral("/trend-%1.png").arg(language));
        QVERIFY(chartPixels(document->pageImage(last, 96)) > 50);
    }

    void singleYearHasNoTrendSection()
    {
        Connection &user = appState().gcnUser;
        QVERIFY(fncPrepareComparisonReport(
            appState().gcnReference, user, "com", 1, "ALL", 2006, m_naics, "E",
            comparisonValues(QStringLiteral("Only Once Inc"), 2006, m_naics, "Industry",
                             firmOfYear(2006, false))));
        const QString text = render()->toPlainText();
        QVERIFY(!text.contains(QStringLiteral("Your firm over the years")));
    }

private:
    std::unique_ptr<ReportDocument> render()
    {
        std::unique_ptr<ReportEngine> report =
            ReportEngine::OpenReport(m_dir.filePath(QStringLiteral("rpt_Comparison.rpt")));
        for (int n = 1; n <= report->tableCount(); ++n)
            report->table(n).setLocation(m_dir.filePath(QStringLiteral("myData.mdb")));
        return report->render();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<StateScope> m_state;
    QString m_naics;
};

QUORVEL_LOGIC_TEST_MAIN(tst_ComparisonTrendReport)
#include "tst_ComparisonTrendReport.moc"
