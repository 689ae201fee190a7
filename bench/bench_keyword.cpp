#include "search/IndustryLookups.h"
#include "support/TestSupport.h"

#include <QTest>

// Keyword search timings on a copy of the shipped reference database, for
// ordinary keywords and for the patterns that make a backtracking `like` try
// every split of each title (one more "_%" pair multiplied its time many
// times over).
class bench_keyword : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::openShippedDatabases(m_dir));
        const RecordSet count =
            GetRS(appState().gcnReference, QStringLiteral("select count(*) from ") + kDataset,
                  QStringLiteral("read"));
        QVERIFY(count.field(0).toInt() > 100);
    }

    void keywordSearch_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<bool>("definitions");
        QTest::newRow("en: plain word") << Language::English << "manufacturing" << false;
        QTest::newRow("fr: accented capitals") << Language::French << "ACTIVITÉS" << false;
        QTest::newRow("en: _%_%_%_%_%z") << Language::English << "_%_%_%_%_%z" << false;
        QTest::newRow("en: _%_%_%_%_%_%_%_%z") << Language::English << "_%_%_%_%_%_%_%_%z" << false;
        QTest::newRow("fr: _%_%_%_%_%_%_%_%_%_%_%_%z")
            << Language::French << "_%_%_%_%_%_%_%_%_%_%_%_%z" << false;
        QTest::newRow("en: %e%e%e%e%e%e%e%e%q")
            << Language::English << "%e%e%e%e%e%e%e%e%q" << false;
        QTest::newRow("fr: 40 underscores")
            << Language::French << QString(40, QLatin1Char('_')) << false;
        // Definitions are the longest texts searched.
        QTest::newRow("en+definitions: plain word") << Language::English << "manufacturing" << true;
        QTest::newRow("en+definitions: _%_%_%_%_%_%_%_%z")
            << Language::English << "_%_%_%_%_%_%_%_%z" << true;
        QTest::newRow("fr+definitions: _%_%_%_%_%_%_%_%_%_%_%_%z")
            << Language::French << "_%_%_%_%_%_%_%_%_%_%_%_%z" << true;
        // Folding an accented keyword takes time in proportion to its length:
        // each doubling should double the time, not quadruple it. (The search
        // screen refuses keywords this long; the lookup does not.)
        for (const int length : {25000, 50000, 100000, 200000}) {
            const QString keyword(length, QChar(0x00c9));
            QTest::addRow("fr: E-acute x %d", length) << Language::French << keyword << false;
            QTest::addRow("fr+definitions: E-acute x %d", length)
                << Language::French << keyword << true;
        }
    }

    void keywordSearch()
    {
        QFETCH(Language, language);
        QFETCH(QString, keyword);
        QFETCH(bool, definitions);
        const LookupSource source{appState().gcnReference, QString::fromLatin1(kDataset),
                                  QStringLiteral("ROVAL_NAICS_Description_Ind_Raw"), language};
        // The connection keeps the last keyword it read: two keywords that
        // differ in their last character take turns, so that each search
        // reads its keyword afresh, as a user's next search would.
        const QString other = keyword.chopped(1) + QLatin1Char('x');
        bool turn = false;
        QBENCHMARK
        {
            fncKeywordSearch(source, (turn = !turn) ? keyword : other, definitions);
        }
    }

private:
    // The dataset with the most industries.
    static constexpr const char *kDataset = "ROVAL_Vol3_ALL_2006_Final_Ratios";
    QTemporaryDir m_dir;
};

QUORVEL_TEST_MAIN(bench_keyword)
#include "bench_keyword.moc"
