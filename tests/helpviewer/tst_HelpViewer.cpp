#include "support/TestSupport.h"

#include "helpviewer/HelpDocument.h"
#include "helpviewer/HelpViewerWindow.h"
#include "helpviewer/ViewerTexts.h"

#include <QAction>
#include <QDir>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QListWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextBrowser>

using namespace testsupport;

namespace {

const char *const kConceptsEng = "ROVA_ConceptsHelp_Eng.qch";
const char *const kConceptsFre = "ROVA_ConceptsHelp_Fre.qch";
const char *const kTechEng = "ROVA_Tech_Help_Eng.qch";
const char *const kTechFre = "ROVA_Tech_Help_Fre.qch";

QString helpFile(const char *name)
{
    return programFile(QLatin1String(name));
}

} // namespace

// The compiled help files and the viewer that shows them.
class TestHelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void compiledFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("homePage");
        QTest::addColumn<QString>("homeTitle");

        QTest::newRow("en:concepts") << kConceptsEng << "en/concepts/index.html"
                                     << "Welcome to Quorvel";
        QTest::newRow("fr:concepts") << kConceptsFre << "fr/concepts/index.html"
                                     << "Bienvenue dans Quorvel";
        QTest::newRow("en:tech") << kTechEng << "en/tech/index.html"
                                 << "Quorvel technical help";
        QTest::newRow("fr:tech") << kTechFre << "fr/tech/index.html"
                                 << "Aide technique de Quorvel";
    }

    void compiledFiles()
    {
        QFETCH(QString, file);
        QFETCH(QString, homePage);
        QFETCH(QString, homeTitle);

        HelpDocument document;
        QCOMPARE(document.open(programFile(file)), HelpDocument::Status::Open);
        QVERIFY2(document.homeUrl().path().endsWith(homePage),
                 qPrintable(document.homeUrl().toString()));

        HelpViewerWindow window(programFile(file), QString());
        QCOMPARE(window.pageTitle(), homeTitle);
        QCOMPARE(window.notice(), QString());
    }

    // Both concepts files explain the fifteen ratios and hold the license at 9999.
    void conceptsContent_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("ratioKeyword");
        QTest::addColumn<QStringList>("ratioNames");
        QTest::addColumn<QString>("licenseTitle");

        QTest::newRow("en") << kConceptsEng << "net profit margin"
                            << QStringList{"Net profit margin",
                                           "Pretax profit margin",
                                           "Operating profit margin",
                                           "Gross profit margin",
                                           "Operating revenue to net operating assets",
                                           "Return on net operating assets",
                                           "Pretax profit to total assets",
                                           "Return on capital employed",
                                           "Return on equity",
                                           "Debt to equity",
                                           "Receivables turnover",
                                           "Inventory turnover",
                                           "Working capital ratio",
                                           "Total liabilities to total assets",
                                           "Interest coverage"}
                            << "License Agreement";
        QTest::newRow("fr") << kConceptsFre << "marge bénéficiaire nette"
                            << QStringList{"Marge bénéficiaire nette",
                                           "Marge bénéficiaire avant impôts",
                                           "Marge bénéficiaire d'exploitation",
                                           "Marge bénéficiaire brute",
                                           "Recettes d'exploitation sur l'actif net d'exploitation",
                                           "Rendement de l'actif net d'exploitation",
                                           "Bénéfice avant impôts sur l'actif total",
                                           "Rendement des capitaux employés",
                                           "Rendement des capitaux propres",
                                           "Ratio des dettes aux capitaux propres",
                                           "Rotation des comptes débiteurs",
                                           "Rotation des stocks",
                                           "Ratio du fonds de roulement",
                                           "Passif total sur l'actif total",
                                           "Ratio de couverture des intérêts"}
                            << "Entente d'exploitation sous licence";
    }

    void conceptsContent()
    {
        QFETCH(QString, file);
        QFETCH(QString, ratioKeyword);
        QFETCH(QStringList, ratioNames);
        QFETCH(QString, licenseTitle);

        HelpDocument document;
        QCOMPARE(document.open(programFile(file)), HelpDocument::Status::Open);
        QHelpEngine *engine = document.engine();

        const QList<QHelpLink> ratioLinks = engine->documentsForKeyword(ratioKeyword);
        QCOMPARE(ratioLinks.size(), 1);
        QVERIFY(ratioLinks.first().url.path().endsWith(QLatin1String("/concepts/ratios.html")));
        const QString ratiosPage = QString::fromUtf8(engine->fileData(ratioLinks.first().url));
        for (const QString &name : ratioNames)
            QVERIFY2(ratiosPage.contains(name), qPrintable(name));

        const QUrl license = document.topicUrl(9999);
        QVERIFY(license.path().endsWith(QLatin1String("/concepts/license.html")));
        QVERIFY(
            QString::fromUtf8(engine->fileData(license))
                .contains(QStringLiteral("<title>") + licenseTitle + QStringLiteral("</title>")));
    }

    void techFilesHaveNoLicenseTopic_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("en") << kTechEng;
        QTest::newRow("fr") << kTechFre;
    }

    void techFilesHaveNoLicenseTopic()
    {
        QFETCH(QString, file);
        HelpDocument document;
        QCOMPARE(document.open(programFile(file)), HelpDocument::Status::Open);
        QVERIFY(document.topicUrl(9999).isEmpty());
    }

    void openAtTopic_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("notice");

        QTest::newRow("en:license") << kConceptsEng << "9999"
                                    << "license.html"
                                    << "";
        QTest::newRow("fr:license") << kConceptsFre << "9999"
                                    << "license.html"
                                    << "";
        QTest::newRow("en:no topic") << kConceptsEng << ""
                                     << "index.html"
                                     << "";
        QTest::newRow("en:unknown topic") << kConceptsEng << "42"
                                          << "index.html"
                                          << "Topic 42 does not exist in this help file.";
        QTest::newRow("fr:unknown topic") << kConceptsFre << "42"
                                          << "index.html"
                                          << "La rubrique 42 n'existe pas dans ce fichier d'aide.";
        QTest::newRow("en:not a number") << kConceptsEng << "abc"
                                         << "index.html"
                                         << "\"abc\" is not a topic number.";
        // The pages the Help menus open directly.
        QTest::newRow("en:import") << kConceptsEng << "2010"
                                   << "import.html"
                                   << "";
        QTest::newRow("fr:team database") << kConceptsFre << "2020"
                                          << "team.html"
                                          << "";
        QTest::newRow("en:team database") << kConceptsEng << "2020"
                                          << "team.html"
                                          << "";
        QTest::newRow("fr:backup") << kConceptsFre << "2030"
                                   << "backup.html"
                                   << "";
        QTest::newRow("en:command line") << kTechEng << "3010"
                                         << "command-line.html"
                                         << "";
        QTest::newRow("fr:command line") << kTechFre << "3010"
                                         << "command-line.html"
                                         << "";
        QTest::newRow("en:tech file at 9999") << kTechEng << "9999"
                                              << "index.html"
                                              << "Topic 9999 does not exist in this help file.";
    }

    void openAtTopic()
    {
        QFETCH(QString, file);
        QFETCH(QString, topic);
        QFETCH(QString, page);
        QFETCH(QString, notice);

        HelpViewerWindow window(programFile(file), topic);
        QCOMPARE(window.currentPage().fileName(), page);
        QCOMPARE(window.notice(), notice);
    }

    void licenseIsShownInTheFileLanguage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("windowTitle");
        QTest::addColumn<QString>("contentsTab");

        QTest::newRow("en") << kConceptsEng << "Quorvel Help - License Agreement"
                            << "Contents";
        QTest::newRow("fr") << kConceptsFre
                            << "Aide de Quorvel - Entente d'exploitation sous licence"
                            << "Table des matières";
    }

    void licenseIsShownInTheFileLanguage()
    {
        QFETCH(QString, file);
        QFETCH(QString, windowTitle);
        QFETCH(QString, contentsTab);

        HelpViewerWindow window(programFile(file), QStringLiteral("9999"));
        QCOMPARE(window.windowTitle(), windowTitle);
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabNavigation"));
        QVERIFY(tabs);
        QCOMPARE(tabs->tabText(0), contentsTab);
    }

    void fileThatCannotBeShown_data()
    {
        QTest::addColumn<QString>("fileName");   // in a temporary folder; empty: no argument
        QTest::addColumn<QByteArray>("content"); // empty: the file does not exist
        QTest::addColumn<QString>("noticeStart");

        QTest::newRow("en:missing")
            << "ROVA_Tech_Help_Eng.qch" << QByteArray() << "The help file cannot be found: ";
        QTest::newRow("fr:missing") << "ROVA_ConceptsHelp_Fre.qch" << QByteArray()
                                    << "Le fichier d'aide est introuvable : ";
        QTest::newRow("en:not a help file")
            << "ROVA_ConceptsHelp_Eng.qch" << QByteArray("not a help file")
            << "The help file cannot be read: ";
        QTest::newRow("no file given") << "" << QByteArray() << "No help file was given.";
    }

    void fileThatCannotBeShown()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, noticeStart);

        QTemporaryDir dir;
        QString path;
        if (!fileName.isEmpty()) {
            path = dir.filePath(QStringLiteral("with blanks/") + fileName);
            if (!content.isEmpty()) {
                QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("with blanks"))));
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(content);
            }
        }

        HelpViewerWindow window(path, QStringLiteral("9999"));
        window.show();
        QVERIFY2(window.notice().startsWith(noticeStart), qPrintable(window.notice()));
        if (!path.isEmpty())
            QVERIFY(window.notice().contains(path));
        QVERIFY(window.currentPage().isEmpty());
    }

    void contentsAndIndexAreBuilt()
    {
        HelpViewerWindow window(helpFile(kConceptsEng), QString());
        QHelpEngine *engine = window.document()->engine();
        // Both models are built in the background once the event loop runs.
        QHelpContentModel *contents = engine->contentModel();
        QTRY_COMPARE_WITH_TIMEOUT(contents->rowCount(), 1, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!contents->isCreatingContents(), 20000);
        QCOMPARE(contents->rowCount(contents->index(0, 0)), 15);

        QHelpIndexModel *index = engine->indexModel();
        QTRY_VERIFY_WITH_TIMEOUT(index->stringList().contains(QStringLiteral("interest coverage")),
                                 20000);
        QVERIFY(index->stringList().contains(QStringLiteral("License Agreement")));
        QVERIFY(index->stringList().contains(QStringLiteral("trial balance")));
    }

    void fullTextSearchFindsThePage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("page");

        QTest::newRow("en") << kConceptsEng << "median"
                            << "quartiles.html";
        QTest::newRow("fr") << kConceptsFre << "médiane"
                            << "quartiles.html";
        QTest::newRow("en:tech") << kTechEng << "backup"
                                 << "databases.html";
    }

    void fullTextSearchFindsThePage()
    {
        QFETCH(QString, file);
        QFETCH(QString, words);
        QFETCH(QString, page);

        HelpViewerWindow window(programFile(file), QString());
        QHelpSearchEngine *search = window.document()->engine()->searchEngine();
        auto *button = window.findChild<QPushButton *>(QStringLiteral("cmdSearch"));
        QVERIFY(button);
        QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled(), 30000);

        QSignalSpy finished(search, &QHelpSearchEngine::searchingFinished);
        window.searchFor(words);
        QVERIFY(finished.wait(20000));

        auto *results = window.findChild<QListWidget *>(QStringLiteral("lstSearchResults"));
        QVERIFY(results);
        QVERIFY(results->count() > 0);
        QStringList pages;
        for (int row = 0; row < results->count(); ++row)
            pages << results->item(row)->data(Qt::UserRole).toUrl().fileName();
        QVERIFY2(pages.contains(page), qPrintable(pages.join(QLatin1Char(','))));

        results->setCurrentRow(int(pages.indexOf(page)));
        emit results->itemActivated(results->currentItem());
        QCOMPARE(window.currentPage().fileName(), page);
    }

    // The window and its frame fit the screen it opens on (offscreen, a
    // screen smaller than the window's design size of 1100 x 760).
    void windowFitsTheScreen()
    {
        HelpViewerWindow window(helpFile(kConceptsEng), QString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = window.screen()->availableGeometry();
        QVERIFY(area.width() < 1100 || area.height() < 800);
        QVERIFY2(area.contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                .arg(window.frameGeometry().width())
                                .arg(window.frameGeometry().height())
                                .arg(area.width())
                                .arg(area.height())));
    }

    void backAndForward()
    {
        HelpViewerWindow window(helpFile(kConceptsEng), QString());
        auto *browser = window.findChild<QTextBrowser *>(QStringLiteral("helpBrowser"));
        auto *back = window.findChild<QAction *>(QStringLiteral("actBack"));
        auto *forward = window.findChild<QAction *>(QStringLiteral("actForward"));
        QVERIFY(browser && back && forward);
        QVERIFY(!back->isEnabled());

        browser->setSource(window.document()->topicUrl(9999));
        QVERIFY(back->isEnabled());
        back->trigger();
        QCOMPARE(window.currentPage().fileName(), QStringLiteral("index.html"));
        QVERIFY(forward->isEnabled());
        forward->trigger();
        QCOMPARE(window.currentPage().fileName(), QStringLiteral("license.html"));
    }

    void printWithoutPrinterSaysSo()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("a printer is set up here; printing would open the print dialog");
        HelpViewerWindow window(helpFile(kConceptsFre), QString());
        window.printPage();
        QCOMPARE(window.notice(),
                 QStringLiteral("Il n'y a pas d'imprimante de rattaché à votre machine."));
    }

    void viewerLanguage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("french");

        QTest::newRow("French concepts") << "/x/ROVA_ConceptsHelp_Fre.qch" << true;
        QTest::newRow("French tech") << "ROVA_Tech_Help_Fre.qch" << true;
        QTest::newRow("English") << "/x/ROVA_Tech_Help_Eng.qch" << false;
        QTest::newRow("no file") << "" << false;
        QTest::newRow("French folder, English file")
            << "/a_Fre.qch/ROVA_Tech_Help_Eng.qch" << false;
    }

    void viewerLanguage()
    {
        QFETCH(QString, file);
        QFETCH(bool, french);
        QCOMPARE(isFrenchHelpFile(file), french);
    }

    // The program itself, as the launcher starts it: file, then topic.
    void programReportsThePageItShows_data()
    {
        QTest::addColumn<QStringList>("topicArguments");
        QTest::newRow("--topic option") << QStringList{"--topic", "9999"};
        QTest::newRow("second argument") << QStringList{"9999"};
    }

    void programReportsThePageItShows()
    {
        QFETCH(QStringList, topicArguments);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("My Help"));
        QVERIFY(QDir().mkpath(folder));
        const QString copy = folder + QStringLiteral("/ROVA_ConceptsHelp_Fre.qch");
        QVERIFY(QFile::copy(helpFile(kConceptsFre), copy));

        QProcess viewer;
        viewer.start(programFile(QStringLiteral("quorvel-help")),
                     QStringList{copy} + topicArguments + QStringList{"--show-page"});
        QVERIFY(viewer.waitForFinished(60000));
        QCOMPARE(viewer.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(viewer.readAllStandardOutput()).split('\n');
        QVERIFY(lines.size() >= 2);
        QVERIFY2(lines.at(0).endsWith(QLatin1String("/fr/concepts/license.html")),
                 qPrintable(lines.at(0)));
        QCOMPARE(lines.at(1), QStringLiteral("Entente d'exploitation sous licence"));
    }
};

QUORVEL_TEST_MAIN(TestHelpViewer)
#include "tst_HelpViewer.moc"
