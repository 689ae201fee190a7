// The keyword search over the shipped reference data: a keyword finds the
// matching industries of the dataset in use, and only those.

#include "support/LogicTestSupport.h"

#include "core/DatasetMapping.h"
#include "core/SearchFold.h"
#include "search/IndustryLookups.h"

#include <QSet>

using namespace testsupport;

class TestKeywordShippedData : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<StateScope> m_state;

    QSet<QString> datasetCodes(const QString &table)
    {
        QSet<QString> codes;
        RecordSet rs = GetRS(appState().gcnReference, "select NAICS from " + table, "read");
        for (; !rs.eof(); rs.MoveNext())
            codes.insert(rs.text("NAICS"));
        return codes;
    }

    // Codes whose title in the language holds the keyword, whatever the letter
    // case and accents.
    QSet<QString> expectedCodes(const QString &table, const QString &descTable,
                                const QString &titleColumn, const QString &keyword)
    {
        QSet<QString> codes;
        const QSet<QString> inDataset = datasetCodes(table);
        RecordSet rs =
            GetRS(appState().gcnReference,
                  "select NAICS, " + titleColumn + " as title from " + descTable, "read");
        for (; !rs.eof(); rs.MoveNext()) {
            if (inDataset.contains(rs.text("NAICS")) &&
                foldForSearch(rs.text("title")).contains(foldForSearch(keyword)))
                codes.insert(rs.text("NAICS"));
        }
        return codes;
    }

private slots:
    void initTestCase()
    {
        m_state = std::make_unique<StateScope>();
        QVERIFY(m_dir.isValid());
        QVERIFY(openShippedDatabases(m_dir));
    }

    void cleanupTestCase() { m_state.reset(); }

    void keywordListsTheDatasetsMatchesOnly_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("titleColumn");
        QTest::newRow("en:Ontario ret") << "optOntario" << Language::English << "ret"
                                        << "Description";
        QTest::newRow("fr:Ontario détail") << "optOntario" << Language::French << "détail"
                                           << "Description_french";
        QTest::newRow("fr:Ontario DÉTAIL") << "optOntario" << Language::French << "DÉTAIL"
                                           << "Description_french";
        QTest::newRow("en:Nunavut constr") << "optNunavut" << Language::English << "constr"
                                           << "Description";
        QTest::newRow("fr:volume 1 fabrication") << "optVol1" << Language::French << "FABRICATION"
                                                 << "Description_french";
        QTest::newRow("fr:volume 1 electricite") << "optVol1" << Language::French << "electricite"
                                                 << "Description_french";
        QTest::newRow("fr:volume 3 ELECTRICITE") << "optVol3" << Language::French << "ELECTRICITE"
                                                 << "Description_french";
        QTest::newRow("en:volume 1 ELECTRIC") << "optVol1" << Language::English << "ELECTRIC"
                                              << "Description";
    }

    void keywordListsTheDatasetsMatchesOnly()
    {
        QFETCH(QString, option);
        QFETCH(Language, language);
        QFETCH(QString, keyword);
        QFETCH(QString, titleColumn);
        AppState &state = appState();
        subSetDataTable(state, option);
        state.gintLanguage = language;

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

    void frenchKeywordWithoutAccentsFindsElectricPower()
    {
        AppState &state = appState();
        subSetDataTable(state, QStringLiteral("optVol1"));
        state.gintLanguage = Language::French;
        RecordSet found = fncKeywordSearch(currentLookupSource(), QStringLiteral("electricite"));
        QStringList titles;
        for (; !found.eof(); found.MoveNext())
            titles << found.field(1).toString();
        QVERIFY2(titles.contains(QStringLiteral("Production, transport et distribution "
                                                "d'électricité")),
                 qPrintable(titles.join(QStringLiteral(" | "))));
    }

    void definitionsWidenTheSearchAfterTheTitles_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("keyword");
        QTest::newRow("en:wiring") << Language::English << "wiring";
        QTest::newRow("fr:cablage") << Language::French << "cablage";
        QTest::newRow("en:construction") << Language::English << "construction";
    }

    void definitionsWidenTheSearchAfterTheTitles()
    {
        QFETCH(Language, language);
        QFETCH(QString, keyword);
        AppState &state = appState();
        subSetDataTable(state, QStringLiteral("optVol1"));
        state.gintLanguage = language;
        const QString titleColumn =
            language == Language::English ? "Description" : "Description_french";
        const QString definitionColumn =
            language == Language::English ? "definitione" : "definitionf";

        // Expected: the title matches, then the definition-only matches.
        const QSet<QString> inDataset = datasetCodes(state.gstrDatasetTable);
        QSet<QString> byTitle, byDefinition;
        RecordSet all = GetRS(state.gcnReference,
                              "select NAICS, " + titleColumn + " as title, " + definitionColumn +
                                  " as definition from " + state.gstrNaicsDescTable,
                              "read");
        const QString folded = foldForSearch(keyword);
        for (; !all.eof(); all.MoveNext()) {
            const QString code = all.text("NAICS");
            if (!inDataset.contains(code))
                continue;
            if (foldForSearch(all.text("title")).contains(folded))
                byTitle.insert(code);
            else if (foldForSearch(all.text("definition")).contains(folded))
                byDefinition.insert(code);
        }
        QVERIFY2(!byDefinition.isEmpty(), "the sample definitions should hold this keyword");

        RecordSet titlesOnly = fncKeywordSearch(currentLookupSource(), keyword);
        QCOMPARE(titlesOnly.RecordCount(), byTitle.size());

        RecordSet widened = fncKeywordSearch(currentLookupSource(), keyword, true);
        QCOMPARE(widened.RecordCount(), byTitle.size() + byDefinition.size());
        for (int row = 0; row < widened.RecordCount(); ++row) {
            const QString code = widened.row(row).at(0).toString();
            QVERIFY2(row < byTitle.size() ? byTitle.contains(code) : byDefinition.contains(code),
                     qPrintable(QStringLiteral("row %1: %2 out of order").arg(row).arg(code)));
        }
    }
};

QUORVEL_LOGIC_TEST_MAIN(TestKeywordShippedData)
#include "tst_KeywordShippedData.moc"
