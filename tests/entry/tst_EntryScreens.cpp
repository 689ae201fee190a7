#include "support/ReferenceFixture.h"
#include "support/TestSupport.h"

#include "core/HelpLauncher.h"
#include "core/ProgramFolder.h"
#include "core/ResourceString.h"
#include "core/ScreenRegistry.h"
#include "entry/frmAbout.h"
#include "entry/frmMenu.h"
#include "entry/frmStart.h"
#include "search/frmSearch.h"
#include "widgets/ClickableLabel.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace testsupport;

// The start, dataset selection and about screens, driven as the user drives
// them, over a small reference database written for each case.
class tst_EntryScreens : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    std::unique_ptr<StateScope> m_state;
    QList<QStringList> m_startedViewers;

    // Opens a fresh fixture as the reference database.
    void openReference(const QStringList &emptyOptions = {},
                       const QStringList &withoutDescription = {},
                       const QStringList &nullDescription = {})
    {
        const QString path = m_dir->filePath(QStringLiteral("ROV_DATA.mdb"));
        QFile::remove(path);
        QVERIFY(entryfixture::writeReferenceDatabase(path, emptyOptions, withoutDescription,
                                                     nullDescription));
        ConnectToFile(appState().gcnReference, path, QStringLiteral("unknown"), OpenMode::ReadOnly);
        QVERIFY(appState().gcnReference.isOpen());
    }

    static frmMenu &shownMenu(Language language)
    {
        appState().gintLanguage = language;
        frmMenu &menu = ScreenRegistry::get<frmMenu>();
        menu.showScreen();
        return menu;
    }

    static QStringList disabledOptions(const frmMenu &menu)
    {
        QStringList names;
        for (const QRadioButton *option : menu.options())
            if (!option->isEnabled())
                names << option->objectName();
        return names;
    }

private slots:
    void init()
    {
        m_state = std::make_unique<StateScope>();
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        setProgramFolderOverride(m_dir->path());
        appState().gstrHelpViewer = m_dir->filePath(QStringLiteral("quorvel-help"));
        m_startedViewers.clear();
        setProcessStarter([this](const QString &program, const QStringList &arguments) {
            m_startedViewers.append(QStringList{program} + arguments);
            return true;
        });
        openReference();
    }

    void cleanup()
    {
        m_state.reset();
        delete m_dir;
        m_dir = nullptr;
    }

    void startScreenTexts()
    {
        frmStart &start = ScreenRegistry::get<frmStart>();
        QCOMPARE(start.windowTitle(), QStringLiteral("ROVAL - LAVOR   2006, 2005 and 2004"));
        QCOMPARE(start.lblReferenceYrs->text(),
                 QStringLiteral("Reference Years / Années de référence 2004, 2005, 2006"));
        QCOMPARE(start.cmdEnglish->text(), QStringLiteral("English"));
        QCOMPARE(start.cmdFrancais->text(), QStringLiteral("Français"));
        QCOMPARE(start.lblLicenseAgreementE->text(), QStringLiteral("License Agreement"));
        QCOMPARE(start.lblLicenseAgreementF->text(),
                 QStringLiteral("Entente d'exploitation sous licence"));
    }

    void languageButtonReachesTheMenu_data()
    {
        QTest::addColumn<bool>("french");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("volume2");
        QTest::addColumn<QString>("fileMenu");
        QTest::newRow("en") << false << Language::English
                            << QStringLiteral("Quorvel for 2006, 2005 and 2004")
                            << QStringLiteral("Firms with Revenue $5 million to $25 million")
                            << QStringLiteral("File");
        QTest::newRow("fr") << true << Language::French
                            << QStringLiteral("Quorvel pour 2006, 2005 and 2004")
                            << QStringLiteral(
                                   "Entreprises ayant de 5 $ millions à 25 $ millions de recettes")
                            << QStringLiteral("Fichier");
    }

    void languageButtonReachesTheMenu()
    {
        QFETCH(bool, french);
        QFETCH(Language, language);
        frmStart &start = ScreenRegistry::get<frmStart>();
        start.showScreen();
        (french ? start.cmdFrancais : start.cmdEnglish)->click();

        QCOMPARE(appState().gintLanguage, language);
        QVERIFY(!start.isVisible());
        QVERIFY(ScreenRegistry::isLoaded<frmMenu>());
        frmMenu &menu = ScreenRegistry::get<frmMenu>();
        QVERIFY(menu.isVisible());
        QCOMPARE(Screen::lastActiveScreen(), &menu);
        QFETCH(QString, title);
        QFETCH(QString, volume2);
        QFETCH(QString, fileMenu);
        QCOMPARE(menu.windowTitle(), title);
        QCOMPARE(menu.optVol2->text(), volume2);
        QCOMPARE(testsupport::shownText(menu.mnuFile->title()), fileMenu);
    }

    // Each label opens its own language's license agreement, whatever the
    // program's language.
    void licenseLabelsOpenTheirOwnDocument_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<bool>("frenchLabel");
        QTest::addColumn<QString>("helpFile");
        QTest::newRow("en:English label")
            << Language::English << false << QString::fromLatin1(kConceptsHelpEnglish);
        QTest::newRow("en:French label")
            << Language::English << true << QString::fromLatin1(kConceptsHelpFrench);
        QTest::newRow("fr:English label")
            << Language::French << false << QString::fromLatin1(kConceptsHelpEnglish);
        QTest::newRow("fr:French label")
            << Language::French << true << QString::fromLatin1(kConceptsHelpFrench);
    }

    void licenseLabelsOpenTheirOwnDocument()
    {
        QFETCH(Language, language);
        QFETCH(bool, frenchLabel);
        QFETCH(QString, helpFile);
        appState().gintLanguage = language;
        frmStart &start = ScreenRegistry::get<frmStart>();
        start.showScreen();
        ClickableLabel *label =
            frenchLabel ? start.lblLicenseAgreementF : start.lblLicenseAgreementE;
        QTest::mouseClick(label, Qt::LeftButton);

        QCOMPARE(m_startedViewers.size(), 1);
        const QStringList command = m_startedViewers.constFirst();
        QCOMPARE(command.value(0), appState().gstrHelpViewer);
        QCOMPARE(command.value(1), m_dir->filePath(helpFile));
        QVERIFY(command.contains(QStringLiteral("9999")));
        QVERIFY(start.isVisible());
    }

    void closingAsksToExit_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<Language>("language");
        QTest::addColumn<bool>("useExitMenu");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<QString>("question");
        const QString en = QStringLiteral("Do you want to exit?");
        const QString fr = QStringLiteral("Voulez-vous quitter?");
        QTest::newRow("start closed, No") << "start" << Language::English << false << false << en;
        QTest::newRow("start closed, Yes") << "start" << Language::English << false << true << en;
        QTest::newRow("en:menu closed, No") << "menu" << Language::English << false << false << en;
        QTest::newRow("fr:menu closed, No") << "menu" << Language::French << false << false << fr;
        QTest::newRow("fr:menu closed, Yes") << "menu" << Language::French << false << true << fr;
        QTest::newRow("en:menu Exit, No") << "menu" << Language::English << true << false << en;
        QTest::newRow("en:menu Exit, Yes") << "menu" << Language::English << true << true << en;
    }

    void closingAsksToExit()
    {
        QFETCH(QString, screen);
        QFETCH(Language, language);
        QFETCH(bool, useExitMenu);
        QFETCH(bool, answerYes);
        QFETCH(QString, question);

        Screen *shown = nullptr;
        if (screen == QLatin1String("start")) {
            shown = &ScreenRegistry::get<frmStart>();
            shown->showScreen();
        } else {
            frmMenu &menu = shownMenu(language);
            menu.optOntario->click();
            shown = &menu;
        }
        MessageRecorder messages(answerYes ? MsgAnswer::Yes : MsgAnswer::No);
        EndRecorder ending;
        if (useExitMenu && !answerYes) {
            static_cast<frmMenu *>(shown)->mnuExit->trigger();
        } else if (useExitMenu) {
            // The ending unwinds out of the menu command, as the process would
            // end there. The command is called directly: unwinding through
            // QAction::trigger skips the clean-up of Qt's frames, which leaks
            // the guard pointer it holds (seen by the leak checker).
            try {
                static_cast<frmMenu *>(shown)->mnuExit_Click();
            } catch (const ProgramEnded &) {
            }
        } else {
            shown->close();
        }

        QCOMPARE(messages.texts(), QStringList{question});
        QCOMPARE(messages.messages.constFirst().buttons, MsgButtons::YesNo);
        QCOMPARE(messages.messages.constFirst().icon, MsgIcon::Warning);
        if (answerYes) {
            QCOMPARE(ending.exitCodes, QList<int>{0});
            if (screen == QLatin1String("start"))
                QVERIFY(!ScreenRegistry::isLoaded<frmMenu>());
        } else {
            QVERIFY(!ending.ended());
            QVERIFY(shown->isVisible());
            if (auto *menu = qobject_cast<frmMenu *>(shown)) {
                QVERIFY(menu->optOntario->isChecked());
                QVERIFY(!menu->txtDescription->toPlainText().isEmpty());
            }
        }
    }

    void languageSwitchRelabelsEveryControl()
    {
        frmMenu &menu = shownMenu(Language::English);
        menu.optNWT->click();
        QCOMPARE(menu.txtDescription->toPlainText(),
                 entryfixture::englishDescription(QStringLiteral("optNWT")));

        menu.languageHelp.mnuFrench->trigger();
        QCOMPARE(appState().gintLanguage, Language::French);
        QCOMPARE(menu.txtDescription->toPlainText(), QString());
        QVERIFY(menu.optNWT->isChecked());
        QCOMPARE(menu.windowTitle(), QStringLiteral("Quorvel pour 2006, 2005 and 2004"));
        const QList<QPair<QString, QString>> french = {
            {menu.lblInstructions->text(),
             QStringLiteral("Choisir une série de données financières")},
            {menu.lblCanada->text(), QStringLiteral("Tout le Canada")},
            {menu.lblRegProvTerr->text(), QStringLiteral("Les régions, provinces et territoires")},
            {menu.optVol1->text(),
             QStringLiteral("Entreprises ayant plus de 25 $ millions de recettes")},
            {menu.optVol3->text(),
             QStringLiteral("Entreprises ayant de 30,000 $ à 5 $ millions de recettes")},
            {menu.lblVol3->text(),
             QStringLiteral("Entreprises ayant de 30,000 $ à 5 $ millions de recettes")},
            {menu.lblOR->text(), QStringLiteral("ou")},
            {menu.optAtlantic->text(), QStringLiteral("Atlantique Canada")},
            {menu.optNovaScotia->text(), QStringLiteral("Nouvelle-Écosse")},
            {menu.optNewfoundland->text(), QStringLiteral("Terre-Neuve et Labrador")},
            {menu.optPEI->text(), QStringLiteral("Île-du-Prince-Édouard")},
            {menu.optNewBrunswick->text(), QStringLiteral("Nouveau-Brunswick")},
            {menu.optQuebec->text(), QStringLiteral("Québec")},
            {menu.optOntario->text(), QStringLiteral("Ontario")},
            {menu.optBritishColumbia->text(), QStringLiteral("Colombie-Britannique")},
            {menu.optTerritories->text(), QStringLiteral("Territoires")},
            {menu.optNWT->text(), QStringLiteral("Territoires du nord-ouest")},
            {menu.lblVol1->text(), QStringLiteral("Volume 1")},
            {menu.lblDescription->text(), QStringLiteral("Description")},
            {menu.cmdSearch->text(), QStringLiteral("Recherche")},
            {testsupport::shownText(menu.mnuFile->title()), QStringLiteral("Fichier")},
            {testsupport::shownText(menu.mnuExit->text()), QStringLiteral("Quitter")},
            {testsupport::shownText(menu.languageHelp.mnuLanguage->title()),
             QStringLiteral("Langue")},
            {testsupport::shownText(menu.languageHelp.mnuEnglish->text()),
             QStringLiteral("English")},
            {testsupport::shownText(menu.languageHelp.mnuFrench->text()),
             QStringLiteral("Français")},
            {testsupport::shownText(menu.languageHelp.mnuHelp->title()), QStringLiteral("Aide")},
            {testsupport::shownText(menu.languageHelp.mnuContents->text()),
             QStringLiteral("Contenu")},
            {testsupport::shownText(menu.languageHelp.mnuTechnical->text()),
             QStringLiteral("L'aide technique")},
            {testsupport::shownText(menu.languageHelp.mnuAbout->text()),
             QStringLiteral("Au sujet de LAVOR")},
        };
        for (const auto &[shown, expected] : french)
            QCOMPARE(shown, expected);

        menu.languageHelp.mnuEnglish->trigger();
        QCOMPARE(appState().gintLanguage, Language::English);
        QCOMPARE(menu.optNWT->text(), QStringLiteral("Northwest Territories"));
        QCOMPARE(testsupport::shownText(menu.languageHelp.mnuHelp->title()),
                 QStringLiteral("Help"));
        QCOMPARE(menu.lblOR->text(), QStringLiteral("OR"));
    }

    void emptyDatasetTableDisablesExactlyItsOption_data()
    {
        QTest::addColumn<QStringList>("empty");
        QTest::newRow("all tables have rows") << QStringList();
        QTest::newRow("volume 1 empty") << QStringList{QStringLiteral("optVol1")};
        QTest::newRow("Ontario empty") << QStringList{QStringLiteral("optOntario")};
        QTest::newRow("Yukon and Atlantic empty")
            << QStringList{QStringLiteral("optAtlantic"), QStringLiteral("optYukon")};
    }

    void emptyDatasetTableDisablesExactlyItsOption()
    {
        QFETCH(QStringList, empty);
        openReference(empty);
        frmMenu &menu = shownMenu(Language::English);
        QCOMPARE(menu.options().size(), 19);
        QCOMPARE(disabledOptions(menu), empty);
    }

    // The check runs at every activation, not only the first.
    void dataCheckRepeatsOnEveryActivation()
    {
        frmMenu &menu = shownMenu(Language::English);
        QCOMPARE(disabledOptions(menu), QStringList());

        openReference({QStringLiteral("optQuebec")});
        frmAbout &about = ScreenRegistry::get<frmAbout>();
        about.showScreen();
        about.cmdReturn->click();
        QCOMPARE(Screen::lastActiveScreen(), &menu);
        QCOMPARE(disabledOptions(menu), QStringList{QStringLiteral("optQuebec")});
    }

    void clickingAnOptionShowsItsDescription_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QStringList>("nulls");
        QTest::addColumn<QString>("expected");
        const QString pei = QStringLiteral("optPEI");
        QTest::newRow("en") << Language::English << QStringList() << QStringList()
                            << entryfixture::englishDescription(pei);
        QTest::newRow("fr") << Language::French << QStringList() << QStringList()
                            << entryfixture::frenchDescription(pei);
        QTest::newRow("missing row")
            << Language::English << QStringList{pei} << QStringList() << QString();
        QTest::newRow("fr:null description")
            << Language::French << QStringList() << QStringList{pei} << QString();
    }

    void clickingAnOptionShowsItsDescription()
    {
        QFETCH(Language, language);
        QFETCH(QStringList, missing);
        QFETCH(QStringList, nulls);
        QFETCH(QString, expected);
        openReference({}, missing, nulls);
        frmMenu &menu = shownMenu(language);
        menu.optVol1->click();
        menu.optPEI->click();
        QCOMPARE(menu.txtDescription->toPlainText(), expected);
        QVERIFY(menu.isVisible());
    }

    void searchWithoutChoiceShowsMessage_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("en") << Language::English
                            << QStringLiteral("Please choose a set of financial data");
        QTest::newRow("fr") << Language::French
                            << QStringLiteral(
                                   "Veuillez choisir un ensemble de données financières");
    }

    void searchWithoutChoiceShowsMessage()
    {
        QFETCH(Language, language);
        QFETCH(QString, text);
        frmMenu &menu = shownMenu(language);
        MessageRecorder messages;
        menu.cmdSearch->click();

        QCOMPARE(messages.texts(), QStringList{text});
        QCOMPARE(messages.messages.constFirst().buttons, MsgButtons::Ok);
        QVERIFY(menu.isVisible());
        QCOMPARE(appState().gstrDatasetTable, QString());
        QCOMPARE(appState().gstrDatasetCaption, QString());
    }

    void choiceIsRecordedAsTheDataset_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("table");
        QTest::addColumn<qint16>("volume");
        QTest::addColumn<QString>("region");
        QTest::newRow("en:Ontario") << Language::English << "optOntario"
                                    << "Ontario"
                                    << "ROVAL_Vol3_ON_2006_Final_Ratios" << qint16(3) << "ON";
        QTest::newRow("fr:volume 2")
            << Language::French << "optVol2"
            << "Entreprises ayant de 5 $ millions à 25 $ millions de recettes"
            << "ROVAL_Vol2_ALL_2006_Final_Ratios" << qint16(2) << "ALL";
        QTest::newRow("fr:Prince Edward Island")
            << Language::French << "optPEI"
            << "Île-du-Prince-Édouard"
            << "ROVAL_Vol3_PE_2006_Final_Ratios" << qint16(3) << "PE";
    }

    void choiceIsRecordedAsTheDataset()
    {
        QFETCH(Language, language);
        QFETCH(QString, option);
        QFETCH(QString, caption);
        QFETCH(QString, table);
        QFETCH(qint16, volume);
        QFETCH(QString, region);
        frmMenu &menu = shownMenu(language);
        menu.option(option)->click();

        QVERIFY(menu.fncDetermineDataset());
        QCOMPARE(appState().gstrDatasetCaption, caption);
        QCOMPARE(appState().gstrDatasetTable, table);
        QCOMPARE(appState().gintVolume, volume);
        QCOMPARE(appState().gstrRegion, region);
    }

    // Another screen's language switch reloads the hidden menu's captions and
    // records the dataset again, in the new language.
    void datasetFollowsALanguageSwitchWhileHidden()
    {
        frmMenu &menu = shownMenu(Language::English);
        menu.optVol3->click();
        QVERIFY(menu.fncDetermineDataset());
        QCOMPARE(appState().gstrDatasetCaption,
                 QStringLiteral("Firms with Revenue $30,000 to $5 million"));
        menu.hide();

        appState().gintLanguage = Language::French;
        menu.subLoadCaptions();
        QVERIFY(menu.fncDetermineDataset());
        QCOMPARE(appState().gstrDatasetCaption,
                 QStringLiteral("Entreprises ayant de 30,000 $ à 5 $ millions de recettes"));
        QCOMPARE(appState().gstrDatasetTable, QStringLiteral("ROVAL_Vol3_ALL_2006_Final_Ratios"));
        QVERIFY(!menu.isVisible());
    }

    void helpMenusOpenTheDocumentOfTheLanguage_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<bool>("technical");
        QTest::addColumn<QString>("helpFile");
        QTest::newRow("en:Contents")
            << Language::English << false << QString::fromLatin1(kConceptsHelpEnglish);
        QTest::newRow("fr:Contents")
            << Language::French << false << QString::fromLatin1(kConceptsHelpFrench);
        QTest::newRow("en:Technical Help")
            << Language::English << true << QString::fromLatin1(kTechHelpEnglish);
        QTest::newRow("fr:Technical Help")
            << Language::French << true << QString::fromLatin1(kTechHelpFrench);
    }

    void helpMenusOpenTheDocumentOfTheLanguage()
    {
        QFETCH(Language, language);
        QFETCH(bool, technical);
        QFETCH(QString, helpFile);
        frmMenu &menu = shownMenu(language);
        (technical ? menu.languageHelp.mnuTechnical : menu.languageHelp.mnuContents)->trigger();
        QCOMPARE(m_startedViewers.size(), 1);
        QCOMPARE(m_startedViewers.constFirst(),
                 (QStringList{appState().gstrHelpViewer, m_dir->filePath(helpFile)}));
    }

    // Over the shipped reference data every dataset has rows, and "Search"
    // hands the chosen dataset over to the search screen.
    void searchHandsOverToTheSearchScreen()
    {
        DisconnectFromDB(appState().gcnReference);
        QVERIFY(openShippedDatabases(*m_dir));
        frmMenu &menu = shownMenu(Language::English);
        QCOMPARE(disabledOptions(menu), QStringList());
        menu.optOntario->click();
        QVERIFY(!menu.txtDescription->toPlainText().isEmpty());

        MessageRecorder messages;
        menu.cmdSearch->click();
        QCOMPARE(messages.texts(), QStringList());
        QVERIFY(!menu.isVisible());
        QVERIFY(ScreenRegistry::get<frmSearch>().isVisible());
        QCOMPARE(Screen::lastActiveScreen(), &ScreenRegistry::get<frmSearch>());
        QCOMPARE(appState().gstrDatasetCaption, QStringLiteral("Ontario"));
        QCOMPARE(appState().gstrDatasetTable, QStringLiteral("ROVAL_Vol3_ON_2006_Final_Ratios"));
        QCOMPARE(appState().gintVolume, qint16(3));
        QCOMPARE(appState().gstrRegion, QStringLiteral("ON"));
        DisconnectFromDB(appState().gcnUser);
    }

    // A copy of the shipped reference data with one dataset emptied.
    void emptiedShippedTableDisablesItsOption()
    {
        DisconnectFromDB(appState().gcnReference);
        QVERIFY(copyProgramFiles(*m_dir, {QStringLiteral("ROV_DATA.mdb")}));
        const QString path = m_dir->filePath(QStringLiteral("ROV_DATA.mdb"));
        Connection writable;
        ConnectToFile(writable, path, QStringLiteral("unknown"), OpenMode::ReadWrite);
        qint16 errors = 0;
        ExecCmdInDB(writable, QStringLiteral("delete from ROVAL_Vol3_MB_2006_Final_Ratios"),
                    errors);
        DisconnectFromDB(writable);
        ConnectToFile(appState().gcnReference, path, QStringLiteral("unknown"), OpenMode::ReadOnly);

        frmMenu &menu = shownMenu(Language::French);
        QCOMPARE(disabledOptions(menu), QStringList{QStringLiteral("optManitoba")});
        QCOMPARE(menu.optManitoba->text(), QStringLiteral("Manitoba"));
        QVERIFY(menu.optManitoba->isVisible());
    }

    void aboutShowsTheCurrentLanguage_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("returnCaption");
        QTest::newRow("en") << Language::English << QStringLiteral("About ROVAL")
                            << QStringLiteral("Return");
        QTest::newRow("fr") << Language::French << QStringLiteral("Au sujet de LAVOR")
                            << QStringLiteral("Retourner");
    }

    void aboutShowsTheCurrentLanguage()
    {
        QFETCH(Language, language);
        QFETCH(QString, title);
        QFETCH(QString, returnCaption);
        // Opened once in the other language first: captions load at every showing.
        frmMenu &menu =
            shownMenu(language == Language::English ? Language::French : Language::English);
        menu.optVol1->click();
        QStringList seen;
        bool modal = false;
        const auto openAbout = [&] {
            QTimer::singleShot(0, this, [&] {
                frmAbout &about = ScreenRegistry::get<frmAbout>();
                modal = about.isShownModally();
                seen = QStringList{about.windowTitle(),    about.cmdReturn->text(),
                                   about.lblTitle->text(), about.lblVersion->text(),
                                   about.lblStats->text(), about.lblEmail->text()};
                about.cmdReturn->click();
            });
            menu.languageHelp.mnuAbout->trigger();
        };
        openAbout();
        (language == Language::English ? menu.languageHelp.mnuEnglish : menu.languageHelp.mnuFrench)
            ->trigger();
        openAbout();

        QVERIFY(modal);
        QCOMPARE(seen.value(0), title);
        QCOMPARE(seen.value(1), returnCaption);
        QCOMPARE(seen.value(2), QStringLiteral("Quorvel"));
        QCOMPARE(seen.value(3), QStringLiteral("Version 2006.1"));
        QCOMPARE(seen.value(4), ResourceString(340, language));
        QCOMPARE(seen.value(5), ResourceString(570, language));
        QVERIFY(!ScreenRegistry::get<frmAbout>().isVisible());
        // Coming back from the about screen is an activation of the menu.
        QCOMPARE(Screen::lastActiveScreen(), &menu);
        QCOMPARE(menu.txtDescription->toPlainText(), QString());
        QVERIFY(menu.optVol1->isChecked());
    }

    void closingAboutReturnsToTheCaller()
    {
        frmMenu &menu = shownMenu(Language::English);
        QTimer::singleShot(0, this, [] { ScreenRegistry::get<frmAbout>().close(); });
        menu.languageHelp.mnuAbout->trigger();
        QVERIFY(!ScreenRegistry::get<frmAbout>().isVisible());
        QVERIFY(menu.isVisible());
        QCOMPARE(Screen::lastActiveScreen(), &menu);
    }
};

QUORVEL_TEST_MAIN(tst_EntryScreens)
#include "tst_EntryScreens.moc"
