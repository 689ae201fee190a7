#include "reports/ComparisonReading.h"
#include "reports/RatioExplanation.h"
#include "support/LogicTestSupport.h"

#include <QTest>

// The ratio texts the help pages and the explanation panel share: the names
// must be those the reports' titles give, in both languages.
class tst_RatioExplanation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_state = std::make_unique<testsupport::StateScope>();
        QVERIFY(m_dir.isValid());
        QVERIFY(testsupport::openShippedDatabases(m_dir));
    }
    void cleanupTestCase() { m_state.reset(); }

    void namesAgreeWithReportTitles_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("language");
        for (const char *table : {"Rpt_Ratios_Titles_Source", "Rpt_Comparison_Titles_Source"})
            for (const char *language : {"E", "F"})
                QTest::newRow(qPrintable(QStringLiteral("%1:%2").arg(language, table)))
                    << table << language;
    }

    void namesAgreeWithReportTitles()
    {
        QFETCH(QString, table);
        QFETCH(QString, language);
        const RecordSet titles = GetRS(
            appState().gcnUser, QStringLiteral("select * from %1 where [Language] = ?").arg(table),
            QStringLiteral("read"), {language});
        QCOMPARE(titles.RecordCount(), 1);
        const ReportLanguage report = reportLanguageFromText(language);
        for (int i = 0; i < kRatioCount; ++i) {
            const QString title = titles.text(ratioTitleColumn(RatioId(i)));
            QCOMPARE(ratioName(RatioId(i), report), title);
            QCOMPARE(ratioNamed(title + QStringLiteral(" \u25BC")), std::optional(RatioId(i)));
        }
        QCOMPARE(ratioNamed(QStringLiteral("Total assets")), std::nullopt);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<testsupport::StateScope> m_state;
};

QUORVEL_LOGIC_TEST_MAIN(tst_RatioExplanation)
#include "tst_RatioExplanation.moc"
