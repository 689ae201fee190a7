// The keyword search over the shipped reference data: a keyword finds the
// matching industries of the dataset in use, and only those.

#include "TestSupport.h"

#include "core/DatasetMapping.h"
#include "search/IndustryLookups.h"

#include <QSet>

using namespace testsupport;

class TestKeywordShippedData : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QSet<QString> datasetCodes(const QString &table)
    {
        QSet<QString> codes;
        RecordSet rs = GetRS(appState().gcnReference, "select NAICS from " + table, "read");
        for (; !rs.eof(); rs.MoveNext())
            codes.insert(rs.text("NAICS"));
        return codes;
    }

    // Codes whose title in the language holds the keyword, whatever the letter case.
    QSet<QString> expectedCodes(const QString &table, const QString &descTable,
                                const QString &titleColumn, const QString &keyword)
    {
        QSet<QString> codes;
        const QSet<QString> inDataset = datasetCodes(table);
        RecordSet rs = GetRS(appState().gcnReference,
                             "select NAICS, " + titleColumn + " as title from " + descTable, "read");
        for (; !rs.eof(); rs.MoveNext()) {
            if (inDataset.contains(rs.text("NAICS")) &&
                rs.text("title").contains(keyword, Qt::CaseInsensitive))
                codes.insert(rs.text("NAICS"));
        }
        return codes;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(openShippedDatabases(m_dir));
    }

    void keywordListsTheDatasetsMatchesOnly_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("titleColumn");
        QTest::newRow("en:Ontario ret") << "optOntario" << 0 << "ret" << "Description";
        QTest::newRow("fr:Ontario détail") << "optOntario" << 1 << "détail" << "Description_french";
        QTest::newRow("fr:Ontario DÉTAIL") << "optOntario" << 1 << "DÉTAIL" << "Description_french";
        QTest::newRow("en:Nunavut constr") << "optNunavut" << 0 << "constr" << "Description";
        QTest::newRow("fr:volume 1 fabrication") << "optVol1" << 1 << "FABRICATION" << "Description_french";
    }

    void keywordListsTheDatasetsMatchesOnly()
    {
        QFETCH(QString, option);
        QFETCH(int, language);
        QFETCH(QString, keyword);
        QFETCH(QString, titleColumn);
        AppState &state = appState();
        subSetDataTable(state, option);
        state.gintLanguage = qint16(language);

        RecordSet found = fncKeywordSearch(currentLookupSource(), keyword);
        QSet<QString> codes;
        for (; !found.eof(); found.MoveNext())
            codes.insert(found.field(0).toString());

        const QSet<QString> expected =
            expectedCodes(state.gstrDatasetTable, state.gstrNaicsDescTable, titleColumn, keyword);
        QVERIFY2(!expected.isEmpty(), "the sample data should hold matches for this keyword");
        QCOMPARE(codes, expected);
        QCOMPARE(found.RecordCount(), expected.size());
        QVERIFY(datasetCodes(state.gstrDatasetTable).contains(codes));
    }
};

QUORVEL_TEST_MAIN(TestKeywordShippedData)
#include "tst_KeywordShippedData.moc"
