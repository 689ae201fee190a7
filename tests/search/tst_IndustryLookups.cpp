#include "search/IndustryLookups.h"
#include "support/LogicTestSupport.h"
#include "support/SearchFixture.h"

// The code, title, keyword and definition queries over a small reference
// database.
class tst_IndustryLookups : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void codesKeepToTheDataset();
    void titlesInAlphabeticalOrder_data();
    void titlesInAlphabeticalOrder();
    void lookupByCode_data();
    void lookupByCode();
    void lookupByTitle_data();
    void lookupByTitle();
    void keywordSearch_data();
    void keywordSearch();
    void keywordHeadings_data();
    void keywordHeadings();
    void definition_data();
    void definition();

private:
    LookupSource source(Language language)
    {
        AppState &state = appState();
        return LookupSource{state.gcnReference, state.gstrDatasetTable, state.gstrNaicsDescTable,
                            language};
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<testsupport::StateScope> m_state;
};

void tst_IndustryLookups::init()
{
    m_state = std::make_unique<testsupport::StateScope>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(searchfixture::openFixture(*m_dir));
}

void tst_IndustryLookups::cleanup()
{
    m_state.reset();
    m_dir.reset();
}

void tst_IndustryLookups::codesKeepToTheDataset()
{
    QCOMPARE(fncNaicsCodes(source(Language::English)), searchfixture::datasetCodes());
}

void tst_IndustryLookups::titlesInAlphabeticalOrder_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("en") << Language::English
                        << QStringList{"Driving schools", "Family clothing stores",
                                       "Grocery stores", "Lawyers' offices",
                                       "Residential building construction"};
    QTest::newRow("fr:accented capitals sort with their letter")
        << Language::French
        << QStringList{"Bureaux d'avocats", "Construction résidentielle", "École de conduite",
                       "Épiceries", "Magasins de vêtements pour la famille"};
}

void tst_IndustryLookups::titlesInAlphabeticalOrder()
{
    QFETCH(Language, language);
    QFETCH(QStringList, expected);
    QCOMPARE(fncNaicsTitles(source(language)), expected);
}

void tst_IndustryLookups::lookupByCode_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("category");
    QTest::newRow("en") << Language::English << "236110" << true
                        << "Residential building construction"
                        << "Construction";
    QTest::newRow("fr") << Language::French << "445110" << true << "Épiceries"
                        << "Commerce de détail";
    QTest::newRow("en:category missing from the tree")
        << Language::English << "611692" << true << "Driving schools"
        << "";
    QTest::newRow("en:not in the dataset") << Language::English << "722511" << false << ""
                                           << "";
    QTest::newRow("en:empty code") << Language::English << "" << false << ""
                                   << "";
    QTest::newRow("en:quote in the code") << Language::English << "1' or '1'='1" << false << ""
                                          << "";
}

void tst_IndustryLookups::lookupByCode()
{
    QFETCH(Language, language);
    QFETCH(QString, code);
    QFETCH(bool, found);
    QFETCH(QString, title);
    QFETCH(QString, category);
    const std::optional<IndustryRow> row = fncLookupByCode(source(language), code);
    QCOMPARE(row.has_value(), found);
    if (found) {
        QCOMPARE(row->code, code);
        QCOMPARE(row->title, title);
        QCOMPARE(row->category, category);
    }
}

void tst_IndustryLookups::lookupByTitle_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("category");
    QTest::newRow("en:apostrophe") << Language::English << "Lawyers' offices"
                                   << "541110"
                                   << "Management";
    QTest::newRow("fr:apostrophe") << Language::French << "Bureaux d'avocats"
                                   << "541110"
                                   << "Gestion";
    QTest::newRow("fr:accented") << Language::French << "École de conduite"
                                 << "611692"
                                 << "";
    QTest::newRow("en:not in the dataset") << Language::English << "Full-service restaurants"
                                           << ""
                                           << "";
    QTest::newRow("fr:english title") << Language::French << "Grocery stores"
                                      << ""
                                      << "";
}

void tst_IndustryLookups::lookupByTitle()
{
    QFETCH(Language, language);
    QFETCH(QString, title);
    QFETCH(QString, code);
    QFETCH(QString, category);
    const std::optional<IndustryRow> row = fncLookupByTitle(source(language), title);
    QCOMPARE(row.has_value(), !code.isEmpty());
    if (row) {
        QCOMPARE(row->code, code);
        QCOMPARE(row->title, title);
        QCOMPARE(row->category, category);
    }
}

void tst_IndustryLookups::keywordSearch_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QStringList>("codes");
    const QStringList all = searchfixture::datasetCodes();
    QTest::newRow("en:empty keyword lists the dataset") << Language::English << "" << all;
    QTest::newRow("en:percent lists the dataset") << Language::English << "%" << all;
    QTest::newRow("en:apostrophe") << Language::English << "lawyers' off" << QStringList{"541110"};
    QTest::newRow("en:underscore matches one character")
        << Language::English << "st_res" << QStringList{"445110", "448140"};
    QTest::newRow("en:underscore matches the blank")
        << Language::English << "grocery_stores" << QStringList{"445110"};
    QTest::newRow("en:letter case ignored")
        << Language::English << "GROCERY" << QStringList{"445110"};
    QTest::newRow("en:not in the dataset") << Language::English << "restaurant" << QStringList{};
    QTest::newRow("en:no match") << Language::English << "zzz" << QStringList{};
    QTest::newRow("fr:accented capital typed")
        << Language::French << "ÉPICERIE" << QStringList{"445110"};
    QTest::newRow("fr:accented small letter typed")
        << Language::French << "école" << QStringList{"611692"};
    QTest::newRow("fr:apostrophe") << Language::French << "d'avocats" << QStringList{"541110"};
    QTest::newRow("fr:looks in french titles only")
        << Language::French << "Grocery" << QStringList{};
}

void tst_IndustryLookups::keywordSearch()
{
    QFETCH(Language, language);
    QFETCH(QString, keyword);
    QFETCH(QStringList, codes);
    RecordSet rs = fncKeywordSearch(source(language), keyword);
    QStringList found;
    for (; !rs.eof(); rs.MoveNext())
        found << rs.field(0).toString();
    found.sort();
    QCOMPARE(found, codes);
}

void tst_IndustryLookups::keywordHeadings_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("firstRow");
    QTest::newRow("en") << Language::English << QStringList{"NAICS", "Description", "Sector"}
                        << QStringList{"445110", "Grocery stores", "Retail trade"};
    QTest::newRow("fr") << Language::French << QStringList{"SCIAN", "Description", "Secteur"}
                        << QStringList{"445110", "Épiceries", "Commerce de détail"};
}

void tst_IndustryLookups::keywordHeadings()
{
    QFETCH(Language, language);
    QFETCH(QStringList, headings);
    QFETCH(QStringList, firstRow);
    const RecordSet rs =
        fncKeywordSearch(source(language), language == Language::English ? "grocer" : "épicer");
    QCOMPARE(rs.fieldNames(), headings);
    QCOMPARE(rs.RecordCount(), 1);
    QStringList row;
    for (const QVariant &value : rs.row(0))
        row << value.toString();
    QCOMPARE(row, firstRow);
}

void tst_IndustryLookups::definition_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("definition");
    QTest::newRow("en") << Language::English << "236110" << true
                        << "Residential building construction"
                        << "Builds houses.\r\nAlso renovates them.";
    QTest::newRow("fr") << Language::French << "236110" << true << "Construction résidentielle"
                        << "Construit des maisons.";
    QTest::newRow("en:null definition") << Language::English << "445110" << true << "Grocery stores"
                                        << "";
    QTest::newRow("en:not in the dataset still has a definition")
        << Language::English << "722511" << true << "Full-service restaurants"
        << "Serves meals.";
    QTest::newRow("en:empty code") << Language::English << "" << false << ""
                                   << "";
}

void tst_IndustryLookups::definition()
{
    QFETCH(Language, language);
    QFETCH(QString, code);
    QFETCH(bool, found);
    QFETCH(QString, title);
    QFETCH(QString, definition);
    const std::optional<IndustryDefinition> row = fncIndustryDefinition(
        appState().gcnReference, appState().gstrNaicsDescTable, code, language);
    QCOMPARE(row.has_value(), found);
    if (row) {
        QCOMPARE(row->title, title);
        QCOMPARE(row->definition, definition);
    }
}

QUORVEL_LOGIC_TEST_MAIN(tst_IndustryLookups)
#include "tst_IndustryLookups.moc"
