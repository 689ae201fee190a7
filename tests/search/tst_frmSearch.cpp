#include "core/ProgramFolder.h"
#include "core/RecordSetModel.h"
#include "core/ScreenRegistry.h"
#include "entry/frmAbout.h"
#include "entry/frmMenu.h"
#include "firm/frmMyValues.h"
#include "reports/frmReportViewer.h"
#include "search/IndustryTree.h"
#include "search/frmIndustryDefinitions.h"
#include "search/frmSearch.h"
#include "support/SearchFixture.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using testsupport::EndRecorder;
using testsupport::MessageRecorder;

// The search screen: modes, selection, output choice, the keep-or-rebuild
// rule and the language switch, over a small reference database.
class tst_frmSearch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstShowing();
    void continueWithoutIndustry_data();
    void continueWithoutIndustry();
    void definitionWithoutIndustry();
    void dataTypeSelectsIndustryData_data();
    void dataTypeSelectsIndustryData();
    void treeClicks();
    void treeDoubleClickContinues();
    void keepOrRebuildAfterRoundTrip_data();
    void keepOrRebuildAfterRoundTrip();
    void returnToMenuRebuilds();
    void languageSwitchKeepsIndustry();
    void modeFrames_data();
    void modeFrames();
    void codeAndTitleLists();
    void keywordSearch();
    void keywordNoMatch_data();
    void keywordNoMatch();
    void titleFollowsTheDataset_data();
    void titleFollowsTheDataset();
    void keywordAlsoInDefinitions();
    void lookupOfUnknownCodeKeepsSelection();
    void exitQuestion();

private:
    frmSearch &showSearch();
    bool openShippedProgram();
    QTreeWidgetItem *treeItem(const QString &key);
    void clickTreeItem(const QString &key);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<testsupport::StateScope> m_state;
    std::unique_ptr<QTemporaryDir> m_programDir;
    QTimer m_modalCloser;
};

namespace {
bool shownTo(const QWidget *widget, const QWidget *screen)
{
    return widget->isVisibleTo(screen);
}
} // namespace

void tst_frmSearch::init()
{
    m_state = std::make_unique<testsupport::StateScope>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(searchfixture::openFixture(*m_dir));
    // The dataset screen holds the choice the language switch re-reads.
    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    menu.optVol2->setChecked(true);
    QVERIFY(menu.fncDetermineDataset());

    // Modal screens opened by a test are closed again by this timer.
    m_modalCloser.setInterval(10);
    connect(&m_modalCloser, &QTimer::timeout, this, [] {
        if (ScreenRegistry::isLoaded<frmAbout>() && ScreenRegistry::get<frmAbout>().isVisible())
            ScreenRegistry::get<frmAbout>().hide();
        if (ScreenRegistry::isLoaded<frmReportViewer>() &&
            ScreenRegistry::get<frmReportViewer>().isVisible())
            ScreenRegistry::get<frmReportViewer>().hide();
    });
    m_modalCloser.start();
}

void tst_frmSearch::cleanup()
{
    m_modalCloser.stop();
    m_modalCloser.disconnect();
    m_state.reset();
    m_dir.reset();
    m_programDir.reset();
}

frmSearch &tst_frmSearch::showSearch()
{
    frmSearch &search = ScreenRegistry::get<frmSearch>();
    search.showScreen();
    return search;
}

QTreeWidgetItem *tst_frmSearch::treeItem(const QString &key)
{
    QTreeWidget *tree = ScreenRegistry::get<frmSearch>().TreeView1;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->data(0, kTreeKeyRole).toString() == key)
            return *it;
    return nullptr;
}

// Opens the folders above the node and clicks it with the mouse.
void tst_frmSearch::clickTreeItem(const QString &key)
{
    QTreeWidget *tree = ScreenRegistry::get<frmSearch>().TreeView1;
    QTreeWidgetItem *item = treeItem(key);
    QVERIFY2(item, qPrintable(key));
    for (QTreeWidgetItem *parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    tree->scrollToItem(item);
    const QRect rect = tree->visualItemRect(item);
    QVERIFY(rect.isValid());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
}

void tst_frmSearch::firstShowing()
{
    frmSearch &search = showSearch();
    QVERIFY(search.optSearchNaics->isChecked());
    QVERIFY(search.optRatios->isChecked());
    QVERIFY(search.optReport->isChecked());
    QVERIFY(shownTo(search.fraTreeView, &search));
    QVERIFY(!shownTo(search.fraNAICScode, &search));
    QVERIFY(!shownTo(search.fraNAICSTitle, &search));
    QVERIFY(!shownTo(search.fraKeyword, &search));
    QVERIFY(!shownTo(search.lblHiddenNaics, &search));
    QCOMPARE(search.lblNAICSCode->text(), QString());
    QCOMPARE(search.TreeView1->topLevelItemCount(), 2);
    QCOMPARE(search.fraSearch->title(), QStringLiteral("1.  Search Method"));
    QCOMPARE(search.cmdContinue->text(), QStringLiteral("4.  Continue"));
    QCOMPARE(search.btnBack->text(), QStringLiteral("Return / Retourner"));
    QCOMPARE(search.windowTitle(), QStringLiteral("Search ") + appState().gstrDatasetCaption +
                                       QStringLiteral(" - ROVAL (2006, 2005 and 2004)"));
    QVERIFY(search.resetOnActivate());
}

void tst_frmSearch::continueWithoutIndustry_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("en") << Language::English << "You must select an industry";
    QTest::newRow("fr") << Language::French << "Vous devez sélectionner une industrie";
}

// The shipped databases and layouts in a program folder of the test's own,
// for the cases that go on to a real report.
bool tst_frmSearch::openShippedProgram()
{
    m_programDir = std::make_unique<QTemporaryDir>();
    if (!testsupport::copyProgramFiles(*m_programDir, {QStringLiteral("rpt_Ratios.rpt"),
                                                       QStringLiteral("rpt_BalanceSheet.rpt")}) ||
        !testsupport::openShippedDatabases(*m_programDir))
        return false;
    setProgramFolderOverride(m_programDir->path());
    frmReportViewer::setDisplayPause(false);
    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    menu.optVol2->setChecked(true);
    return menu.fncDetermineDataset();
}

void tst_frmSearch::continueWithoutIndustry()
{
    QFETCH(Language, language);
    QFETCH(QString, message);
    appState().gintLanguage = language;
    frmSearch &search = showSearch();
    MessageRecorder messages;
    search.cmdContinue->click();
    QCOMPARE(messages.texts(), QStringList{message});
    QCOMPARE(messages.messages.first().icon, MsgIcon::Warning);
    QVERIFY(search.resetOnActivate());
    QVERIFY(!ScreenRegistry::isLoaded<frmReportViewer>());
}

void tst_frmSearch::definitionWithoutIndustry()
{
    frmSearch &search = showSearch();
    MessageRecorder messages;
    search.mnuDefinition->trigger();
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("You must select an industry.")});
    QCOMPARE(messages.messages.first().icon, MsgIcon::Warning);
    QVERIFY(!ScreenRegistry::isLoaded<frmIndustryDefinitions>());
    QVERIFY(search.resetOnActivate());
}

void tst_frmSearch::dataTypeSelectsIndustryData_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("dataType");
    QTest::newRow("balance sheet while entering new data") << "optCompareNew"
                                                           << "optBalanceSheet";
    QTest::newRow("ratios while opening existing data") << "optCompareExisting"
                                                        << "optRatios";
}

void tst_frmSearch::dataTypeSelectsIndustryData()
{
    QFETCH(QString, output);
    QFETCH(QString, dataType);
    frmSearch &search = showSearch();
    search.findChild<QRadioButton *>(output)->click();
    QVERIFY(!search.optReport->isChecked());
    search.findChild<QRadioButton *>(dataType)->click();
    QVERIFY(search.findChild<QRadioButton *>(dataType)->isChecked());
    QVERIFY(search.optReport->isChecked());
    // Choosing a comparison leaves the data type alone.
    search.optCompareNew->click();
    QVERIFY(search.findChild<QRadioButton *>(dataType)->isChecked());
}

void tst_frmSearch::treeClicks()
{
    frmSearch &search = showSearch();
    clickTreeItem(QStringLiteral("Ind445110"));
    QCOMPARE(search.lblCategory->text(), QStringLiteral("Sector: Retail trade"));
    QCOMPARE(search.lblNAICSCode->text(), QStringLiteral("NAICS: 445110"));
    QCOMPARE(search.txtIndName->text(), QStringLiteral("Grocery stores"));
    QCOMPARE(search.lblHiddenNaics->text(), QStringLiteral("445110"));

    // A folder changes nothing.
    clickTreeItem(QStringLiteral("IndTCONST"));
    QCOMPARE(search.lblHiddenNaics->text(), QStringLiteral("445110"));
    QCOMPARE(search.lblCategory->text(), QStringLiteral("Sector: Retail trade"));
    search.TreeView1_Click(nullptr);
    QCOMPARE(search.txtIndName->text(), QStringLiteral("Grocery stores"));
}

void tst_frmSearch::treeDoubleClickContinues()
{
    frmSearch &search = showSearch();
    search.optCompareNew->click();
    MessageRecorder messages;
    search.TreeView1_DblClick(treeItem(QStringLiteral("IndTRETAIL")));
    QVERIFY(search.resetOnActivate());
    QCOMPARE(search.lblNAICSCode->text(), QString());
    QCOMPARE(messages.texts(), QStringList());

    search.TreeView1_DblClick(treeItem(QStringLiteral("Ind541110")));
    QCOMPARE(search.lblCategory->text(), QStringLiteral("Sector: Management"));
    QCOMPARE(search.lblHiddenNaics->text(), QStringLiteral("541110"));
    // It went on to the firm statement screen, in place of the search screen.
    QCOMPARE(messages.texts(), QStringList());
    QVERIFY(ScreenRegistry::get<frmMyValues>().isVisible());
    QVERIFY(!search.isVisible());
    QVERIFY(!search.resetOnActivate());
}

void tst_frmSearch::keepOrRebuildAfterRoundTrip_data()
{
    QTest::addColumn<QString>("roundTrip");
    QTest::newRow("report") << "report";
    QTest::newRow("industry definition") << "definition";
    QTest::newRow("about") << "about";
}

void tst_frmSearch::keepOrRebuildAfterRoundTrip()
{
    QFETCH(QString, roundTrip);
    QVERIFY(openShippedProgram());
    frmSearch &search = showSearch();
    search.optCompareExisting->click();
    search.optBalanceSheet->click();
    search.optNAICScode->click();
    QVERIFY(search.cboNAICScodes->count() > 0);
    search.cboNAICScodes->setCurrentIndex(0);
    search.cboNAICScodes_Click();
    const QString code = search.cboNAICScodes->itemText(0);
    const QString title = search.txtIndName->text();
    QCOMPARE(search.lblHiddenNaics->text(), code);
    QVERIFY(!title.isEmpty());

    MessageRecorder messages;
    if (roundTrip == QLatin1String("report")) {
        bool viewerShown = false;
        connect(&ScreenRegistry::get<frmReportViewer>(), &Screen::activated, this,
                [&viewerShown] { viewerShown = true; });
        search.cmdContinue->click();
        QVERIFY(viewerShown);
    } else if (roundTrip == QLatin1String("definition")) {
        search.mnuDefinition->trigger();
        frmIndustryDefinitions &definition = ScreenRegistry::get<frmIndustryDefinitions>();
        QVERIFY(definition.isVisible());
        QCOMPARE(Screen::lastActiveScreen(), &definition);
        definition.cmdContinue_Click();
    } else {
        search.languageHelp.mnuAbout->trigger();
    }
    QCOMPARE(messages.texts(), QStringList());

    // Back on the search screen: everything kept, and the flag armed again.
    QCOMPARE(Screen::lastActiveScreen(), &search);
    QVERIFY(search.resetOnActivate());
    QCOMPARE(search.lblHiddenNaics->text(), code);
    QCOMPARE(search.txtIndName->text(), title);
    QVERIFY(search.optNAICScode->isChecked());
    QVERIFY(shownTo(search.fraNAICScode, &search));
    QVERIFY(search.optBalanceSheet->isChecked());
    QVERIFY(search.optReport->isChecked());

    // Continue again shows the report of the same industry.
    bool viewerShown = false;
    connect(&ScreenRegistry::get<frmReportViewer>(), &Screen::activated, this,
            [&viewerShown] { viewerShown = true; });
    search.cmdContinue->click();
    QCOMPARE(messages.texts(), QStringList());
    QVERIFY(viewerShown);
    QCOMPARE(Screen::lastActiveScreen(), &search);
    QVERIFY(search.resetOnActivate());
    QCOMPARE(search.lblHiddenNaics->text(), code);

    // A later activation after another screen rebuilds the screen.
    frmAbout &about = ScreenRegistry::get<frmAbout>();
    about.showScreen();
    about.hide();
    QCOMPARE(Screen::lastActiveScreen(), &search);
    QCOMPARE(search.lblHiddenNaics->text(), QString());
    QCOMPARE(search.txtIndName->text(), QString());
    QVERIFY(search.optSearchNaics->isChecked());
    QVERIFY(shownTo(search.fraTreeView, &search));
    QVERIFY(!shownTo(search.fraNAICScode, &search));
    // Data type and output are never reset.
    QVERIFY(search.optBalanceSheet->isChecked());
}

void tst_frmSearch::returnToMenuRebuilds()
{
    frmSearch &search = showSearch();
    search.optKeyword->click();
    search.txtKeyword->setText(QStringLiteral("grocery"));
    search.cmdKeyword_Click();
    search.dbgridKeywordResults_Click(search.adodcKeywordResults->index(0, 0));
    QCOMPARE(search.lblHiddenNaics->text(), QStringLiteral("445110"));

    search.mnuReturn->trigger();
    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    QVERIFY(!search.isVisible());
    QVERIFY(menu.isVisible());
    QCOMPARE(Screen::lastActiveScreen(), &menu);

    menu.cmdSearch_Click();
    QVERIFY(search.isVisible());
    QCOMPARE(Screen::lastActiveScreen(), &search);
    QVERIFY(search.optSearchNaics->isChecked());
    QVERIFY(shownTo(search.fraTreeView, &search));
    QVERIFY(!shownTo(search.fraKeyword, &search));
    QVERIFY(!shownTo(search.dbgridKeywordResults, &search));
    QCOMPARE(search.lblNAICSCode->text(), QString());
    QCOMPARE(search.lblHiddenNaics->text(), QString());
    QCOMPARE(search.txtKeyword->text(), QString());
}

void tst_frmSearch::languageSwitchKeepsIndustry()
{
    frmSearch &search = showSearch();
    clickTreeItem(QStringLiteral("Ind236110"));
    search.optKeyword->click();
    search.txtKeyword->setText(QStringLiteral("stores"));
    search.cmdKeyword_Click();
    QVERIFY(shownTo(search.dbgridKeywordResults, &search));
    search.dbgridKeywordResults_Click(search.adodcKeywordResults->index(0, 0));
    const QString chosen = search.lblHiddenNaics->text();
    QCOMPARE(search.lblNAICSCode->text(), QStringLiteral("NAICS: ") + chosen);

    search.languageHelp.mnuFrench->trigger();
    QCOMPARE(appState().gintLanguage, Language::French);
    const std::optional<IndustryRow> french = fncLookupByCode(currentLookupSource(), chosen);
    QVERIFY(french);
    QCOMPARE(search.txtIndName->text(), french->title);
    QCOMPARE(search.lblCategory->text(), QStringLiteral("Secteur: Commerce de détail"));
    // The code keeps the prefix of the language it was chosen in.
    QCOMPARE(search.lblNAICSCode->text(), QStringLiteral("NAICS: ") + chosen);
    QCOMPARE(search.lblHiddenNaics->text(), chosen);
    QVERIFY(!shownTo(search.dbgridKeywordResults, &search));
    QCOMPARE(search.txtKeyword->text(), QString());
    QVERIFY(search.optKeyword->isChecked());
    // Without results the keyword box and its button stay at the top of the frame.
    search.fraKeyword->layout()->activate();
    QVERIFY(search.fraKeyword->height() > 150);
    QVERIFY2(search.txtKeyword->y() < 50, qPrintable(QString::number(search.txtKeyword->y())));
    QCOMPARE(search.cmdKeyword->geometry().center().y(),
             search.txtKeyword->geometry().center().y());

    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    QCOMPARE(appState().gstrDatasetCaption, menu.optVol2->text());
    QCOMPARE(search.windowTitle(), QStringLiteral("Recherche ") + menu.optVol2->text() +
                                       QStringLiteral(" - LAVOR (2006, 2005 and 2004)"));
    QCOMPARE(search.fraSearch->title(), QStringLiteral("1.  Recherche par"));
    QCOMPARE(testsupport::shownText(search.languageHelp.mnuFrench->text()),
             QStringLiteral("Français"));
    QCOMPARE(testsupport::shownText(search.languageHelp.mnuEnglish->text()),
             QStringLiteral("English"));
    QCOMPARE(search.TreeView1->topLevelItem(0)->text(0), QStringLiteral("Toutes les industries"));
    QCOMPARE(search.TreeView1->selectedItems().size(), 0);
    QCOMPARE(search.cboNAICSTitle->findText(QStringLiteral("Épiceries")) >= 0, true);

    // A search after the switch looks in the French titles, under French headings.
    search.txtKeyword->setText(QStringLiteral("ÉPICERIE"));
    search.cmdKeyword_Click();
    const RecordSetModel *model = search.adodcKeywordResults;
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("SCIAN"));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Secteur"));
    search.dbgridKeywordResults_Click(model->index(0, 1));
    QCOMPARE(search.lblNAICSCode->text(), QStringLiteral("SCIAN: 445110"));
    QCOMPARE(search.lblCategory->text(), QStringLiteral("Secteur: Commerce de détail"));
}

void tst_frmSearch::modeFrames_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("frame");
    QTest::newRow("code") << "optNAICScode"
                          << "fraNAICScode";
    QTest::newRow("title") << "optNAICSTitle"
                           << "fraNAICSTitle";
    QTest::newRow("keyword") << "optKeyword"
                             << "fraKeyword";
    QTest::newRow("tree") << "optSearchNaics"
                          << "fraTreeView";
}

void tst_frmSearch::modeFrames()
{
    QFETCH(QString, option);
    QFETCH(QString, frame);
    frmSearch &search = showSearch();
    clickTreeItem(QStringLiteral("Ind236110"));
    // Leave tree mode first so that choosing the tree is a change too.
    (option == QLatin1String("optSearchNaics") ? search.optKeyword : search.optSearchNaics)
        ->click();
    clickTreeItem(QStringLiteral("Ind236110"));
    search.findChild<QRadioButton *>(option)->click();

    for (const char *name : {"fraTreeView", "fraNAICScode", "fraNAICSTitle", "fraKeyword"})
        QCOMPARE(shownTo(search.findChild<QGroupBox *>(name), &search), frame == name);
    QCOMPARE(search.lblCategory->text(), QString());
    QCOMPARE(search.lblNAICSCode->text(), QString());
    QCOMPARE(search.txtIndName->text(), QString());
    QCOMPARE(search.lblHiddenNaics->text(), QString());
}

void tst_frmSearch::codeAndTitleLists()
{
    frmSearch &search = showSearch();
    search.optNAICScode->click();
    QCOMPARE(search.cboNAICScodes->count(), searchfixture::datasetCodes().size());
    QCOMPARE(search.cboNAICScodes->findText(QStringLiteral("722511")), -1);
    search.cboNAICScodes->setCurrentIndex(search.cboNAICScodes->findText(QStringLiteral("611692")));
    search.cboNAICScodes_Click();
    // A category missing from the tree leaves the category text empty.
    QCOMPARE(search.lblCategory->text(), QStringLiteral("Sector: "));
    QCOMPARE(search.lblNAICSCode->text(), QStringLiteral("NAICS: 611692"));
    QCOMPARE(search.txtIndName->text(), QStringLiteral("Driving schools"));
    QCOMPARE(search.lblHiddenNaics->text(), QStringLiteral("611692"));

    search.optNAICSTitle->click();
    QCOMPARE(search.lblHiddenNaics->text(), QString());
    search.cboNAICSTitle->setCurrentIndex(
        search.cboNAICSTitle->findText(QStringLiteral("Lawyers' offices")));
    search.cboNAICSTitle_Click();
    QCOMPARE(search.lblCategory->text(), QStringLiteral("Sector: Management"));
    QCOMPARE(search.lblNAICSCode->text(), QStringLiteral("NAICS: 541110"));
    QCOMPARE(search.lblHiddenNaics->text(), QStringLiteral("541110"));
}

void tst_frmSearch::keywordSearch()
{
    frmSearch &search = showSearch();
    search.optKeyword->click();
    search.txtKeyword->setText(QStringLiteral("lawyers'"));
    // Enter in the keyword box runs the search once "Search" is the default button.
    QTest::keyClick(search.txtKeyword, Qt::Key_Return);
    QVERIFY(shownTo(search.dbgridKeywordResults, &search));
    const RecordSetModel *model = search.adodcKeywordResults;
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("NAICS"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Description"));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Sector"));
    const int dpi = search.dbgridKeywordResults->logicalDpiX();
    QVERIFY(search.dbgridKeywordResults->columnWidth(0) >= 630 * dpi / 1440);
    QVERIFY(search.dbgridKeywordResults->columnWidth(0) >
            search.dbgridKeywordResults->fontMetrics().horizontalAdvance(QStringLiteral("541110")));
    // The text columns keep at least their design width and share the rest.
    const QTableView *grid = search.dbgridKeywordResults;
    QVERIFY(grid->columnWidth(1) >= 2500 * dpi / 1440);
    QVERIFY(grid->columnWidth(2) >= 2500 * dpi / 1440);
    QVERIFY(grid->columnWidth(1) >= grid->columnWidth(2));
    const int used = grid->columnWidth(0) + grid->columnWidth(1) + grid->columnWidth(2);
    QVERIFY2(used <= grid->viewport()->width() && used >= grid->viewport()->width() - 4,
             qPrintable(QStringLiteral("%1 of %2").arg(used).arg(grid->viewport()->width())));

    search.optCompareExisting->click();
    MessageRecorder messages;
    search.dbgridKeywordResults_DblClick(model->index(0, 2));
    QCOMPARE(search.lblCategory->text(), QStringLiteral("Sector: Management"));
    QCOMPARE(search.lblNAICSCode->text(), QStringLiteral("NAICS: 541110"));
    QCOMPARE(search.txtIndName->text(), QStringLiteral("Lawyers' offices"));
    QCOMPARE(search.lblHiddenNaics->text(), QStringLiteral("541110"));
    // The double-click continued to the open-existing hand-off: nothing stored yet.
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("No records were found")});
    QVERIFY(!search.resetOnActivate());
}

void tst_frmSearch::keywordNoMatch_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("message");
    const QString hintEn = QStringLiteral(
        "No match was found\n\nNo industry title holds this keyword, but some industry "
        "definitions do: tick “Also search definitions” to list those industries.");
    const QString hintFr = QStringLiteral(
        "L'item n'a pas été trouver\n\nAucun titre d'industrie ne contient ce mot clé, mais "
        "certaines définitions d'industrie le contiennent\u00a0: cochez «\u00a0Chercher aussi "
        "dans les définitions\u00a0» pour afficher ces industries.");
    QTest::newRow("en") << Language::English << "restaurant"
                        << "No match was found";
    QTest::newRow("fr") << Language::French << "restaurant"
                        << "L'item n'a pas été trouver";
    QTest::newRow("en: in a definition") << Language::English << "HOUSE" << hintEn;
    QTest::newRow("fr: in a definition") << Language::French << "MAISONS" << hintFr;
    QTest::newRow("en: in a definition outside the dataset") << Language::English << "meals"
                                                             << "No match was found";
    QTest::newRow("en: too long") << Language::English
                                  << QString(kMaxKeywordLength + 1, QLatin1Char('e'))
                                  << "The keyword is too long. Please type at most 100 characters.";
    QTest::newRow("fr: too long")
        << Language::French << QString(kMaxKeywordLength + 1, QChar(0x00c9))
        << "Le mot clé est trop long. Veuillez taper au plus 100 caractères.";
}

void tst_frmSearch::keywordNoMatch()
{
    QFETCH(Language, language);
    QFETCH(QString, keyword);
    QFETCH(QString, message);
    appState().gintLanguage = language;
    frmSearch &search = showSearch();
    search.optKeyword->click();
    search.txtKeyword->setText(QStringLiteral("%"));
    search.cmdKeyword_Click();
    search.dbgridKeywordResults_Click(search.adodcKeywordResults->index(1, 0));
    const QString chosen = search.lblHiddenNaics->text();
    QVERIFY(!chosen.isEmpty());

    const int rowsBefore = search.adodcKeywordResults->rowCount();
    MessageRecorder messages;
    search.txtKeyword->setText(keyword);
    search.cmdKeyword_Click();
    QCOMPARE(messages.texts(), QStringList{message});
    QCOMPARE(messages.messages.first().icon, MsgIcon::None);
    // The grid stays shown, empty (a keyword too long is not searched for);
    // clicks on it change nothing and raise nothing.
    QVERIFY(shownTo(search.dbgridKeywordResults, &search));
    QCOMPARE(search.adodcKeywordResults->rowCount(),
             keyword.size() > kMaxKeywordLength ? rowsBefore : 0);
    search.dbgridKeywordResults_Click(QModelIndex());
    search.dbgridKeywordResults_DblClick(QModelIndex());
    QCOMPARE(search.lblHiddenNaics->text(), chosen);
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY(search.resetOnActivate());
}

void tst_frmSearch::keywordAlsoInDefinitions()
{
    frmSearch &search = showSearch();
    search.optKeyword->click();
    QVERIFY(!search.chkDefinitions->isChecked());
    QCOMPARE(search.chkDefinitions->text(), QStringLiteral("Also search definitions"));

    // "HOUSE" is in no title, only in the definition of 236110 ("Builds houses.").
    MessageRecorder messages;
    search.txtKeyword->setText(QStringLiteral("HOUSE"));
    search.cmdKeyword_Click();
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY(messages.texts().constFirst().startsWith(QStringLiteral("No match was found\n\n")));
    search.chkDefinitions->setChecked(true);
    search.cmdKeyword_Click();
    const RecordSetModel *model = search.adodcKeywordResults;
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->cellText(0, 0), QStringLiteral("236110"));
    // An industry found by its title is not listed again for its definition.
    search.txtKeyword->setText(QStringLiteral("law"));
    search.cmdKeyword_Click();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->cellText(0, 0), QStringLiteral("541110"));
    QCOMPARE(messages.texts().size(), 1);

    search.languageHelp.mnuFrench->trigger();
    QCOMPARE(search.chkDefinitions->text(), QStringLiteral("Chercher aussi dans les définitions"));
    // Back to the menu and in again: the box is off.
    search.mnuReturn->trigger();
    ScreenRegistry::get<frmMenu>().cmdSearch_Click();
    QVERIFY(!search.chkDefinitions->isChecked());
}

void tst_frmSearch::titleFollowsTheDataset_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("back from the search screen") << "search";
    QTest::newRow("back from the firm screen") << "firm";
}

// Whichever screen the user went back to the dataset screen from, the search
// screen shown next names the dataset now chosen and lists its industries.
void tst_frmSearch::titleFollowsTheDataset()
{
    QFETCH(QString, way);
    QVERIFY(openShippedProgram());
    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    menu.optVol3->setChecked(true);
    menu.cmdSearch_Click();
    frmSearch &search = ScreenRegistry::get<frmSearch>();
    const QString volume3 = menu.optVol3->text();
    QCOMPARE(search.windowTitle(), QStringLiteral("Search ") + volume3 +
                                       QStringLiteral(" - ROVAL (2006, 2005 and 2004)"));
    search.optNAICScode->click();
    search.cboNAICScodes->setCurrentIndex(0);
    search.cboNAICScodes_Click();
    QVERIFY(!search.lblHiddenNaics->text().isEmpty());

    MessageRecorder messages(MsgAnswer::No);
    if (way == QLatin1String("firm")) {
        search.optCompareNew->setChecked(true);
        search.cmdContinue_Click();
        frmMyValues &firm = ScreenRegistry::get<frmMyValues>();
        QVERIFY(firm.isVisible());
        firm.mnuReturn->trigger();
    } else {
        search.mnuReturn->trigger();
    }
    QVERIFY(menu.isVisible());
    menu.optVol1->setChecked(true);
    menu.cmdSearch_Click();
    QVERIFY(search.isVisible());
    const QString volume1 = menu.optVol1->text();
    QVERIFY(volume1 != volume3);
    QCOMPARE(search.windowTitle(), QStringLiteral("Search ") + volume1 +
                                       QStringLiteral(" - ROVAL (2006, 2005 and 2004)"));
    QCOMPARE(search.lblHiddenNaics->text(), QString());
    QVERIFY(search.optSearchNaics->isChecked());
    QCOMPARE(messages.texts(), QStringList());
}

void tst_frmSearch::lookupOfUnknownCodeKeepsSelection()
{
    frmSearch &search = showSearch();
    clickTreeItem(QStringLiteral("Ind445110"));
    search.subLookupNewLanguage(QString());
    search.subLookupNewLanguage(QStringLiteral("722511"));
    QCOMPARE(search.lblCategory->text(), QStringLiteral("Sector: Retail trade"));
    QCOMPARE(search.txtIndName->text(), QStringLiteral("Grocery stores"));
}

void tst_frmSearch::exitQuestion()
{
    frmSearch &search = showSearch();
    EndRecorder ending;
    {
        MessageRecorder messages(MsgAnswer::No);
        QVERIFY(!search.close());
        search.mnuExit->trigger();
        QCOMPARE(messages.texts(), QStringList(2, QStringLiteral("Do you want to exit?")));
        QCOMPARE(messages.messages.first().buttons, MsgButtons::YesNo);
        QVERIFY(search.isVisible());
        QVERIFY(!ending.ended());
    }
    MessageRecorder messages(MsgAnswer::Yes);
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, search.mnuExit_Click());
    QCOMPARE(ending.exitCodes, QList<int>{0});
}

QUORVEL_TEST_MAIN(tst_frmSearch)
#include "tst_frmSearch.moc"
